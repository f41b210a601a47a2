#include "analysis/ValueRows.h"

#include "analysis/Catalogue.h"
#include "common/OleDate.h"
#include "data/Schema.h"

namespace hv {
namespace {

std::vector<DbValue> RowValues(const CAdoDb& db, int firstColumn, int count) {
    std::vector<DbValue> values;
    values.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        values.push_back(db.Field(firstColumn + k));
    return values;
}

std::vector<DbValue> ToDbValues(const std::vector<double>& numbers) {
    return {numbers.begin(), numbers.end()};
}

std::vector<double> ToNumbers(const std::vector<DbValue>& values) {
    std::vector<double> numbers;
    numbers.reserve(values.size());
    for (const DbValue& v : values)
        numbers.push_back(v.AsDouble());
    return numbers;
}

} // namespace

RowQuery ReadValueRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                      std::vector<DbValue>& values) {
    const std::string sql = "SELECT * FROM " + ValueTableName(reportNumber) + " WHERE MeasID=?";
    if (!db.OpenRecordset(sql, {measId}))
        return RowQuery::Failed;
    const bool found = !db.IsEOF();
    if (found)
        values = RowValues(db, 1, db.FieldCount() - 1);
    db.CloseRecordset();
    return found ? RowQuery::Found : RowQuery::Missing;
}

RowQuery ReadOwnOrLatestRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                            std::int32_t examerId, std::vector<DbValue>& values, bool& own,
                            double& measDate) {
    // The person's tests come first (the file keeps the order of a CROSS JOIN), so the lookup
    // walks the person's few tests by index instead of the whole value table; the test's own
    // row sorts before the others.
    const std::string sql = "SELECT rv.*, md.MeasDate AS EarlierMeasDate FROM MeasData md "
                            "CROSS JOIN " +
                            ValueTableName(reportNumber) +
                            " rv WHERE rv.MeasID=md.MeasID AND md.ExamerID=? "
                            "ORDER BY rv.MeasID=? DESC, rv.MeasID DESC LIMIT 1";
    if (!db.OpenRecordset(sql, {examerId, measId}))
        return RowQuery::Failed;
    const bool found = !db.IsEOF();
    if (found) {
        values = RowValues(db, 1, db.FieldCount() - 2);
        own = db.Field(0).AsInt64() == measId;
        measDate = db.GetDouble("EarlierMeasDate");
    }
    db.CloseRecordset();
    return found ? RowQuery::Found : RowQuery::Missing;
}

bool InsertValueRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                    const std::vector<DbValue>& values) {
    DbColumns columns;
    columns.reserve(values.size() + 1);
    columns.emplace_back("MeasID", measId);
    for (std::size_t k = 0; k < values.size(); ++k)
        columns.emplace_back(ValueColumnName(static_cast<int>(k) + 1), values[k]);
    return db.AddRow(ValueTableName(reportNumber), columns);
}

RowState EnsureNumericRow(CAdoDb& db, int slot, const ValueSubject& subject,
                          std::vector<DbValue>* row) {
    const int number = ReportNumber(slot);
    std::vector<DbValue> found;
    bool own = false;
    double earlierDate = 0.0;
    const RowQuery lookup =
        ReadOwnOrLatestRow(db, number, subject.measId, subject.examerId, found, own, earlierDate);
    if (lookup == RowQuery::Failed)
        return RowState::Failed;
    if (own) {
        if (row)
            *row = std::move(found);
        return RowState::Existed;
    }
    std::vector<double> values;
    if (lookup == RowQuery::Missing) {
        SeedGeneratorFromClock();
        values = DrawFreshValues(slot, subject.shares, subject.age);
    } else {
        const int days = FollowUpDays(earlierDate, OleNow());
        SeedGeneratorFromClock();
        values = DrawFollowUpValues(slot, ToNumbers(found), days);
    }
    std::vector<DbValue> created = ToDbValues(values);
    if (!InsertValueRow(db, number, subject.measId, created))
        return RowState::Failed;
    if (row)
        *row = std::move(created);
    return RowState::Created;
}

RowState EnsureTextRow(CAdoDb& db, std::int32_t measId, std::vector<DbValue>* row) {
    const int number = ReportNumber(kTextReportSlot);
    std::vector<DbValue> stored;
    switch (ReadValueRow(db, number, measId, stored)) {
    case RowQuery::Found:
        if (row)
            *row = std::move(stored);
        return RowState::Existed;
    case RowQuery::Failed:
        return RowState::Failed;
    case RowQuery::Missing:
        break;
    }
    SeedGeneratorFromClock();
    const auto texts = DrawTextReportValues();
    std::vector<DbValue> created(texts.begin(), texts.end());
    if (!InsertValueRow(db, number, measId, created))
        return RowState::Failed;
    if (row)
        *row = std::move(created);
    return RowState::Created;
}

} // namespace hv
