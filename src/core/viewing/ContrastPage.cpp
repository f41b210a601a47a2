#include "viewing/ContrastPage.h"

#include "analysis/CReportWriter.h"
#include "analysis/PageFragments.h"
#include "analysis/ValueText.h"
#include "common/OleDate.h"
#include "common/Utf16Text.h"
#include "data/AdoDb.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPageHeadStart =
    "<html><head><meta http-equiv=\"Content-Type\"; content = \"text/html; charset=utf-8\" >"
    "<title></title>";
constexpr std::string_view kPageHeadEnd =
    "</head><body style=\"background-image:url(Reports/Pagebg.jpg);background-position:center\">";
constexpr std::string_view kPageEnd = "</body></html>";
constexpr std::string_view kRowStart = "<TR class=td align=left bgcolor=ebf5fb>";
constexpr std::string_view kModerateText = "<font color=FF6600>Moderately Abnormal(++)</font>";

// Reports of both sexes and of the person's sex, the body composition report excepted;
// without a person on record, the reports of every sex.
constexpr const char* kFemaleReports =
    "SELECT ReportName FROM ReportList WHERE (Sex='A' OR Sex='F') AND length(ReportNo)=3 AND "
    "ReportNo<>'R99' ORDER BY ShowOrder";
constexpr const char* kMaleReports =
    "SELECT ReportName FROM ReportList WHERE (Sex='A' OR Sex='M') AND length(ReportNo)=3 AND "
    "ReportNo<>'R99' ORDER BY ShowOrder";
constexpr const char* kAllReports =
    "SELECT ReportName FROM ReportList WHERE length(ReportNo)=3 AND ReportNo<>'R99' "
    "ORDER BY ShowOrder";

// A stored value as the page shows it and as it is compared.
struct ItemValue {
    std::string text;
    double number = 0;
};

ItemValue ReadValue(const DbValue& field) {
    if (field.type() == DbValue::Type::Text) {
        const std::string text = field.AsText();
        double number = 0;
        std::from_chars(text.data(), text.data() + text.size(), number);
        return {text, number};
    }
    if (field.IsNull())
        return {};
    return {ValueText(field.AsDouble()), field.AsDouble()};
}

// The rows of one report's moderately abnormal items; the first carries the report name,
// spanning them all.
std::string ReportRows(CAdoDb& db, const std::string& report, std::int32_t measId, bool pictures) {
    if (!db.OpenRecordset("SELECT Item, ValueRange, Value FROM ReportValueAll WHERE System=? "
                          "AND Type='B' AND MeasID=? ORDER BY rowid",
                          {report, measId}))
        return {};
    std::string rows;
    const std::string span = std::to_string(db.RecordCount());
    for (bool first = true; !db.IsEOF(); db.MoveNext(), first = false) {
        const std::string range = db.GetText("ValueRange");
        const ItemValue value = ReadValue(db.Field("Value"));
        rows += kRowStart;
        if (first)
            rows += "<TD class=td align=middle rowspan=" + span + ">" + page::HtmlEscape(report) +
                    "</TD>";
        rows += "<TD class=td align=middle>" + page::HtmlEscape(db.GetText("Item")) +
                "</TD><TD class=td align=middle>" + page::HtmlEscape(range) +
                "</TD><TD class=td align=middle>" + page::HtmlEscape(value.text) +
                "</TD><TD class=td align=middle width=200>" +
                ContrastGradeCell(pictures, range, value.number) + "</TD></TR>";
    }
    db.CloseRecordset();
    return rows;
}

// The table of a test, or nullopt when the settings or the report list cannot be read.
std::optional<std::string> TableText(CAdoDb& db, std::int32_t measId,
                                     const std::optional<bool>& female) {
    if (!db.OpenRecordset("SELECT IfCanChu FROM SetValue") || db.IsEOF())
        return std::nullopt;
    const bool pictures = db.GetFlag("IfCanChu");
    const char* reportsQuery = !female ? kAllReports : *female ? kFemaleReports : kMaleReports;
    if (!db.OpenRecordset(reportsQuery))
        return std::nullopt;
    std::vector<std::string> reports;
    for (; !db.IsEOF(); db.MoveNext())
        reports.push_back(db.GetText("ReportName"));
    std::string table(page::kSystemTableHead);
    // A report whose rows cannot be read is left out; the others still appear.
    for (const std::string& report : reports)
        table += ReportRows(db, report, measId, pictures);
    return table;
}

bool WritePageFile(const fs::path& path, std::string_view text) {
    std::string reason;
    if (WriteUtf16LeFile(path, text, reason))
        return true;
    ShowMessage(texts::FillText(texts::kComparisonNotWritten, {path.string(), reason}));
    return false;
}

} // namespace

fs::path ContrastPageFile(int side) {
    return fs::absolute("Contrast0" + std::to_string(side) + ".htm");
}

double RangeLowerLimit(std::string_view valueRange) {
    const std::size_t dash = valueRange.find(" - ");
    if (dash == std::string_view::npos)
        return 0;
    std::string_view low = valueRange.substr(0, dash);
    while (!low.empty() && low.front() == ' ')
        low.remove_prefix(1);
    double number = 0;
    std::from_chars(low.data(), low.data() + low.size(), number);
    return number;
}

std::string ContrastGradeCell(bool pictures, std::string_view valueRange, double value) {
    if (!pictures)
        return std::string(kModerateText);
    const int grade = RangeLowerLimit(valueRange) > value ? 2 : 6;
    return "<image src=Reports/YC0" + std::to_string(grade) + ".gif border=0>";
}

ContrastPage BuildContrastPage(std::int32_t measId, int side) {
    ContrastPage page;
    if (side != 1 && side != 2)
        return page;
    CAdoDb db;
    if (!db.Open())
        return page;
    CReportWriter person;
    std::optional<bool> female;
    if (person.LoadPerson(db, measId) == CReportWriter::LoadResult::Loaded)
        female = person.female;
    if (!db.OpenRecordset("SELECT MeasDate FROM MeasData WHERE MeasID=?", {measId}) || db.IsEOF())
        return page;
    page.testTime = FormatTestTime(FromOleDate(db.GetDouble("MeasDate")), '-');
    const std::optional<std::string> table = TableText(db, measId, female);
    if (!table)
        return page;
    const std::string text = std::string(kPageHeadStart) + std::string(page::kStyleSheet) +
                             std::string(kPageHeadEnd) + *table + std::string(kPageEnd);
    const fs::path path = ContrastPageFile(side);
    if (WritePageFile(path, text))
        page.path = path;
    return page;
}

} // namespace hv
