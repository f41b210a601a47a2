#include "settings/ExpertAdvice.h"

#include "data/AdoDb.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"

#include <string_view>

namespace hv {
namespace {

bool ReadKind(CAdoDb& db, std::string_view type, std::vector<AdviceRow>& rows) {
    if (!db.OpenRecordset("SELECT * FROM Product WHERE Type=? ORDER BY OrderNo ASC", {type}))
        return false;
    for (; !db.IsEOF(); db.MoveNext())
        rows.push_back({db.GetLong("OrderNo"), db.GetText("System"), db.GetText("Suggest")});
    db.CloseRecordset();
    return true;
}

enum class RowWrite { Done, Stop };

RowWrite WriteRow(CAdoDb& db, const AdviceRow& row) {
    if (!db.OpenRecordset("select OrderNo from Product where OrderNo=?", {row.orderNo}))
        return RowWrite::Stop;
    const bool exists = !db.IsEOF();
    db.CloseRecordset();
    if (!exists)
        ShowMessage(texts::FillText(texts::kAdviceRowMissing, {std::to_string(row.orderNo)}));
    else
        db.Execute("update Product set Suggest=? where OrderNo=?", {row.suggest, row.orderNo});
    return RowWrite::Done;
}

} // namespace

AdviceLists LoadAdvice() {
    AdviceLists lists;
    CAdoDb db;
    if (db.Open() && ReadKind(db, "A", lists.hidden))
        ReadKind(db, "B", lists.subHealth);
    return lists;
}

bool SaveAdvice(const AdviceLists& lists) {
    CAdoDb db;
    if (!db.Open())
        return false;
    for (const auto* rows : {&lists.hidden, &lists.subHealth})
        for (const AdviceRow& row : *rows)
            if (WriteRow(db, row) == RowWrite::Stop)
                return false;
    return true;
}

std::string KeepLineBreakStyle(std::string_view edited, std::string_view original) {
    if (original.find("\r\n") == std::string_view::npos)
        return std::string(edited);
    std::string result;
    result.reserve(edited.size() + edited.size() / 16);
    for (std::size_t i = 0; i < edited.size(); ++i) {
        if (edited[i] == '\n' && (i == 0 || edited[i - 1] != '\r'))
            result.push_back('\r');
        result.push_back(edited[i]);
    }
    return result;
}

} // namespace hv
