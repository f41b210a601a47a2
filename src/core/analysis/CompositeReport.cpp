#include "analysis/CompositeReport.h"

#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"
#include "analysis/ValueText.h"
#include "data/Transaction.h"

#include <algorithm>
#include <map>

namespace hv {
namespace {

bool SummarisedSlot(int slot) {
    return slot != kTextReportSlot && slot != kBloodSugarSlot;
}

constexpr std::string_view kSummaryColumns =
    "INSERT INTO ReportValueAll (MeasID, System, Item, ValueRange, Value, ValueResult, Type) "
    "VALUES ";
constexpr std::size_t kRowsPerStatement = 100;

void AppendParams(DbParams& params, std::int32_t measId, const AbnormalItem& a) {
    params.insert(params.end(),
                  {DbValue(measId), DbValue(a.system), DbValue(a.item), DbValue(a.range),
                   DbValue(a.value), DbValue(a.grade.result), DbValue(a.grade.type)});
}

const char* ReportListQuery(bool female, int age) {
    if (GetsChildReports(age))
        return "SELECT r.ReportName, p.Suggest FROM ReportList r LEFT JOIN Product p ON "
               "r.ReportName=p.System WHERE r.ReportNo IN ('R15','R23','R24','R30','R39') AND "
               "p.Type='B' ORDER BY r.ShowOrder";
    return female ? "SELECT r.ReportName, p.Suggest FROM ReportList r LEFT JOIN Product p ON "
                    "r.ReportName=p.System WHERE (r.Sex='A' OR r.Sex='F') AND r.IfShow_F<0 "
                    "AND p.Type='B' ORDER BY r.ShowOrder"
                  : "SELECT r.ReportName, p.Suggest FROM ReportList r LEFT JOIN Product p ON "
                    "r.ReportName=p.System WHERE (r.Sex='A' OR r.Sex='M') AND r.IfShow_M<0 "
                    "AND p.Type='B' ORDER BY r.ShowOrder";
}

struct AdviceItem {
    std::string item;
    std::string range;
    std::string value;
};

std::string GroupRows(const std::string& system, const std::string& advice,
                      const std::vector<AdviceItem>& items) {
    const std::string span = std::to_string(items.size());
    std::string rows;
    for (std::size_t k = 0; k < items.size(); ++k) {
        rows += "<TR class=td align=left bgcolor=ebf5fb>";
        if (k == 0)
            rows += "<TD class=td align=middle rowspan=" + span + ">" + system + "</TD>";
        rows += "<TD class=td align=middle>" + items[k].item + "</TD><TD class=td align=middle>" +
                items[k].range + "</TD><TD class=td align=middle>" + items[k].value + "</TD>";
        if (k == 0)
            rows += "<TD class=td align=left rowspan=" + span + " width=200>" + advice + "</TD>";
        rows += "</TR>";
    }
    return rows;
}

} // namespace

AbnormalItems CollectAbnormalItems(const ValueRowReader& read,
                                   std::span<const std::string> reportNames) {
    AbnormalItems result;
    for (int slot = 0; slot < kBodyCompositionSlot; ++slot) {
        ReportItems items;
        if (!SummarisedSlot(slot) || !GetReportItems(slot, items))
            continue;
        std::vector<DbValue> values;
        const RowQuery row = read(slot, values);
        if (row == RowQuery::Failed) {
            result.complete = false;
            return result;
        }
        if (row == RowQuery::Missing)
            continue;
        const auto index = static_cast<std::size_t>(slot);
        const std::string system = index < reportNames.size() ? reportNames[index] : "";
        for (std::size_t j = 0; j < items.ranges.size() && j < values.size(); ++j) {
            if (values[j].IsNull())
                continue; // an empty value is not graded
            const double value = values[j].AsDouble();
            const GradeClass grade = GradeToType(GradeValue(items.ranges[j], value));
            if (grade.type != "D")
                result.items.push_back(
                    {system, items.names[j], NormalRangeText(items.ranges[j]), value, grade});
        }
    }
    return result;
}

namespace {

bool InsertAbnormalItems(CAdoDb& db, std::int32_t measId, const std::vector<AbnormalItem>& items) {
    for (std::size_t first = 0; first < items.size(); first += kRowsPerStatement) {
        const std::size_t last = std::min(items.size(), first + kRowsPerStatement);
        std::string sql(kSummaryColumns);
        DbParams params;
        params.reserve((last - first) * 7);
        for (std::size_t k = first; k < last; ++k) {
            sql += k == first ? "(?, ?, ?, ?, ?, ?, ?)" : ", (?, ?, ?, ?, ?, ?, ?)";
            AppendParams(params, measId, items[k]);
        }
        if (!db.Execute(sql, params))
            return false;
    }
    return true;
}

bool SummaryMatches(CAdoDb& db, std::int32_t measId, const std::vector<AbnormalItem>& items) {
    if (!db.OpenRecordset("SELECT System, Item, ValueRange, Value, ValueResult, Type FROM "
                          "ReportValueAll WHERE MeasID=? ORDER BY rowid",
                          {measId}))
        return false;
    bool same = db.RecordCount() == items.size();
    for (std::size_t k = 0; same && k < items.size(); ++k, db.MoveNext()) {
        const AbnormalItem& a = items[k];
        same = db.Field("Value") == DbValue(a.value) && db.GetText("System") == a.system &&
               db.GetText("Item") == a.item && db.GetText("ValueRange") == a.range &&
               db.GetText("ValueResult") == a.grade.result && db.GetText("Type") == a.grade.type;
    }
    db.CloseRecordset();
    return same;
}

} // namespace

bool ReplaceSummary(CAdoDb& db, std::int32_t measId, const std::vector<AbnormalItem>& items) {
    if (SummaryMatches(db, measId, items))
        return true;
    const auto replace = [&] {
        return db.Execute("DELETE FROM ReportValueAll WHERE MeasID=?", {measId}) &&
               InsertAbnormalItems(db, measId, items);
    };
    if (!db.InTransaction()) {
        WriteTransaction transaction(db);
        return transaction.Begin() && replace() && transaction.Commit();
    }
    // Inside the caller's transaction a failure undoes the replacement alone.
    if (!db.Execute("SAVEPOINT summary"))
        return false;
    if (replace())
        return db.Execute("RELEASE summary");
    // A failure the engine treats as fatal has already ended the whole transaction.
    if (db.InTransaction()) {
        db.Execute("ROLLBACK TO summary");
        db.Execute("RELEASE summary");
    }
    return false;
}

std::string BuildAdviceRows(CAdoDb& db, std::int32_t measId, bool female, int age) {
    if (!db.OpenRecordset(ReportListQuery(female, age)))
        return {};
    struct Report {
        std::string system;
        std::string advice;
    };
    std::vector<Report> reports;
    for (; !db.IsEOF(); db.MoveNext())
        reports.push_back({db.GetText("ReportName"), db.GetText("Suggest")});
    db.CloseRecordset();

    // The test's moderate items in the order they were stored, grouped by report name.
    if (!db.OpenRecordset("SELECT System, Item, ValueRange, Value FROM ReportValueAll WHERE "
                          "MeasID=? AND Type='B' ORDER BY rowid",
                          {measId}))
        return {};
    std::map<std::string, std::vector<AdviceItem>> groups;
    for (; !db.IsEOF(); db.MoveNext())
        groups[db.GetText("System")].push_back({page::HtmlEscape(db.GetText("Item")),
                                                page::HtmlEscape(db.GetText("ValueRange")),
                                                ValueText(db.GetDouble("Value"))});
    db.CloseRecordset();

    std::string rows;
    for (const Report& report : reports) {
        const auto group = groups.find(report.system);
        if (group == groups.end())
            continue; // a report without moderate items contributes nothing
        const std::string advice =
            report.advice.empty() ? std::string("&nbsp;") : page::HtmlEscape(report.advice);
        rows += GroupRows(page::HtmlEscape(report.system), advice, group->second);
    }
    return rows;
}

std::string CompositePageText(const CReportWriter& writer, const std::string& adviceRows) {
    std::string text = writer.HtmlPageHead(kCompositeTitle, true);
    text += page::kAdviceTableHead;
    text += adviceRows;
    text += CReportWriter::HtmlPageFoot();
    return text;
}

} // namespace hv
