#include "viewing/ReportListing.h"

#include "analysis/CReportWriter.h"
#include "analysis/Catalogue.h"
#include "data/AdoDb.h"

#include <charconv>
#include <cstdio>

namespace hv {
namespace {

constexpr const char* kChildReportsQuery =
    "SELECT ReportNo, ReportName FROM ReportList WHERE ReportNo IN "
    "('R15','R23','R24','R30','R39') ORDER BY ShowOrder";
constexpr const char* kFemaleReportsQuery =
    "SELECT ReportNo, ReportName FROM ReportList WHERE (Sex='F' OR Sex='A') AND IfShow_F<0 "
    "ORDER BY ShowOrder";
constexpr const char* kMaleReportsQuery =
    "SELECT ReportNo, ReportName FROM ReportList WHERE (Sex='M' OR Sex='A') AND IfShow_M<0 "
    "ORDER BY ShowOrder";

const char* ReportsQuery(const CReportWriter& person) {
    if (GetsChildReports(person.age))
        return kChildReportsQuery;
    return person.female ? kFemaleReportsQuery : kMaleReportsQuery;
}

} // namespace

std::optional<std::vector<ReportListEntry>> LoadReportList(std::int32_t measId) {
    CAdoDb db;
    if (!db.Open())
        return std::nullopt;
    // The person's sex and age at the test date, judged as the analysis judges them.
    CReportWriter person;
    if (person.LoadPerson(db, measId) != CReportWriter::LoadResult::Loaded)
        return std::nullopt;
    if (!db.OpenRecordset(ReportsQuery(person)))
        return std::nullopt;
    std::vector<ReportListEntry> entries;
    for (; !db.IsEOF(); db.MoveNext()) {
        ReportListEntry entry;
        entry.reportNumber = ReportNumberOf(db.GetText("ReportNo"));
        entry.reportName = db.GetText("ReportName");
        entry.label = std::to_string(entries.size() + 1) + "." + entry.reportName;
        entries.push_back(std::move(entry));
    }
    return entries;
}

int ReportNumberOf(std::string_view reportNo) {
    const std::string_view digits = reportNo.substr(reportNo.size() < 2 ? 0 : reportNo.size() - 2);
    int number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number < 0 ? 0 : number;
}

std::string ListEntryPageName(int reportNumber, std::string_view entryText) {
    const std::size_t dot = entryText.find('.');
    const std::string_view name =
        dot == std::string_view::npos ? entryText : entryText.substr(dot + 1);
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", reportNumber);
    return prefix + std::string(name);
}

std::filesystem::path PageFile(std::string_view pageName) {
    return std::filesystem::absolute(PagePath(pageName));
}

} // namespace hv
