#include "analysis/TestResults.h"

#include "analysis/Catalogue.h"
#include "analysis/Grading.h"
#include "analysis/PageFragments.h"
#include "analysis/ValueRows.h"

#include <array>

namespace hv {
namespace {

bool LoadReportNames(CAdoDb& db, std::array<std::string, kReportSlotCount>& names) {
    if (!db.OpenRecordset("SELECT ReportName FROM ReportList ORDER BY ReportNo"))
        return false;
    for (std::size_t slot = 0; slot < names.size() && !db.IsEOF(); ++slot, db.MoveNext())
        names[slot] = db.GetText("ReportName");
    db.CloseRecordset();
    return true;
}

void AddNumericItems(int slot, const std::string& report, const std::vector<DbValue>& values,
                     std::vector<ItemResult>& items) {
    ReportItems catalogue;
    if (!GetReportItems(slot, catalogue))
        return;
    for (std::size_t i = 0; i < catalogue.ranges.size(); ++i) {
        ItemResult r{
            slot, report, catalogue.names[i], NormalRangeText(catalogue.ranges[i]), {}, 0.0, 0, {}};
        if (i < values.size() && !values[i].IsNull()) {
            const double v = values[i].AsDouble();
            const int item = static_cast<int>(i) + 1;
            r.value = page::FormatFixed3(v);
            r.number = v;
            r.gradeCode = GradeValue(catalogue.ranges[i], v);
            r.grade =
                GradeLabels[static_cast<std::size_t>(GradeLabelIndex(r.gradeCode, slot, item))];
        }
        items.push_back(std::move(r));
    }
}

void AddTextItems(const std::string& report, const std::vector<DbValue>& values,
                  std::vector<ItemResult>& items) {
    // As on the page: Value02 .. Value05; Value01 is stored only.
    for (std::size_t i = 0; i < TextReportItems.size(); ++i)
        items.push_back({kTextReportSlot,
                         report,
                         TextReportItems[i].name,
                         std::string(TextReportItems[i].normalRange),
                         i + 1 < values.size() ? values[i + 1].AsText() : std::string(),
                         0.0,
                         0,
                         {}});
}

} // namespace

ResultsStatus LoadTestResults(CAdoDb& db, std::int32_t measId, std::vector<ItemResult>& items) {
    items.clear();
    if (!db.OpenRecordset("SELECT MeasID FROM MeasData WHERE MeasID=?", {measId}))
        return ResultsStatus::Failed;
    const bool exists = !db.IsEOF();
    db.CloseRecordset();
    if (!exists)
        return ResultsStatus::NoTest;
    std::array<std::string, kReportSlotCount> names;
    if (!LoadReportNames(db, names))
        return ResultsStatus::Failed;
    bool analysed = false;
    for (int slot = 0; slot < kBodyCompositionSlot; ++slot) {
        std::vector<DbValue> values;
        const RowQuery row = ReadValueRow(db, ReportNumber(slot), measId, values);
        if (row == RowQuery::Failed)
            return ResultsStatus::Failed;
        if (row == RowQuery::Missing)
            continue;
        analysed = true;
        const std::string& report = names[static_cast<std::size_t>(slot)];
        if (slot == kTextReportSlot)
            AddTextItems(report, values, items);
        else
            AddNumericItems(slot, report, values, items);
    }
    return analysed ? ResultsStatus::Found : ResultsStatus::NotAnalysed;
}

GradeCounts CountGrades(const std::vector<ItemResult>& items) {
    GradeCounts counts;
    for (const ItemResult& r : items) {
        if (r.gradeCode == 0)
            continue;
        const std::string_view type = GradeToType(r.gradeCode).type;
        if (type == "A")
            ++counts.severe;
        else if (type == "B")
            ++counts.moderate;
        else if (type == "C")
            ++counts.mild;
        else
            ++counts.normal;
    }
    return counts;
}

} // namespace hv
