#include "persons/TestRecords.h"

#include "data/AdoDb.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "persons/PersonRules.h"
#include "persons/PersonText.h"

#include <algorithm>

namespace hv {

std::optional<std::vector<TestRecordRow>> LoadTestRecords(int examerId, double now) {
    CAdoDb db;
    if (!db.Open() ||
        !db.OpenRecordset("SELECT m.MeasID, m.MeasDate, e.Name, e.Birthday, e.Sex "
                          "FROM MeasData AS m LEFT JOIN Examer AS e ON m.ExamerID=e.ExamerID "
                          "WHERE e.ExamerID=? ORDER BY m.MeasID DESC",
                          {examerId}))
        return std::nullopt;
    std::vector<TestRecordRow> rows;
    rows.reserve(db.RecordCount());
    for (; !db.IsEOF(); db.MoveNext()) {
        TestRecordRow row;
        row.measId = db.GetLong("MeasID");
        if (!db.IsNull("MeasDate")) {
            row.date = FormatOleDate(db.GetDouble("MeasDate"));
            row.time = FormatOleTime(db.GetDouble("MeasDate"));
        }
        row.name = db.GetText("Name");
        if (!db.IsNull("Birthday"))
            row.age = std::to_string(AgeInWholeYears(db.GetDouble("Birthday"), now));
        row.sex = SexText(SexIsMale(db.Field("Sex")));
        rows.push_back(std::move(row));
    }
    return rows;
}

bool DeleteTests(const std::vector<int>& measIds) {
    if (measIds.empty())
        return true;
    CAdoDb db;
    if (!db.Open())
        return false;
    WriteTransaction transaction(db);
    if (!transaction.Begin())
        return false;
    // One statement per slice keeps the number of bound values within the engine's limit.
    constexpr std::size_t kSlice = 500;
    for (std::size_t first = 0; first < measIds.size(); first += kSlice) {
        const std::size_t last = std::min(measIds.size(), first + kSlice);
        std::string sql = "DELETE FROM MeasData WHERE MeasID IN (";
        DbParams params(measIds.begin() + static_cast<std::ptrdiff_t>(first),
                        measIds.begin() + static_cast<std::ptrdiff_t>(last));
        for (std::size_t i = first; i < last; ++i)
            sql += i == first ? "?" : ",?";
        if (!db.Execute(sql + ")", params))
            return false;
    }
    return transaction.Commit();
}

} // namespace hv
