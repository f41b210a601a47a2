#include "exchange/FormulaGuard.h"

namespace hv {

bool NeedsFormulaGuard(std::string_view cell) {
    if (cell.empty())
        return false;
    switch (cell.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

namespace {

// Text that a spreadsheet would run, behind any number of apostrophes.
bool RunsBehindApostrophes(std::string_view text) {
    const std::size_t start = text.find_first_not_of('\'');
    return start != std::string_view::npos && NeedsFormulaGuard(text.substr(start));
}

} // namespace

std::string GuardedCell(std::string_view text) {
    // Text that looks guarded already gets one more apostrophe, so it reads back as it was.
    return RunsBehindApostrophes(text) ? "'" + std::string(text) : std::string(text);
}

std::string UnguardedCell(std::string_view cell) {
    if (cell.size() > 1 && cell.front() == '\'' && RunsBehindApostrophes(cell))
        cell.remove_prefix(1);
    return std::string(cell);
}

} // namespace hv
