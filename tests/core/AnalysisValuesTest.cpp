#include "analysis/Catalogue.h"
#include "analysis/Grading.h"
#include "analysis/ReportValues.h"
#include "common/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace hv;

namespace {

const ItemRange& Range(int slot, int item) {
    static ReportItems items;
    EXPECT_TRUE(GetReportItems(slot, items));
    return items.ranges[static_cast<std::size_t>(item - 1)];
}

// Values are multiples of 0.001 away from their band's start; compare in thousandths.
long Thousandths(double v) {
    return std::lround(v * 1000.0);
}

TEST(AnalysisValuesTest, BandSharesFollowWeightClassAndAge) {
    struct Case {
        std::string_view weightClass;
        int age;
        BandShares shares;
    };
    const std::vector<Case> cases = {
        {"Standard body weight", 34, {75, 90}},
        {"Standard body weight", 35, {70, 85}},
        {"Standard body weight", 40, {70, 85}},
        {"Standard body weight", 49, {70, 85}},
        {"Standard body weight", 50, {65, 80}},
        {"Severe underweight", 20, {50, 75}},
        {"Severe partial fat", 50, {40, 65}},
        {"Mild underweight", 35, {55, 80}},
        {"Slightly heavier than the standard", 20, {60, 85}},
        {"", 20, {75, 90}},
        {"severe underweight", 20, {75, 90}}, // compared exactly, case included
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeBandShares(c.weightClass, c.age), c.shares)
            << c.weightClass << " at " << c.age;
}

TEST(AnalysisValuesTest, BandChoiceSwitchesExactlyAtTheCuts) {
    const BandShares shares{65, 80}; // a standard-weight person of 50 or older
    const std::vector<std::pair<int, int>> cases = {{0, 0},  {64, 0}, {65, 1},
                                                    {79, 1}, {80, 2}, {99, 2}};
    for (const auto& [r, band] : cases)
        EXPECT_EQ(ChooseBand(r, shares), band) << r;
}

TEST(AnalysisValuesTest, BandWidthIsTruncatedToWholeThousandths) {
    // "Blood Viscosity" 48.264..65.371 is 17106 thousandths wide, not 17107.
    rng::Seed(1);
    std::set<long> seen;
    for (int i = 0; i < 400000; ++i)
        seen.insert(Thousandths(DrawInBand(48.264, 65.371)));
    EXPECT_EQ(seen.size(), 17106u);
    EXPECT_EQ(*seen.begin(), 48264);
    EXPECT_EQ(*seen.rbegin(), 65369);
}

TEST(AnalysisValuesTest, ReversedUpperBandOfTotalBilirubinDrawsUpwards) {
    const ItemRange& tbil = Range(3, 2);
    rng::Seed(7);
    std::set<long> seen;
    for (int i = 0; i < 20000; ++i) {
        const double v = DrawInBand(tbil.normalHigh, tbil.outer2);
        seen.insert(Thousandths(v));
        // Above the range ("Increase"), except the band's start, which is normalHigh itself.
        ASSERT_EQ(GradeValue(tbil, v), Thousandths(v) == 686 ? 8 : 10) << v;
    }
    EXPECT_EQ(seen.size(), 63u);
    EXPECT_EQ(*seen.begin(), 686);
    EXPECT_EQ(*seen.rbegin(), 748);
}

TEST(AnalysisValuesTest, BandNarrowerThanOneThousandthGivesItsStart) {
    rng::Seed(1);
    EXPECT_EQ(DrawInBand(2.5, 2.5), 2.5);
    EXPECT_EQ(DrawInBand(2.5, 2.5004), 2.5);
    EXPECT_EQ(rng::Next(), 41); // no draw was made
}

TEST(AnalysisValuesTest, FreshValuesDrawBandThenSideThenValuePerItem) {
    rng::Seed(1);
    const std::vector<double> first = DrawFreshValues(0, {75, 90}, 40);
    ASSERT_EQ(first.size(), 15u);
    EXPECT_DOUBLE_EQ(first[0], 49.625); // r = 41: normal; 48.264 + 18467 % 17106 / 1000

    // Every item outside the normal band: side draws 7 and 9 pick the low side.
    rng::Seed(1);
    const std::vector<double> reference = DrawFreshValues(3, {0, 0}, 40);
    ASSERT_EQ(reference.size(), 5u);
    EXPECT_DOUBLE_EQ(reference[0], 122.334);
    EXPECT_DOUBLE_EQ(reference[1], 0.208);
}

// A value drawn from a band lies in its first |width| thousandths (a reversed band counts
// upwards from its start).
bool InBand(double v, double lo, double hi) {
    const long width = std::labs(Thousandths(hi) - Thousandths(lo));
    return Thousandths(v) >= Thousandths(lo) && Thousandths(v) < Thousandths(lo) + width;
}

// For each share setting, every fresh value of every numeric slot lies in the band the
// shares force (two-sided and reference items on either side of their range, except the
// items that always stay normal).
TEST(AnalysisValuesTest, FreshValuesLieInTheForcedBandOfEveryItem) {
    for (int forced = 0; forced < 3; ++forced) {
        const BandShares shares = forced == 0   ? BandShares{100, 100}
                                  : forced == 1 ? BandShares{0, 100}
                                                : BandShares{0, 0};
        for (std::uint32_t seed : {1u, 1700000000u, 4242u}) {
            rng::Seed(seed);
            for (int slot = 0; slot < 39; ++slot) {
                ReportItems items;
                if (!GetReportItems(slot, items))
                    continue;
                const std::vector<double> values = DrawFreshValues(slot, shares, 40);
                ASSERT_EQ(values.size(), items.ranges.size());
                for (std::size_t i = 0; i < values.size(); ++i) {
                    const ItemRange& r = items.ranges[i];
                    const double v = values[i];
                    SCOPED_TRACE(testing::Message() << "band " << forced << " slot " << slot
                                                    << " item " << i + 1 << " value " << v);
                    const bool ph = slot == 12 && i == 4;
                    if (forced == 0 || ph)
                        EXPECT_TRUE(InBand(v, r.normalLow, r.normalHigh));
                    else if (IsKind(r, RangeKind::Rising))
                        EXPECT_TRUE(forced == 1 ? InBand(v, r.normalHigh, r.outer1)
                                                : InBand(v, r.outer1, r.outer2));
                    else if (IsKind(r, RangeKind::Falling))
                        EXPECT_TRUE(forced == 1 ? InBand(v, r.outer1, r.normalLow)
                                                : InBand(v, r.outer2, r.outer1));
                    else
                        EXPECT_TRUE(InBand(v, r.outer1, r.normalLow) ||
                                    InBand(v, r.normalHigh, r.outer2));
                }
            }
        }
    }
}

TEST(AnalysisValuesTest, BloodSugarReportStaysNormalUnder35) {
    const auto outside = [](int age) {
        int count = 0;
        for (std::uint32_t seed = 1; seed <= 50; ++seed) {
            rng::Seed(seed);
            const std::vector<double> values = DrawFreshValues(11, {0, 0}, age);
            for (int item = 1; item <= 3; ++item)
                count +=
                    GradeValue(Range(11, item), values[static_cast<std::size_t>(item - 1)]) != 8;
        }
        return count;
    };
    EXPECT_EQ(outside(34), 0);
    EXPECT_GT(outside(35), 0);
}

TEST(AnalysisValuesTest, FreshPhAlwaysLiesWithinItsRange) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        rng::Seed(seed);
        const double ph = DrawFreshValues(12, {0, 0}, 60)[4];
        ASSERT_GE(Thousandths(ph), 7350);
        ASSERT_LE(Thousandths(ph), 7449);
        ASSERT_EQ(GradeValue(Range(12, 5), ph), 8);
    }
}

