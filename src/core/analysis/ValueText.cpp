#include "analysis/ValueText.h"

#include <array>
#include <charconv>

namespace hv {

std::string ValueText(double value) {
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

} // namespace hv
