#include "AnalysisTestSupport.h"
#include "DatabaseTest.h"
#include "FaultTriggers.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "analysis/BodyComposition.h"
#include "analysis/Catalogue.h"
#include "analysis/ValueText.h"
#include "common/Random.h"

#include <gtest/gtest.h>
#include <set>

using namespace hv;
using namespace hv::test;

namespace {

BodyMeasures Measures(const std::string& height, const std::string& weight, bool female, int age) {
    BodyMeasures m;
    EXPECT_TRUE(ParseBodyMeasures(height, weight, female, age, m)) << height << "/" << weight;
    return m;
}

double At(const std::vector<DbValue>& v, int column) {
    return v[static_cast<std::size_t>(column - 1)].AsDouble();
}

TEST(BodyCompositionTest, ManOf170And63KeepsHisWeight) {
    rng::Seed(1);
    const std::vector<DbValue> v = ComputeBodyComposition(Measures("170", "63", false, 40));
    ASSERT_EQ(v.size(), 28u);
    EXPECT_EQ(v[23], DbValue(62)); // trunc of 62.99999...
    EXPECT_EQ(v[24], DbValue(-1));
    EXPECT_EQ(At(v, 26), -1.0);
    EXPECT_EQ(At(v, 27), 0.0);
    EXPECT_EQ(v[15], DbValue(100));
    EXPECT_NEAR(At(v, 10), 205.917, 0.001);
    EXPECT_NEAR(At(v, 11), 200.0, 1e-9);
    EXPECT_EQ(v[8], DbValue(63));
    EXPECT_DOUBLE_EQ(At(v, 17), 21.7);
    EXPECT_EQ(v[17], DbValue(1512));
    for (int column = 20; column <= 23; ++column)
        EXPECT_TRUE(v[static_cast<std::size_t>(column - 1)].IsNull()) << column;
}

TEST(BodyCompositionTest, WomanOf160And54) {
    rng::Seed(1);
    const BodyMeasures m = Measures("160", "54", true, 30);
    EXPECT_DOUBLE_EQ(StandardWeight(m), 54.0);
    const std::vector<DbValue> v = ComputeBodyComposition(m);
    EXPECT_EQ(v[23], DbValue(54));
    EXPECT_EQ(v[24], DbValue(0));
    EXPECT_EQ(At(v, 26), 0.0);
    EXPECT_DOUBLE_EQ(At(v, 17), 21.0);
    EXPECT_EQ(v[17], DbValue(1336));
}

TEST(BodyCompositionTest, DrawsFatShareMuscleRatioWaistHipCellMassAndScoreInOrder) {
    // Seed 1 gives 41, 18467, 6334, 26500, 19169: fat k = 5, muscle 1.11, waist-hip 0.89,
    // cell mass 35.0, score 85 + 6.9.
    rng::Seed(1);
    const std::vector<DbValue> v = ComputeBodyComposition(Measures("170", "63", false, 40));
    EXPECT_DOUBLE_EQ(At(v, 5), 11.97);
    EXPECT_DOUBLE_EQ(At(v, 1), 24.57);
    EXPECT_DOUBLE_EQ(At(v, 3), 9.38);
    EXPECT_DOUBLE_EQ(At(v, 4), 3.85);
    EXPECT_EQ(ValueText(At(v, 6)), "37.8");
    EXPECT_EQ(ValueText(At(v, 7)), "47.18");
    EXPECT_EQ(ValueText(At(v, 8)), "51.03");
    EXPECT_EQ(v[11], DbValue(255));
    EXPECT_DOUBLE_EQ(At(v, 13), 227.5);
    EXPECT_DOUBLE_EQ(At(v, 14), 19.0);
    EXPECT_DOUBLE_EQ(At(v, 15), 0.89);
    EXPECT_DOUBLE_EQ(At(v, 19), 35.0);
    EXPECT_DOUBLE_EQ(At(v, 28), 91.9);
}

TEST(BodyCompositionTest, RandomPartsStayInTheirRanges) {
    std::set<double> fatShares;
    std::set<long long> muscleBars;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        rng::Seed(seed);
        const std::vector<DbValue> v = ComputeBodyComposition(Measures("182", "80", false, 33));
        fatShares.insert(std::round(At(v, 5) / 80 * 100));
        muscleBars.insert(v[11].AsInt64());
        ASSERT_GE(At(v, 15), 0.85);
        ASSERT_LE(At(v, 15), 0.99);
        ASSERT_GE(At(v, 19), 35.0);
        ASSERT_LE(At(v, 19), 39.99);
    }
    EXPECT_EQ(fatShares, (std::set<double>{14, 15, 16, 17, 18, 19}));
    EXPECT_EQ(*muscleBars.begin(), 250);
    EXPECT_EQ(*muscleBars.rbegin(), 315);
    EXPECT_EQ(muscleBars.size(), 14u);
}