TEST(AnalysisValuesTest, FollowUpDaysRoundLikeADateSpanAndStayWithin0To10) {
    const double earlier = 45000.25;
    const double second = 1.0 / 86400.0;
    struct Case {
        double span;
        int days;
    };
    const std::vector<Case> cases = {
        {0.0, 0},
        {1.0 - 0.4 * second, 1}, // half a second short of a day still counts
        {1.0 - 1.0 * second, 0},
        {3.0, 3},
        {9.9, 9},
        {10.0, 10},
        {30.0, 10},
        {-2.0, 0}, // an earlier test dated after now
    };
    for (const Case& c : cases)
        EXPECT_EQ(FollowUpDays(earlier, earlier + c.span), c.days) << c.span;
}

TEST(AnalysisValuesTest, FollowUpDriftsByTheDrawnStepPerDay) {
    // Seed 1 draws 41, 18467, 6334, 26500: the first step (0.042) is replaced, since the
    // normal range is wider than 2, by 0.022; 6334 % 10 = 4 subtracts; the clamp margin
    // 0.068 is drawn but not needed.
    std::vector<double> earlier(15, 0.0);
    earlier[0] = 60.0;
    rng::Seed(1);
    const std::vector<double> values = DrawFollowUpValues(0, earlier, 10);
    EXPECT_DOUBLE_EQ(values[0], 59.78);
}

