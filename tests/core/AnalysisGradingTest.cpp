#include "analysis/Catalogue.h"
#include "analysis/Grading.h"

#include <gtest/gtest.h>

using namespace hv;

namespace {

ItemRange Range(int slot, int item) {
    ReportItems items;
    EXPECT_TRUE(GetReportItems(slot, items));
    return items.ranges[static_cast<std::size_t>(item - 1)];
}

struct GradeCase {
    const char* what;
    int slot;
    int item;
    double value;
    int code;
};

TEST(AnalysisGradingTest, GradesEveryKindWithItsClosedAndOpenEnds) {
    const std::vector<GradeCase> cases = {
        // rising: "Blood Viscosity" 48.264 / 65.371 / 69.645 / 73.673
        {"rising below normal", 0, 1, 48.263, 7},
        {"rising normalLow is normal", 0, 1, 48.264, 4},
        {"rising just under normalHigh", 0, 1, 65.370, 4},
        {"rising normalHigh is mild", 0, 1, 65.371, 5},
        {"rising outer1 is moderate", 0, 1, 69.645, 6},
        {"rising just under outer2", 0, 1, 73.672, 6},
        {"rising outer2 is severe", 0, 1, 73.673, 7},
        // falling: "Vascular Elasticity" 1.672 / 1.978 / 1.511 / 1.047
        {"falling above normal", 0, 5, 1.979, 1},
        {"falling normalHigh is normal", 0, 5, 1.978, 4},
        {"falling just over normalLow", 0, 5, 1.673, 4},
        {"falling normalLow is mild", 0, 5, 1.672, 3},
        {"falling outer1 is moderate", 0, 5, 1.511, 2},
        {"falling just over outer2", 0, 5, 1.048, 2},
        {"falling outer2 is severe", 0, 5, 1.047, 1},
        // two-sided: "Coronary Perfusion Pressure" 11.719 / 18.418 / 8.481 / 21.274
        {"two-sided below outer1", 0, 13, 8.480, 1},
        {"two-sided outer1 is moderate low", 0, 13, 8.481, 2},
        {"two-sided normalLow is normal", 0, 13, 11.719, 4},
        {"two-sided normalHigh is moderate high", 0, 13, 18.418, 6},
        {"two-sided just under outer2", 0, 13, 21.273, 6},
        {"two-sided outer2 is severe", 0, 13, 21.274, 7},
        // reference: "Serum Globulin (A/G)" 126 / 159, both ends within
        {"reference below", 3, 1, 125.999, 9},
        {"reference normalLow is within", 3, 1, 126.0, 8},
        {"reference normalHigh is within", 3, 1, 159.0, 8},
        {"reference above", 3, 1, 159.001, 10},
        // the reversed record of "Total Bilirubin (TBIL)" grades as any reference item
        {"TBIL upper band", 3, 2, 0.748, 10},
        {"TBIL clamped follow-up", 3, 2, 0.600, 8},
        // "PH" 7.35 / 7.45
        {"PH acid", 12, 5, 7.349, 9},
        {"PH within", 12, 5, 7.449, 8},
        {"PH alkaline", 12, 5, 7.451, 10},
    };
    for (const GradeCase& c : cases)
        EXPECT_EQ(GradeValue(Range(c.slot, c.item), c.value), c.code) << c.what;
}

TEST(AnalysisGradingTest, MapsCodesToColoursAndWords) {
    struct Case {
        int code;
        int slot;
        int item;
        int color;
        std::string_view label;
    };
    const std::vector<Case> cases = {
        {1, 0, 1, 3, "Severely Abnormal(+++)"},
        {2, 0, 1, 2, "Moderately Abnormal(++)"},
        {3, 0, 1, 1, "Mildly Abnormal(+)"},
        {4, 0, 1, 0, "Normal(-)"},
        {5, 0, 1, 1, "Mildly Abnormal(+)"},
        {6, 0, 1, 2, "Moderately Abnormal(++)"},
        {7, 0, 1, 3, "Severely Abnormal(+++)"},
        {8, 3, 1, 0, "Health Scope"},
        {9, 3, 1, 3, "Reduction"},
        {10, 3, 1, 3, "Increase"},
        {8, 3, 5, 0, "Health Scope"}, // "Bilirubin (DBIL)"
        {9, 3, 5, 3, "Negative"},
        {10, 3, 5, 3, "Positive"},
        {9, 11, 3, 3, "Negative"}, // "Urine Sugar Coefficient"
        {10, 11, 3, 3, "Positive"},
        {8, 12, 5, 0, "Normal"}, // "PH"
        {9, 12, 5, 3, "Acid"},
        {10, 12, 5, 3, "Alkaline"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "code " << c.code << " slot " << c.slot << " item " << c.item);
        EXPECT_EQ(GradeColorIndex(c.code), c.color);
        EXPECT_EQ(GradeLabels[static_cast<std::size_t>(GradeLabelIndex(c.code, c.slot, c.item))],
                  c.label);
    }
}

TEST(AnalysisGradingTest, MarksAGradeAsPictureOrColouredWord) {
    EXPECT_EQ(GradeMark(false, 4, 0, 1), "<font color=#339966>Normal(-)</font>");
    EXPECT_EQ(GradeMark(false, 10, 12, 5), "<font color=#FF0000>Alkaline</font>");
    EXPECT_EQ(GradeMark(false, 5, 0, 1), "<font color=#0000FF>Mildly Abnormal(+)</font>");
    EXPECT_EQ(GradeMark(false, 2, 0, 5), "<font color=#FF6600>Moderately Abnormal(++)</font>");
    EXPECT_EQ(GradeMark(true, 6, 0, 1), "<image src=YC06.gif border=0>");
    EXPECT_EQ(GradeMark(true, 10, 3, 2), "<image src=YC10.gif border=0>");
}

TEST(AnalysisGradingTest, ClassifiesGradesForTheSummary) {
    struct Case {
        int code;
        std::string_view type;
        std::string_view result;
    };
    const std::vector<Case> cases = {
        {1, "A", "Severely Abnormal(+++)"},
        {7, "A", "Severely Abnormal(+++)"},
        {2, "B", "Moderately Abnormal(++)"},
        {6, "B", "Moderately Abnormal(++)"},
        {3, "C", "Mildly Abnormal(+)"},
        {5, "C", "Mildly Abnormal(+)"},
        {9, "C", "Mildly Abnormal(+)"},
        {10, "C", "Mildly Abnormal(+)"},
        {4, "D", "Normal(-)"},
        {8, "D", "Normal(-)"},
    };
    for (const Case& c : cases) {
        const GradeClass g = GradeToType(c.code);
        EXPECT_EQ(g.type, c.type) << c.code;
        EXPECT_EQ(g.result, c.result) << c.code;
    }
}

} // namespace
