#pragma once

#include <string>
#include <string_view>

namespace hv {

// A spreadsheet runs a cell that starts with "=", "+", "-" or "@" (and some a tab or a
// carriage return before them) as a formula. Text cells written by this program that start
// so get an apostrophe in front, which makes every spreadsheet show the cell as text; the
// import takes the apostrophe away again, so a file written here reads back unchanged.

bool NeedsFormulaGuard(std::string_view cell);
// The cell as it is written: with the apostrophe when it needs one.
std::string GuardedCell(std::string_view text);
// The text of a cell as read: without the apostrophe that GuardedCell put in front.
std::string UnguardedCell(std::string_view cell);

} // namespace hv
