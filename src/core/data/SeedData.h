#pragma once

#include <span>
#include <string_view>

namespace hv {

// The installation rows of the delivered database: the 40 reports with their names and
// audiences, and two advice texts per report.

struct SeedReport {
    std::string_view reportNo; // "R01" .. "R39", "R99"
    std::string_view name;     // display name; also part of the page file name
    std::string_view sex;      // "A" both, "M" men only, "F" women only
    std::string_view adviceA;  // listed under "About the probably hidden problems"
    std::string_view adviceB;  // listed under "About the problems of sub-health trends"
};

std::span<const SeedReport> SeedReports();

// The first OrderNo of each advice kind; a report's advice is base + its slot.
inline constexpr int kAdviceOrderBaseA = 1;
inline constexpr int kAdviceOrderBaseB = 101;

} // namespace hv
