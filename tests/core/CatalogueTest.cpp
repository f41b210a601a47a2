#include "analysis/Catalogue.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace hv {
namespace {

struct Band {
    double low;
    double high;
};

// The bands that value generation draws from, per kind: normal, then the mild and moderate
// bands (the two outer bands of the two-sided and reference kinds).
std::vector<Band> BandsOf(const ItemRange& r) {
    if (IsKind(r, RangeKind::Rising))
        return {{r.normalLow, r.normalHigh}, {r.normalHigh, r.outer1}, {r.outer1, r.outer2}};
    if (IsKind(r, RangeKind::Falling))
        return {{r.normalLow, r.normalHigh}, {r.outer1, r.normalLow}, {r.outer2, r.outer1}};
    return {{r.normalLow, r.normalHigh}, {r.outer1, r.normalLow}, {r.normalHigh, r.outer2}};
}

// A band's width in thousandths as value generation computes it (truncated toward zero);
// it is the divisor of the drawn remainder, so it must be at least 1.
long long WidthInThousandths(const Band& b) {
    return static_cast<long long>((b.high - b.low) * 1000.0);
}

bool HasAtMostThreeDecimals(double v) {
    const double scaled = v * 1000.0;
    return std::fabs(scaled - std::round(scaled)) < 1e-6;
}

struct NumericItem {
    int slot;
    int item; // 1-based
    std::string_view name;
    ItemRange range;
};

std::vector<NumericItem> AllNumericItems() {
    std::vector<NumericItem> all;
    for (int slot = 0; slot < kReportSlotCount; ++slot) {
        ReportItems items;
        if (!GetReportItems(slot, items))
            continue;
        for (std::size_t i = 0; i < items.ranges.size(); ++i)
            all.push_back({slot, static_cast<int>(i) + 1, items.names[i], items.ranges[i]});
    }
    return all;
}

bool IsTotalBilirubin(const NumericItem& it) {
    return it.slot == 3 && it.item == 2;
}

std::string Where(const NumericItem& it) {
    return "slot " + std::to_string(it.slot) + " item " + std::to_string(it.item) + " (" +
           std::string(it.name) + ")";
}

TEST(CatalogueTest, ItemCountsFollowTheTableAndMatchTheLists) {
    constexpr std::array<int, kReportSlotCount> expected{
        15, 5, 5,  5,  3, 4,  4, 5, 4, 5, 5, 3, 5, 5,  19, 3,  3, 9, 10, 7,
        9,  5, 10, 10, 7, 16, 8, 5, 5, 6, 5, 4, 7, 16, 9,  14, 4, 4, 4,  0};
    for (int slot = 0; slot < kReportSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(ItemCount(slot), expected[static_cast<std::size_t>(slot)]);
        ReportItems items;
        if (slot == kTextReportSlot || slot == kBodyCompositionSlot)
            continue;
        ASSERT_TRUE(GetReportItems(slot, items));
        EXPECT_EQ(items.names.size(), static_cast<std::size_t>(ItemCount(slot)));
        EXPECT_EQ(items.ranges.size(), static_cast<std::size_t>(ItemCount(slot)));
    }
    EXPECT_EQ(AllNumericItems().size(), 268u); // 272 items less the four text-valued ones
}

TEST(CatalogueTest, SlotsWithoutNumericItemsHaveNoEntry) {
    for (int slot : {kTextReportSlot, kBodyCompositionSlot, -1, kReportSlotCount, 1000}) {
        SCOPED_TRACE(slot);
        ReportItems items;
        EXPECT_FALSE(GetReportItems(slot, items));
    }
    EXPECT_EQ(ItemCount(-1), 0);
    EXPECT_EQ(ItemCount(kReportSlotCount), 0);
}

TEST(CatalogueTest, ReportNumbers) {
    const std::array<std::pair<int, int>, 4> cases{{{0, 1}, {8, 9}, {38, 39}, {39, 99}}};
    for (auto [slot, number] : cases)
        EXPECT_EQ(ReportNumber(slot), number) << slot;
}

TEST(CatalogueTest, EveryRecordKeepsTheLimitOrderOfItsKind) {
    for (const NumericItem& it : AllNumericItems()) {
        SCOPED_TRACE(Where(it));
        const ItemRange& r = it.range;
        if (IsKind(r, RangeKind::Rising)) {
            EXPECT_LT(r.normalLow, r.normalHigh);
            EXPECT_LT(r.normalHigh, r.outer1);
            EXPECT_LT(r.outer1, r.outer2);
        } else if (IsKind(r, RangeKind::Falling)) {
            EXPECT_LT(r.outer2, r.outer1);
            EXPECT_LT(r.outer1, r.normalLow);
            EXPECT_LT(r.normalLow, r.normalHigh);
        } else if (IsKind(r, RangeKind::TwoSided) || IsKind(r, RangeKind::Reference)) {
            EXPECT_LT(r.outer1, r.normalLow);
            EXPECT_LT(r.normalLow, r.normalHigh);
            if (IsTotalBilirubin(it)) {
                // The one record that breaks the order on purpose.
                EXPECT_GT(r.normalHigh, r.outer2);
            } else {
                EXPECT_LT(r.normalHigh, r.outer2);
            }
        } else {
            ADD_FAILURE() << "kind " << r.kind << " is none of 0..3";
        }
    }
}

TEST(CatalogueTest, EveryBandIsWideEnoughToDrawFrom) {
    for (const NumericItem& it : AllNumericItems()) {
        SCOPED_TRACE(Where(it));
        const std::vector<Band> bands = BandsOf(it.range);
        for (std::size_t b = 0; b < bands.size(); ++b) {
            SCOPED_TRACE("band " + std::to_string(b));
            if (IsTotalBilirubin(it) && b == 2) {
                // The reversed upper band: 0.686 down to 0.623.
                EXPECT_EQ(WidthInThousandths(bands[b]), -63);
                continue;
            }
            EXPECT_GE(bands[b].high - bands[b].low, 0.001 - 1e-9);
            EXPECT_GE(WidthInThousandths(bands[b]), 1);
        }
    }
}

TEST(CatalogueTest, EveryLimitIsPositiveWithAtMostThreeDecimals) {
    for (const NumericItem& it : AllNumericItems()) {
        SCOPED_TRACE(Where(it));
        for (double v :
             {it.range.normalLow, it.range.normalHigh, it.range.outer1, it.range.outer2}) {
            EXPECT_GT(v, 0.0);
            EXPECT_TRUE(HasAtMostThreeDecimals(v)) << v;
        }
    }
}

TEST(CatalogueTest, TwoSidedAndReferenceItemsAreExactlyTheKnownOnes) {
    std::set<std::pair<int, int>> twoSided;
    std::set<std::pair<int, int>> reference;
    for (const NumericItem& it : AllNumericItems()) {
        if (IsKind(it.range, RangeKind::TwoSided))
            twoSided.insert({it.slot, it.item});
        if (IsKind(it.range, RangeKind::Reference))
            reference.insert({it.slot, it.item});
    }
    EXPECT_EQ(twoSided, (std::set<std::pair<int, int>>{{0, 13}}));
    const std::set<std::pair<int, int>> expectedReference{
        {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5},  {4, 1},  {4, 2},  {4, 3},
        {6, 1}, {6, 2}, {6, 3}, {6, 4}, {11, 1}, {11, 2}, {11, 3}, {12, 5}};
    EXPECT_EQ(reference, expectedReference);
}

struct GivenRecord {
    int slot;
    int item;
    ItemRange range;
};

// The records fixed for the reports with every feature of the table, and a few chosen
// values that the explanatory texts and whole-number ranges rely on.
TEST(CatalogueTest, FixedRecordsAreExact) {
    constexpr double R = 0.0, F = 1.0, T = 2.0, X = 3.0;
    const std::vector<GivenRecord> records{
        {0, 1, {48.264, 65.371, 69.645, 73.673, R}},
        {0, 2, {56.749, 67.522, 69.447, 74.927, R}},
        {0, 3, {0.481, 1.043, 1.669, 1.892, R}},
        {0, 4, {0.327, 0.937, 1.543, 1.857, R}},
        {0, 5, {1.672, 1.978, 1.511, 1.047, F}},
        {0, 6, {0.192, 0.412, 0.571, 0.716, R}},
        {0, 7, {4.832, 5.147, 4.177, 4.029, F}},
        {0, 8, {3.321, 4.244, 5.847, 6.472, R}},
        {0, 9, {1.338, 1.672, 0.647, 0.139, F}},
        {0, 10, {0.669, 1.544, 2.037, 2.417, R}},
        {0, 11, {1.554, 1.988, 1.076, 0.597, F}},
        {0, 12, {1.553, 2.187, 1.182, 0.983, F}},
        {0, 13, {11.719, 18.418, 8.481, 21.274, T}},
        {0, 14, {0.708, 1.942, 0.431, 0.109, F}},
        {0, 15, {6.138, 21.396, 3.219, 1.214, F}},
        {3, 1, {126, 159, 116, 169, X}},
        {3, 2, {0.232, 0.686, 0.201, 0.623, X}},
        {3, 3, {0.082, 0.342, 0.041, 0.422, X}},
        {3, 4, {0.317, 0.695, 0.237, 0.812, X}},
        {3, 5, {0.218, 0.549, 0.122, 0.693, X}},
        {11, 1, {2.967, 3.528, 2.832, 3.743, X}},
        {11, 2, {2.163, 7.321, 1.974, 7.632, X}},
        {11, 3, {2.204, 2.819, 2.062, 3.014, X}},
        {12, 1, {59.786, 65.424, 57.331, 54.347, F}},
        {12, 2, {58.715, 63.213, 56.729, 52.743, F}},
        {12, 3, {33.967, 37.642, 31.265, 28.431, F}},
        {12, 4, {133.642, 141.476, 126.619, 123.321, F}},
        {12, 5, {7.35, 7.45, 7.34, 7.46, X}},
        // Chosen: the reference example of report 16 and the whole-number ranges.
        {15, 1, {1.023, 3.230, 4.258, 6.549, R}},
        {4, 1, {2.845, 4.017, 2.634, 4.158, X}},
    };
    for (const GivenRecord& g : records) {
        SCOPED_TRACE("slot " + std::to_string(g.slot) + " item " + std::to_string(g.item));
        ReportItems items;
        ASSERT_TRUE(GetReportItems(g.slot, items));
        const ItemRange& r = items.ranges[static_cast<std::size_t>(g.item - 1)];
        EXPECT_EQ(r.normalLow, g.range.normalLow);
        EXPECT_EQ(r.normalHigh, g.range.normalHigh);
        EXPECT_EQ(r.outer1, g.range.outer1);
        EXPECT_EQ(r.outer2, g.range.outer2);
        EXPECT_EQ(r.kind, g.range.kind);
    }
}

TEST(CatalogueTest, WholeNumberRanges) {
    const std::array<std::tuple<int, int, double, double>, 2> cases{{
        {10, 1, 421, 540},  // "Degree of Cervical Calcification"
        {6, 2, 4301, 4782}, // "Total Lung Capacity TLC"
    }};
    for (auto [slot, item, low, high] : cases) {
        ReportItems items;
        ASSERT_TRUE(GetReportItems(slot, items));
        const ItemRange& r = items.ranges[static_cast<std::size_t>(item - 1)];
        EXPECT_EQ(r.normalLow, low);
        EXPECT_EQ(r.normalHigh, high);
        EXPECT_EQ(r.outer1, std::floor(r.outer1));
        EXPECT_EQ(r.outer2, std::floor(r.outer2));
    }
}

struct NameCase {
    int slot;
    int item;
    std::string_view name;
};

TEST(CatalogueTest, ItemNamesAreSpelledExactly) {
    const std::vector<NameCase> cases{
        {0, 1, "Blood Viscosity"},
        {0, 13, "Coronary Perfusion Pressure"},
        {3, 1, "Serum Globulin (A/G)"},
        {3, 2, "Total Bilirubin (TBIL)"},
        {3, 5, "Bilirubin (DBIL)"},
        {5, 3, "Blood urea nitrogen(BUN) Index"},
        {6, 4, "Arterial Oxygen Content PaCO2"},
        {7, 5, "Memory Index(ZS)"},
        {10, 1, "Degree of Cervical Calcification"},
        {11, 3, "Urine Sugar Coefficient"},
        {12, 5, "PH"},
        {13, 4, "Tobacco / Nicotine"},
        {14, 19, "Boron"},
        {16, 2, "Gonadotropin"},
        {17, 2, "Gonadotropin"},
        {25, 4, "Cain mixture"},
        {25, 10, "Kaba mixture"},
        {26, 5, "Relaxation under the vertical"},
        {30, 2, "PH"},
        {32, 1, "Blood viscosity"},
        {32, 6, "Meutral fat(MB)"},
        {33, 5, "Hand Shao Yin Heart Sutra"},
        {33, 6, "Hand the small intestine by the sun"},
        {33, 9, "Pericardium by"},
        {33, 16, "Tai mai"},
        {34, 9, "Cerebrovascular blood oxygen presure(PaO2)"},
        {35, 8, "Motion systems"},
        {37, 4, "Three triiodothyronine (T3)"},
        {38, 1, "An oxygen-hydroxy phenyl ethanol"},
        {38, 4, "Creatine hormone"},
    };
    for (const NameCase& c : cases) {
        ReportItems items;
        ASSERT_TRUE(GetReportItems(c.slot, items));
        ASSERT_LE(c.item, static_cast<int>(items.names.size()));
        EXPECT_EQ(items.names[static_cast<std::size_t>(c.item - 1)], c.name)
            << "slot " << c.slot << " item " << c.item;
    }
}

// Names are inserted into pages as they are, so none may carry HTML markup characters.
TEST(CatalogueTest, ItemNamesAreSafeAsHtmlText) {
    for (const NumericItem& it : AllNumericItems()) {
        EXPECT_FALSE(it.name.empty()) << Where(it);
        EXPECT_EQ(it.name.find_first_of("<>&\""), std::string_view::npos) << Where(it);
    }
}

TEST(CatalogueTest, TextReportItems) {
    const std::array<std::pair<std::string_view, std::string_view>, 4> expected{{
        {"Lumbar Fiber Protruding Dimension", "No Direction"},
        {"Adhesion Degree of Shoulder Muscle", "< u0.2"},
        {"Limbs Circulation Limit", "+"},
        {"Age of Ligament", "10%-40%"},
    }};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(TextReportItems[i].name, expected[i].first);
        EXPECT_EQ(TextReportItems[i].normalRange, expected[i].second);
    }
}

