#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hv {

// Which reports the report browser offers, chosen separately for men and for women. A
// report for both sexes ('A') appears in both lists and keeps a flag per list.
struct ReportChoice {
    std::string reportNo;   // ReportList.ReportNo, the row's key
    std::string reportName; // shown to the operator
    bool shown = false;     // IfShow_M or IfShow_F of the list's sex
};

struct ReportChoiceLists {
    std::vector<ReportChoice> male;   // reports of sex 'A' or 'M', in display order
    std::vector<ReportChoice> female; // reports of sex 'A' or 'F', in display order
};

// Both lists; nullopt when the database or a query could not be opened (already reported).
std::optional<ReportChoiceLists> LoadReportChoices();

// Writes every flag of both lists, changed or not, the male list first, each row by its
// ReportNo. Stops at the first failing statement (already reported) and returns false;
// the rows written before it stay written.
bool SaveReportChoices(const ReportChoiceLists& lists);

} // namespace hv
