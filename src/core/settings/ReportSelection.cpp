#include "settings/ReportSelection.h"

#include "data/AdoDb.h"

#include <string_view>

namespace hv {
namespace {

struct Audience {
    std::string_view sex;  // the letter of reports for this sex only
    std::string_view flag; // the column that holds this sex's flag
};

constexpr Audience kMale{"M", "IfShow_M"};
constexpr Audience kFemale{"F", "IfShow_F"};

bool ReadChoices(CAdoDb& db, const Audience& audience, std::vector<ReportChoice>& choices) {
    if (!db.OpenRecordset(
            "SELECT * FROM ReportList WHERE Sex='A' or Sex=? ORDER BY ShowOrder ASC, ReportNo ASC",
            {audience.sex}))
        return false;
    for (; !db.IsEOF(); db.MoveNext())
        choices.push_back(
            {db.GetText("ReportNo"), db.GetText("ReportName"), db.GetFlag(audience.flag)});
    db.CloseRecordset();
    return true;
}

bool WriteChoices(CAdoDb& db, const Audience& audience, const std::vector<ReportChoice>& choices) {
    const std::string sql =
        "update ReportList set " + std::string(audience.flag) + "=? where ReportNo=?";
    for (const ReportChoice& choice : choices)
        if (!db.Execute(sql, {choice.shown ? 1 : 0, choice.reportNo}))
            return false;
    return true;
}

} // namespace

std::optional<ReportChoiceLists> LoadReportChoices() {
    CAdoDb db;
    ReportChoiceLists lists;
    if (!db.Open() || !ReadChoices(db, kMale, lists.male) ||
        !ReadChoices(db, kFemale, lists.female))
        return std::nullopt;
    return lists;
}

bool SaveReportChoices(const ReportChoiceLists& lists) {
    CAdoDb db;
    return db.Open() && WriteChoices(db, kMale, lists.male) &&
           WriteChoices(db, kFemale, lists.female);
}

} // namespace hv
