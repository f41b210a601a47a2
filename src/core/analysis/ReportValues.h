#pragma once

#include "analysis/Catalogue.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// How often a fresh value falls in each band, in percent: r = rand() % 100 is normal below
// normalCut, mildly abnormal below mildCut and moderately abnormal from there on.
struct BandShares {
    int normalCut = 75;
    int mildCut = 90;

    bool operator==(const BandShares&) const = default;
};

// The shares for a person: heavier or lighter than the standard weight class means fewer
// normal values, and so does age (35 to 49: 5 points fewer, 50 and over: 10 points fewer).
// weightClass is compared exactly with the weight-class texts of the string table.
BandShares ComputeBandShares(std::string_view weightClass, int age);

// The band of a draw r (0..99): 0 normal, 1 mild, 2 moderate.
int ChooseBand(int r, const BandShares& shares);

// Seeds this thread's generator with the current time in whole seconds.
void SeedGeneratorFromClock();

// A value drawn from a band in steps of 0.001: lo + (rand() % w) / 1000 with w the band
// width in thousandths, truncated. A reversed band (hi below lo) still draws upwards from
// lo, since the remainder keeps the sign of the dividend. A band narrower than 0.001 gives
// lo without a draw.
double DrawInBand(double lo, double hi);

// Fresh values of a numeric slot, drawn with the generator's current state: per item the
// band choice, then for two-sided and reference items outside the normal band the side
// (not for slot 11 at ages under 35, nor for "PH"), then the value.
std::vector<double> DrawFreshValues(int slot, const BandShares& shares, int age);

// Days since the earlier test, as a date span rounds them, limited to 0..10.
int FollowUpDays(double earlierOleDate, double nowOleDate);

// Values of a numeric slot that drift from a person's earlier values by up to 0.099 (0.154
// for items whose normal range is wider than 2) per day, kept inside the item's limits.
// With days 0 the earlier values are copied (pulled inside the limits where needed).
std::vector<double> DrawFollowUpValues(int slot, std::span<const double> earlier, int days);

// The five stored texts of the text-valued report (Value01 .. Value05), drawn with the
// generator's current state: the direction twice, the shoulder value "u0.10".."u0.19", the
// circulation mark and the ligament age "10%".."39%".
std::array<std::string, 5> DrawTextReportValues();

} // namespace hv