TEST(BodyCompositionTest, BodyFormScoreBandFollowsHeightAndWeightRatios) {
    struct Case {
        std::string height;
        std::string weight;
        double low;
        double high;
    };
    const std::vector<Case> cases = {
        {"170", "63", 85, 94.9}, // both ratios close to 1
        {"170", "70", 70, 84.9}, // weight ratio 1.11
        {"150", "49", 60, 69.9}, // height ratio 0.89
        {"170", "80", 60, 69.9}, // weight ratio 1.27
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed = 1; seed <= 50; ++seed) {
            rng::Seed(seed);
            const double score =
                At(ComputeBodyComposition(Measures(c.height, c.weight, false, 40)), 28);
            ASSERT_GE(score, c.low) << c.height << "/" << c.weight;
            ASSERT_LE(score, c.high + 1e-9) << c.height << "/" << c.weight;
        }
    }
}

TEST(BodyCompositionTest, ReadsHeightAndWeightFromTheirLeadingDigits) {
    struct Case {
        std::string height;
        std::string weight;
        bool female;
        bool valid;
        int h;
        int w;
    };
    const std::vector<Case> cases = {
        {"172", "64", false, true, 172, 64},
        {"172.5", "64kg", false, true, 172, 64},
        {" 81", "9999", false, true, 81, 9999},
        {"80", "60", false, false, 0, 0}, // no standard weight for a man of 80 cm
        {"71", "20", true, true, 71, 20},
        {"70", "20", true, false, 0, 0},
        {"", "64", false, false, 0, 0},
        {"abc", "64", false, false, 0, 0},
        {"172", "zero", false, false, 0, 0},
        {"172", "0", false, false, 0, 0},
        {"-172", "64", false, false, 0, 0},
        {"172", "10000", false, false, 0, 0},
    };
    for (const Case& c : cases) {
        BodyMeasures m;
        EXPECT_EQ(ParseBodyMeasures(c.height, c.weight, c.female, 30, m), c.valid)
            << c.height << "/" << c.weight;
        if (c.valid) {
            EXPECT_EQ(m.height, c.h);
            EXPECT_EQ(m.weight, c.w);
            EXPECT_EQ(m.heightText, c.height);
        }
    }
}

// Stored values whose ratios are chosen: muscle volume (7), protein (3), inorganic
// substance (4) and body fat (5) against a man of 170 cm and the given weight.
std::vector<DbValue> StoredWith(double muscle, double protein, double inorganic, double fat) {
    std::vector<DbValue> v(28, DbValue(0.0));
    v[6] = muscle;
    v[2] = protein;
    v[3] = inorganic;
    v[4] = fat;
    return v;
}

