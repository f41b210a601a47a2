#pragma once

#include <span>
#include <string>
#include <string_view>

// The fixed HTML pieces of a report page: the style sheet, the page head with its person
// block, the foot, the section banners, the table heads and the row shapes of the
// explanatory texts. Every page (report, composite, comparison) is assembled from these in
// UTF-8; the page writer converts the text to UTF-16LE when it writes the file.
namespace hv::page {

// The one STYLE element shared by report and comparison pages (a single line).
extern const std::string_view kStyleSheet;

// The page background picture, a file in the Reports folder.
extern const std::string_view kPageBackground;

// The page foot: its lines joined by line feeds, without a line feed after the last.
extern const std::string_view kPageFoot;

// The heads of the comparison table and of the composite page's advice table.
extern const std::string_view kSystemTableHead;
extern const std::string_view kAdviceTableHead;

// Banner k: 0 the reference legend, 1 the parameter description, 2 the testing parameters.
// Each is a spacer table, a line feed and a second table; banners 0 and 2 leave that table
// open for the rows that follow. Empty for any other k.
std::string_view SectionBanner(int k);

// The head of the "Actual Testing Results" table, with or without the "Testing Result"
// column. The caller appends the rows and the closing "</TABLE>".
std::string_view ResultsTableHead(bool withResultColumn);

// The title of a page: the report name wrapped as "(name) Analysis Report Card", or the
// name unchanged when keepTitle is set.
std::string PageTitle(std::string_view reportName, bool keepTitle);

// The values of the page head's person block. Every text is inserted as plain text (HTML
// special characters are escaped), never read as a format.
struct PageHeadFields {
    std::string_view background = kPageBackground;
    std::string_view title;
    std::string_view name;
    std::string_view sex; // "Male" or "Female"
    int age = 0;
    std::string_view figure;   // e.g. "Standard body weight(172cm,64kg)"
    std::string_view testTime; // "%Y/%m/%d %H:%M"
};

// The page head: eight lines, each followed by a line feed, ending with the person block.
std::string FormatPageHead(const PageHeadFields& fields);

// text with &, <, > and " replaced by their HTML entities.
std::string HtmlEscape(std::string_view text);

// value printed like "%0.3f" in the C locale, whatever locale the process runs in.
std::string FormatFixed3(double value);

// Roman numeral of n (1..3999), e.g. "IV"; empty outside that range.
std::string RomanNumeral(int n);

// --- Rows of the explanatory texts -------------------------------------------------------

// The four range cells of one item of the reference standard, without their grade marks.
struct RangeCells {
    std::string normal;   // shown with "(-)"
    std::string mild;     // "(+)"
    std::string moderate; // "(++)"
    std::string severe;   // "(+++)"
};

// One item of the reference standard (after SectionBanner 0).
std::string RangeRows(std::string_view name, const RangeCells& cells);
// Closes the reference standard table, followed by a line feed.
extern const std::string_view kRangeRowsEnd;

// The heading row of one testing parameter (after SectionBanner 2): ordinal, name and
// health scope.
std::string ParameterHeading(int ordinal, std::string_view name, std::string_view scope);
// One explanation row under a testing parameter.
std::string ParameterNoteRow(std::string_view text);
// Closes the testing parameter table, followed by a line feed.
extern const std::string_view kParameterListEnd;

// One description box (after SectionBanner 1): the name with an optional unit and lead
// text, then one row per paragraph; ends with a line feed.
std::string DescriptionBox(std::string_view name, std::string_view unit, std::string_view lead,
                           std::span<const std::string_view> paragraphs);

} // namespace hv::page
