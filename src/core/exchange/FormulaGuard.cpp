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

std::string GuardedCell(std::string_view text) {
    // Text that looks guarded already gets a second apostrophe, so it reads back as it was.
    const bool guard = NeedsFormulaGuard(text) || UnguardedCell(text).size() != text.size();
    return guard ? "'" + std::string(text) : std::string(text);
}

std::string UnguardedCell(std::string_view cell) {
    if (cell.size() > 1 && cell.front() == '\'' && NeedsFormulaGuard(cell.substr(1)))
        cell.remove_prefix(1);
    return std::string(cell);
}

} // namespace hv