TEST(BodyCompositionTest, AssessmentMarksOneCellPerRow) {
    // W = 63 (weight ratio 1.0, "Standard"): 0.4 W = 25.2, 0.18 W = 11.34, 0.045 W = 2.835,
    // W f = 10.71.
    const BodyMeasures m = Measures("170", "63", false, 40);
    struct Case {
        const char* what;
        std::vector<DbValue> stored;
        std::array<int, 4> marked; // muscle row * 3 + weight column, then the three others
    };
    const std::vector<Case> cases = {
        {"all within", StoredWith(25.2, 11.34, 2.835, 10.71), {4, 1, 1, 1}},
        {"all low", StoredWith(22.0, 10.0, 2.5, 9.0), {1, 0, 0, 0}},
        {"all high", StoredWith(47.18, 12.6, 3.85, 11.97), {7, 2, 2, 2}},
        {"ratios of exactly 0.9 and 1.1 are within",
         StoredWith(0.9 * (0.4 * 63), 1.1 * (0.18 * 63), 0.9 * (0.045 * 63), 1.1 * (63 * 0.17)),
         {4, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        const std::array<std::string, 18> cells = AssessmentCells(c.stored, m);
        std::array<std::string, 18> expected;
        expected.fill("&nbsp;");
        expected[static_cast<std::size_t>(c.marked[0])] = "#";
        for (std::size_t k = 0; k < 3; ++k)
            expected[9 + k * 3 + static_cast<std::size_t>(c.marked[k + 1])] = "#";
        EXPECT_EQ(cells, expected) << c.what;
    }
    // The weight columns follow W / S: 70 kg for 170 cm is "High weight", 50 kg "Low weight".
    EXPECT_EQ(AssessmentCells(StoredWith(28.0, 0, 0, 0), Measures("170", "70", false, 40))[5], "#");
    EXPECT_EQ(AssessmentCells(StoredWith(20.0, 0, 0, 0), Measures("170", "50", false, 40))[3], "#");
}

TEST(BodyCompositionTest, MuscleRowsUseMuscleVolumeNotObesityDegree) {
    // The composition was computed when the person weighed 60 kg; now 120 kg. Muscle volume
    // 45 against 0.4 * 120 = 48 is "Ordinary"; the obesity degree 100 would have said
    // "Muscles type".
    std::vector<DbValue> stored = StoredWith(45.0, 0, 0, 0);
    stored[15] = 100;
    const std::array<std::string, 18> cells =
        AssessmentCells(stored, Measures("170", "120", false, 40));
    EXPECT_EQ(cells[5], "#"); // "Ordinary", "High weight"
    EXPECT_EQ(cells[8], "&nbsp;");
}

TEST(BodyCompositionTest, PageBodyFillsEverySectionInOrder) {
    rng::Seed(1);
    const BodyMeasures m = Measures("170", "63", false, 40);
    const std::string body = BodyCompositionBody(ComputeBodyComposition(m), m);
    const std::vector<std::string> inOrder = {
        "<TD class=td>24.57</TD>",
        "<TD class=td>13.23</TD>",
        "(6)Body moisture=(1)+(2)=37.8</TD>",
        "<TD class=td>9.38</TD>",
        "(7)Muscle volume=(6)+(3)=47.18</TD>",
        "<TD class=td>3.85</TD>",
        "(8)Lean body weight=(7)+(4)=51.03</TD>",
        "<TD class=td>11.97</TD>",
        "&nbsp;(9)Weight=(8)+(5)=63</TD>",
        "<STRONG>2.Fat analysis</STRONG>",
        "<TABLE align=center cellSpacing=0 cellPadding=0 width=600 border=0><TR><TD width=125 "
        "align=center><FONT size=2>1.Height(Cm)</FONT></TD><TD align=left width=475 colSpan=10 "
        "valign=center><img src=Mark.jpg width=205.917159763314 height=15 "
        "border=0/>&nbsp;<FONT size=3>170cm</FONT></TD></TR></TABLE>",
        "The average of height of male adult is 169cm, and of female is 158cm.",
        "<img src=Mark.jpg width=200 height=15 border=0/>&nbsp;<FONT size=3>63kg</FONT>",
        "Male:(height(cm)-80)*70% ",
        "<FONT size=2>3.Muscle mass</FONT></TD><TD align=left width=475 colSpan=10 "
        "valign=center><img src=Mark.jpg width=255 height=15 border=0/>&nbsp;<FONT "
        "size=3>47.18Kg</FONT>",
        "The muscle is 35%-48% of weight.",
        "<img src=Mark.jpg width=227.5 height=15 border=0/>&nbsp;<FONT size=3>11.97Kg</FONT>",
        "Body fat content in healthy human: male 14%~20% , female 17%~24%.",
        "<FONT size=2>5.Body fat percentage</FONT></TD><TD align=left width=475 colSpan=10 "
        "valign=center><img src=Mark.jpg width=190 height=15 border=0/>&nbsp;<FONT "
        "size=3>19%</FONT>",
        "<img src=Mark.jpg width=240 height=15 border=0/>&nbsp;<FONT size=3>0.89</FONT>",
        "<STRONG>3.Nourishment</STRONG>",
        "100%",
        "21.7 Kg/M<sup>2</sup>",
        "1512 kcal",
        "35 Kg",
        "BMI-- body mass index:",
        "BMR (unit:Calorie)",
        "<STRONG>4.Integrated Assessment</STRONG>",
        "<STRONG>5.Weight control</STRONG>",
        "Target weight</TD><TD class=td>62 Kg",
        "Weight control</TD><TD class=td>-1 Kg",
        "Fat control</TD><TD class=td>-1 Kg",
        "Muscle control</TD><TD class=td>0 Kg",
        "<STRONG>6.Body form Assessment</STRONG>",
        "Body form Assessment:91.9 Standard declaration: >=70 means pass,>=80 means fine ,>=90 "
        "means excellent.",
    };
    std::size_t at = 0;
    for (const std::string& part : inOrder) {
        const std::size_t found = body.find(part, at);
        ASSERT_NE(found, std::string::npos) << "missing after position " << at << ": " << part;
        at = found + part.size();
    }
    EXPECT_EQ(Count(body, "<TD width=50 align=center>|</TD>"), 60u); // six scales of ten ticks
    const std::string end = "means excellent.</TD></TR></TABLE>\n";
    EXPECT_EQ(body.substr(body.size() - end.size()), end); // no table is left open
}

class BodyCompositionRowTest : public DatabaseTest {
protected:
    RecordingSink sink;
};

HV_ON_BOTH_ENGINES(BodyCompositionRowTest);

TEST_P(BodyCompositionRowTest, LaterTestsCopyTheFirstCompositionEvenAfterAWeightChange) {
    PersonData p;
    p.height = "170";
    p.weight = "63";
    const std::int32_t person = AddPerson(p);
    const std::int32_t first = AddTest(person, {2024, 1, 10});
    const std::int32_t second = AddTest(person, {2024, 6, 10});
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    FixedClock clock(InstantAt({2024, 1, 10, 12}));
    ScopedClock useClock(clock);
    ASSERT_EQ(EnsureBodyCompositionRow(db, first, person, Measures("170", "63", false, 39)),
              RowState::Created);
    ASSERT_EQ(EnsureBodyCompositionRow(db, second, person, Measures("170", "90", false, 40)),
              RowState::Created);
    EXPECT_EQ(EnsureBodyCompositionRow(db, second, person, Measures("170", "90", false, 40)),
              RowState::Existed);
    std::vector<DbValue> a, b;
    ASSERT_EQ(ReadValueRow(db, 99, first, a), RowQuery::Found);
    ASSERT_EQ(ReadValueRow(db, 99, second, b), RowQuery::Found);
    EXPECT_EQ(a, b);
    EXPECT_EQ(b[8].AsDouble(), 63.0);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
