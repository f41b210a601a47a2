#include "analysis/ReportValues.h"

#include "common/Clock.h"
#include "common/Random.h"
#include "data/StringTable.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace hv {
namespace {

// Below this age the side draws of the blood sugar report stay within the normal range; so
// do those of "PH" (item 5 of the basic physical condition report) at any age.
constexpr int kSideDrawAge = 35;
constexpr int kPhItem = 5;

struct Band {
    double lo;
    double hi;
};

bool SideDrawForced(int slot, int item, int age) {
    return (slot == kBloodSugarSlot && age < kSideDrawAge) ||
           (slot == kBasicConditionSlot && item == kPhItem);
}

Band SideBand(const ItemRange& r) {
    const int t = rng::Next() % 10;
    return t >= 5 ? Band{r.outer1, r.normalLow} : Band{r.normalHigh, r.outer2};
}

Band ChooseItemBand(const ItemRange& r, int band, int slot, int item, int age) {
    if (band == 0)
        return {r.normalLow, r.normalHigh};
    if (IsKind(r, RangeKind::Rising))
        return band == 1 ? Band{r.normalHigh, r.outer1} : Band{r.outer1, r.outer2};
    if (IsKind(r, RangeKind::Falling))
        return band == 1 ? Band{r.outer1, r.normalLow} : Band{r.outer2, r.outer1};
    if (SideDrawForced(slot, item, age))
        return {r.normalLow, r.normalHigh};
    return SideBand(r);
}

double ClampFollowUp(const ItemRange& r, double v, double e) {
    if (IsKind(r, RangeKind::Rising)) {
        if (v < r.normalLow)
            return r.normalLow + e;
        if (v > r.outer2)
            return r.outer2 - e;
        return v;
    }
    if (IsKind(r, RangeKind::Falling)) {
        if (v > r.normalHigh)
            return r.normalHigh - e;
        if (v < r.outer2)
            return r.outer2 + e;
        return v;
    }
    if (v > r.outer2)
        return r.outer2 - e;
    if (v < r.outer1)
        return r.outer1 + e;
    return v;
}

} // namespace

BandShares ComputeBandShares(std::string_view weightClass, int age) {
    BandShares shares;
    if (weightClass == LoadString(ids::SevereUnderweight) ||
        weightClass == LoadString(ids::SeverePartialFat))
        shares = {50, 75};
    else if (weightClass == LoadString(ids::MildUnderweight) ||
             weightClass == LoadString(ids::SlightlyHeavier))
        shares = {60, 85};
    const int less = age >= 50 ? 10 : age >= 35 ? 5 : 0;
    shares.normalCut -= less;
    shares.mildCut -= less;
    return shares;
}

int ChooseBand(int r, const BandShares& shares) {
    if (r < shares.normalCut)
        return 0;
    return r < shares.mildCut ? 1 : 2;
}

void SeedGeneratorFromClock() {
    rng::Seed(static_cast<std::uint32_t>(CurrentTimeSeconds()));
}

double DrawInBand(double lo, double hi) {
    const int width = static_cast<int>((hi - lo) * 1000.0);
    if (width == 0)
        return lo;
    return lo + (rng::Next() % width) / 1000.0;
}

std::vector<double> DrawFreshValues(int slot, const BandShares& shares, int age) {
    ReportItems items;
    if (!GetReportItems(slot, items))
        return {};
    std::vector<double> values;
    values.reserve(items.ranges.size());
    for (std::size_t i = 0; i < items.ranges.size(); ++i) {
        const ItemRange& range = items.ranges[i];
        const int band = ChooseBand(rng::Next() % 100, shares);
        const Band b = ChooseItemBand(range, band, slot, static_cast<int>(i) + 1, age);
        values.push_back(DrawInBand(b.lo, b.hi));
    }
    return values;
}

int FollowUpDays(double earlierOleDate, double nowOleDate) {
    constexpr double kHalfSecond = 1.0 / 172800.0;
    const double span = nowOleDate - earlierOleDate;
    const double rounded = span >= 0 ? span + kHalfSecond : span - kHalfSecond;
    if (std::isnan(rounded) || rounded < 1.0)
        return 0;
    return rounded >= 10.0 ? 10 : static_cast<int>(rounded);
}

std::vector<double> DrawFollowUpValues(int slot, std::span<const double> earlier, int days) {
    ReportItems items;
    if (!GetReportItems(slot, items))
        return {};
    std::vector<double> values;
    values.reserve(items.ranges.size());
    for (std::size_t i = 0; i < items.ranges.size(); ++i) {
        const ItemRange& r = items.ranges[i];
        const double p = i < earlier.size() ? earlier[i] : 0.0;
        double step = (rng::Next() % 99 + 1) / 1000.0;
        if (r.normalHigh - r.normalLow > 2.0)
            step = (rng::Next() % 150 + 5) / 1000.0;
        const int t = rng::Next() % 10;
        const double v = t >= 5 ? p + days * step : p - days * step;
        const double e = (rng::Next() % 99 + 1) / 1000.0;
        values.push_back(ClampFollowUp(r, v, e));
    }
    return values;
}

std::array<std::string, 5> DrawTextReportValues() {
    std::array<std::string, 5> values;
    values[0] = TextReportItems[0].normalRange; // "No Direction", stored but never shown
    values[1] = TextReportItems[0].normalRange;
    std::array<char, 32> buffer{};
    const double shoulder = (rng::Next() % 10) / 100.0 + 0.1;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), shoulder,
                                   std::chars_format::fixed, 2)
                         .ptr;
    values[2] = "u" + std::string(buffer.data(), end);
    values[3] = TextReportItems[2].normalRange; // "+"
    values[4] = std::to_string(rng::Next() % 30 + 10) + "%";
    return values;
}

} // namespace hv
