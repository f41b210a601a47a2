#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The expert-advice texts of the Product table, one list per advice kind. The composite
// report copies the texts of kind 'B' into its advice section.
struct AdviceRow {
    std::int32_t orderNo = 0; // Product.OrderNo: the row's key and its place in the list
    std::string system;       // the body system (report name) the advice belongs to
    std::string suggest;      // the advice text, kept exactly as typed
};

struct AdviceLists {
    std::vector<AdviceRow> hidden;    // kind 'A': "About the probably hidden problems"
    std::vector<AdviceRow> subHealth; // kind 'B': "About the problems of sub-health trends"
};

// Both lists in OrderNo order. When the database cannot be opened the failure is shown and
// the lists are empty (as far as they were read).
AdviceLists LoadAdvice();

// Writes every row's text, changed or not: the 'A' list, then the 'B' list, each row by its
// OrderNo. A row whose OrderNo no longer exists, or whose update fails, is reported and the
// other rows are still written. Returns false when the save had to stop early because the
// database or a row lookup could not be opened (reported); the rows before stay written.
bool SaveAdvice(const AdviceLists& lists);

// An edited advice text, whose line breaks arrive as "\n", in the line-break style of the
// text it was edited from: when that text used "\r\n", so does the result. Everything else
// is kept as it is.
std::string KeepLineBreakStyle(std::string_view edited, std::string_view original);

} // namespace hv
