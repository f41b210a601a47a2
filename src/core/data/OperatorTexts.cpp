#include "data/OperatorTexts.h"

#include <vector>

namespace hv::texts {

std::string FillText(std::string_view text, std::initializer_list<std::string_view> values) {
    const std::vector<std::string_view> fills(values);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < fills.size()) {
                out += fills[index];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace hv::texts
