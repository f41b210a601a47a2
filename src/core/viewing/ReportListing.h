#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The reports offered for one test in the report browser, and the page file each opens.

struct ReportListEntry {
    int reportNumber = 0;   // the two digits of ReportNo (R07 gives 7, R99 gives 99)
    std::string reportName; // ReportList.ReportName
    std::string label;      // "n.ReportName", n counting from 1 in display order
};

// The reports of a test's person, in display order: for a person of 12 or less at the test
// date the five child reports (R15, R23, R24, R30, R39); otherwise the reports of the
// person's sex or of both sexes that the display settings show for that sex. These are the
// reports whose pages the analysis of the test writes (age and sex are judged the same
// way). nullopt when the connection or a query failed (already reported) or the test or
// its person no longer exists.
std::optional<std::vector<ReportListEntry>> LoadReportList(std::int32_t measId);

// The report number in a ReportNo: its last two characters read as a decimal number (the
// leading digits only; 0 when they start with none).
int ReportNumberOf(std::string_view reportNo);

// The page a list entry opens: "NN-" with the report number, followed by what comes after
// the first '.' of the entry's text (the whole text when it holds none).
std::string ListEntryPageName(int reportNumber, std::string_view entryText);

// The absolute file of a page in the Reports folder of the working directory.
std::filesystem::path PageFile(std::string_view pageName);

} // namespace hv