TEST(CatalogueTest, GradeWordsAndColours) {
    const std::array<std::string_view, 13> labels{"Normal(-)",
                                                  "Mildly Abnormal(+)",
                                                  "Moderately Abnormal(++)",
                                                  "Severely Abnormal(+++)",
                                                  "Health Scope",
                                                  "Reduction",
                                                  "Increase",
                                                  "Health Scope",
                                                  "Negative",
                                                  "Positive",
                                                  "Normal",
                                                  "Acid",
                                                  "Alkaline"};
    EXPECT_EQ(GradeLabels, labels);
    const std::array<std::string_view, 4> colours{"#339966", "#0000FF", "#FF6600", "#FF0000"};
    EXPECT_EQ(GradeColors, colours);
    EXPECT_EQ(kCompositeFileName, "Compositive Report");
    EXPECT_EQ(kCompositeTitle, "Comprehensive Report Card");
}

TEST(CatalogueTest, ReferenceItemsPickTheirOwnResultWords) {
    struct Case {
        int slot;
        int item;
        std::string_view below;
        std::string_view above;
    };
    const std::array<Case, 5> cases{{
        {3, 5, "Negative", "Positive"},  // Bilirubin (DBIL)
        {11, 3, "Negative", "Positive"}, // Urine Sugar Coefficient
        {12, 5, "Acid", "Alkaline"},     // PH
        {3, 4, "Reduction", "Increase"},
        {6, 2, "Reduction", "Increase"},
    }};
    for (const Case& c : cases) {
        const auto base = static_cast<std::size_t>(ReferenceLabelBase(c.slot, c.item));
        ASSERT_LE(base + 2, GradeLabels.size() - 1);
        EXPECT_EQ(GradeLabels[base + 1], c.below) << c.slot << "/" << c.item;
        EXPECT_EQ(GradeLabels[base + 2], c.above) << c.slot << "/" << c.item;
    }
}

} // namespace
} // namespace hv
