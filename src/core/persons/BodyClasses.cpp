#include "persons/BodyClasses.h"

#include "data/StringTable.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace hv {

int ParseLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    constexpr std::int64_t kMin = std::numeric_limits<int>::min();
    std::int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax + 1) // keep growing digits from overflowing; clamped below
            value = kMax + 1;
    }
    if (negative)
        return static_cast<int>(-value < kMin ? kMin : -value);
    return static_cast<int>(value > kMax ? kMax : value);
}

std::string HeightClassCode(int heightCm, bool male) {
    const double standard = male ? 169.0 : 158.0;
    const double h = heightCm;
    if (h <= standard)
        return "ZP";
    if (h <= standard * 1.05)
        return "QP";
    if (h <= standard * 1.2)
        return "BZ";
    if (h <= standard * 1.3)
        return "QS";
    return "ZS";
}

int WeightClassId(int heightCm, int weightKg, bool male) {
    // The subtraction is done in whole numbers, the product in doubles.
    const std::int64_t base = static_cast<std::int64_t>(heightCm) - (male ? 80 : 70);
    const double standard = static_cast<double>(base) * (male ? 0.7 : 0.6);
    const double w = weightKg;
    if (w <= standard * 0.8)
        return ids::SevereUnderweight;
    if (w <= standard * 0.9)
        return ids::MildUnderweight;
    if (w <= standard * 1.1)
        return ids::StandardWeight;
    if (w <= standard * 1.2)
        return ids::SlightlyHeavier;
    return ids::SeverePartialFat;
}

std::string WeightClassText(int heightCm, int weightKg, bool male) {
    return std::string(LoadString(WeightClassId(heightCm, weightKg, male)));
}

} // namespace hv