TEST(AnalysisValuesTest, SameDayFollowUpCopiesValuesInsideTheLimits) {
    for (int slot = 0; slot < 39; ++slot) {
        ReportItems items;
        if (!GetReportItems(slot, items))
            continue;
        rng::Seed(99);
        const std::vector<double> fresh = DrawFreshValues(slot, {60, 80}, 40);
        const std::vector<double> copied = DrawFollowUpValues(slot, fresh, 0);
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            const ItemRange& r = items.ranges[i];
            const bool reversedAbove = slot == 3 && i == 1 && fresh[i] > r.outer2;
            if (!reversedAbove) {
                EXPECT_EQ(copied[i], fresh[i]) << "slot " << slot << " item " << i + 1;
            }
        }
    }
}

TEST(AnalysisValuesTest, FollowUpClampsIntoTheLimitsOfEachKind) {
    struct Case {
        const char* what;
        int slot;
        int item;
        double earlier;
        double low; // the value lands in [low, high]
        double high;
    };
    const std::vector<Case> cases = {
        {"rising below normalLow", 0, 1, 10.0, 48.265, 48.363},
        {"rising above outer2", 0, 1, 90.0, 73.574, 73.672},
        {"falling above normalHigh", 0, 5, 5.0, 1.879, 1.977},
        {"falling below outer2", 0, 5, 0.1, 1.048, 1.146},
        {"two-sided above outer2", 0, 13, 30.0, 21.175, 21.273},
        {"two-sided below outer1", 0, 13, 1.0, 8.482, 8.580},
        {"TBIL above its outer2 lands in the normal range", 3, 2, 0.748, 0.524, 0.622},
        {"PH below outer1", 12, 5, 7.0, 7.341, 7.439},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            std::vector<double> earlier(static_cast<std::size_t>(ItemCount(c.slot)), 0.0);
            earlier[static_cast<std::size_t>(c.item - 1)] = c.earlier;
            rng::Seed(seed);
            const double v =
                DrawFollowUpValues(c.slot, earlier, 0)[static_cast<std::size_t>(c.item - 1)];
            ASSERT_GE(Thousandths(v), Thousandths(c.low)) << c.what;
            ASSERT_LE(Thousandths(v), Thousandths(c.high)) << c.what;
        }
    }
}

TEST(AnalysisValuesTest, PhFollowUpCanDriftOutOfItsRange) {
    std::set<int> codes;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        std::vector<double> earlier{60, 60, 33, 135, 7.40};
        rng::Seed(seed);
        const double ph = DrawFollowUpValues(12, earlier, 10)[4];
        ASSERT_GE(ph, 7.34);
        ASSERT_LE(ph, 7.46);
        codes.insert(GradeValue(Range(12, 5), ph));
    }
    EXPECT_EQ(codes, (std::set<int>{8, 9, 10}));
}

TEST(AnalysisValuesTest, TextReportDrawsShoulderValueAndLigamentAge) {
    rng::Seed(1);
    const auto first = DrawTextReportValues();
    EXPECT_EQ(first,
              (std::array<std::string, 5>{"No Direction", "No Direction", "u0.11", "+", "27%"}));
    std::set<std::string> shoulder, ligament;
    for (int i = 0; i < 2000; ++i) {
        const auto v = DrawTextReportValues();
        shoulder.insert(v[2]);
        ligament.insert(v[4]);
    }
    EXPECT_EQ(shoulder.size(), 10u);
    EXPECT_EQ(*shoulder.begin(), "u0.10");
    EXPECT_EQ(*shoulder.rbegin(), "u0.19");
    EXPECT_EQ(ligament.size(), 30u);
    EXPECT_TRUE(ligament.count("10%") && ligament.count("39%") && !ligament.count("40%"));
}

} // namespace
