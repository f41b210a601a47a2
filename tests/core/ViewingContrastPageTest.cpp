#include "ViewingFixture.h"
#include "analysis/PageFragments.h"
#include "viewing/ContrastPage.h"

#include <gmock/gmock.h>
#include <locale>

namespace hv::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kHead =
    "<html><head><meta http-equiv=\"Content-Type\"; content = \"text/html; charset=utf-8\" >"
    "<title></title>" +
    std::string(page::kStyleSheet) +
    "</head><body style=\"background-image:url(Reports/Pagebg.jpg);background-position:center\">" +
    std::string(page::kSystemTableHead);
const std::string kEnd = "</body></html>";

std::string Row(const std::string& item, const std::string& range, const std::string& value,
                const std::string& grade) {
    return "<TD class=td align=middle>" + item + "</TD><TD class=td align=middle>" + range +
           "</TD><TD class=td align=middle>" + value + "</TD><TD class=td align=middle width=200>" +
           grade + "</TD></TR>";
}

const std::string kRowStart = "<TR class=td align=left bgcolor=ebf5fb>";
const std::string kModerate = "<font color=FF6600>Moderately Abnormal(++)</font>";

class ViewingContrastPageTest : public ViewingFixture {
protected:
    void SetPictures(bool on) { Execute("UPDATE SetValue SET IfCanChu=?", {on ? 1 : 0}); }

    int woman = AddPerson(true, Date(1980, 3, 4));
    int first = AddTest(woman, Date(2021, 2, 3, 9, 5));
    int second = AddTest(woman, Date(2021, 8, 30, 17, 45));
};

HV_ON_BOTH_ENGINES(ViewingContrastPageTest);

TEST_P(ViewingContrastPageTest, AnalysedAndUnanalysedTestsSideBySide) {
    AddSummaryRow(first, "Heart and Brain Circulation", "Blood Viscosity", "48.264 - 65.371", 70.5);
    AddSummaryRow(first, "Heart and Brain Circulation", "Cholesterol", "3.100 - 5.200", 2.25);
    AddSummaryRow(first, "Heart and Brain Circulation", "Cerebral Blood Flow", "1.000 - 2.000",
                  2.5);
    AddSummaryRow(first, "Bone Mineral Density", "Bone Mass", "1.200 - 1.900", 0.8);

    const ContrastPage upper = BuildContrastPage(first, 1);
    const ContrastPage lower = BuildContrastPage(second, 2);

    EXPECT_EQ(upper.path, fs::current_path() / "Contrast01.htm");
    EXPECT_EQ(upper.testTime, "2021-02-03 09:05");
    EXPECT_EQ(lower.path, fs::current_path() / "Contrast02.htm");
    EXPECT_EQ(lower.testTime, "2021-08-30 17:45");
    // Bone Mineral Density (R10) comes before Heart and Brain Circulation (R35).
    EXPECT_EQ(ReadPage(upper.path),
              kHead + kRowStart + "<TD class=td align=middle rowspan=1>Bone Mineral Density</TD>" +
                  Row("Bone Mass", "1.200 - 1.900", "0.8", kModerate) + kRowStart +
                  "<TD class=td align=middle rowspan=3>Heart and Brain Circulation</TD>" +
                  Row("Blood Viscosity", "48.264 - 65.371", "70.5", kModerate) + kRowStart +
                  Row("Cholesterol", "3.100 - 5.200", "2.25", kModerate) + kRowStart +
                  Row("Cerebral Blood Flow", "1.000 - 2.000", "2.5", kModerate) + kEnd);
    EXPECT_EQ(ReadPage(lower.path), kHead + kEnd);
    EXPECT_THAT(sink.messages, IsEmpty());
}

TEST_P(ViewingContrastPageTest, GradePicturesSayBelowOrAboveTheNormalRange) {
    SetPictures(true);
    AddSummaryRow(first, "Blood Sugar", "Low", "4.000 - 6.000", 3.5);
    AddSummaryRow(first, "Blood Sugar", "High", "4.000 - 6.000", 7.25);
    AddSummaryRow(first, "Blood Sugar", "AtLimit", "4.000 - 6.000", 4.0);
    const std::string page = ReadPage(BuildContrastPage(first, 1).path);
    EXPECT_THAT(page, HasSubstr(Row("Low", "4.000 - 6.000", "3.5",
                                    "<image src=Reports/YC02.gif border=0>")));
    EXPECT_THAT(page, HasSubstr(Row("High", "4.000 - 6.000", "7.25",
                                    "<image src=Reports/YC06.gif border=0>")));
    EXPECT_THAT(page, HasSubstr(Row("AtLimit", "4.000 - 6.000", "4",
                                    "<image src=Reports/YC06.gif border=0>")));
}

TEST_P(ViewingContrastPageTest, OnlyModerateItemsOfReportsOfThePersonsSexAppear) {
    AddSummaryRow(first, "Skin", "Moderate", "1.000 - 2.000", 3.0, "B");
    AddSummaryRow(first, "Skin", "Severe", "1.000 - 2.000", 9.0, "A");
    AddSummaryRow(first, "Skin", "Mild", "1.000 - 2.000", 2.1, "C");
    AddSummaryRow(first, "Breast", "Female item", "1.000 - 2.000", 3.0);
    AddSummaryRow(first, "Prostate", "Male item", "1.000 - 2.000", 3.0);
    AddSummaryRow(first, "Body Composition", "Fat", "1.000 - 2.000", 3.0);
    AddSummaryRow(second, "Skin", "Other test", "1.000 - 2.000", 3.0);

    const std::string page = ReadPage(BuildContrastPage(first, 1).path);
    EXPECT_THAT(page, HasSubstr(">Moderate<"));
    EXPECT_THAT(page, HasSubstr(">Female item<"));
    for (const char* absent : {">Severe<", ">Mild<", ">Male item<", ">Fat<", ">Other test<"})
        EXPECT_THAT(page, Not(HasSubstr(absent)));
    EXPECT_THAT(page, HasSubstr("rowspan=1>Skin</TD>"));
}

TEST_P(ViewingContrastPageTest, AChildSeesTheReportsOfItsSexToo) {
    const int boy = AddTest(AddPerson(false, Date(2015, 1, 1)), Date(2021, 1, 1));
    AddSummaryRow(boy, "Skin", "Both", "1.000 - 2.000", 3.0);
    AddSummaryRow(boy, "Prostate", "Male item", "1.000 - 2.000", 3.0);
    AddSummaryRow(boy, "Breast", "Female item", "1.000 - 2.000", 3.0);
    const std::string page = ReadPage(BuildContrastPage(boy, 2).path);
    EXPECT_THAT(page, HasSubstr(">Both<"));
    EXPECT_THAT(page, HasSubstr(">Male item<"));
    EXPECT_THAT(page, Not(HasSubstr(">Female item<")));
}

TEST_P(ViewingContrastPageTest, ATestComparedWithItselfGivesTheSamePageTwice) {
    AddSummaryRow(first, "Skin", "Item", "1.000 - 2.000", 3.0);
    const ContrastPage upper = BuildContrastPage(first, 1);
    const ContrastPage lower = BuildContrastPage(first, 2);
    EXPECT_EQ(ReadBytes(upper.path), ReadBytes(lower.path));
    EXPECT_EQ(upper.testTime, lower.testTime);
}

TEST_P(ViewingContrastPageTest, StoredTextIsShownAsTextNotAsMarkup) {
    Execute("UPDATE ReportList SET ReportName='Skin & Hair' WHERE ReportNo='R19'");
    AddSummaryRow(first, "Skin & Hair", "<b>Item</b>", "1.000 - 2.000", 3.0);
    const std::string page = ReadPage(BuildContrastPage(first, 1).path);
    EXPECT_THAT(page, HasSubstr("rowspan=1>Skin &amp; Hair</TD>"));
    EXPECT_THAT(page, HasSubstr(">&lt;b&gt;Item&lt;/b&gt;<"));
}

TEST_P(ViewingContrastPageTest, PersonNoLongerOnRecordStillShowsTheTestsRows) {
    AddSummaryRow(first, "Prostate", "Male item", "1.000 - 2.000", 3.0);
    AddSummaryRow(first, "Breast", "Female item", "1.000 - 2.000", 3.0);
    Execute("DELETE FROM Examer WHERE ExamerID=?", {woman});
    const ContrastPage page = BuildContrastPage(first, 1);
    EXPECT_EQ(page.testTime, "2021-02-03 09:05");
    EXPECT_THAT(ReadPage(page.path), HasSubstr(">Male item<"));
    EXPECT_THAT(ReadPage(page.path), HasSubstr(">Female item<"));
}

TEST_P(ViewingContrastPageTest, FailuresGiveNoPage) {
    // No such test: no date, no page.
    ContrastPage missing = BuildContrastPage(999, 1);
    EXPECT_TRUE(missing.path.empty());
    EXPECT_TRUE(missing.testTime.empty());
    EXPECT_TRUE(BuildContrastPage(first, 3).path.empty());

    // Without settings the date was read but no page is built.
    Execute("DELETE FROM SetValue");
    ContrastPage noSettings = BuildContrastPage(first, 1);
    EXPECT_TRUE(noSettings.path.empty());
    EXPECT_EQ(noSettings.testTime, "2021-02-03 09:05");
    EXPECT_THAT(sink.messages, IsEmpty());

    // The page file cannot be written.
    Execute("INSERT INTO SetValue (IfCanChu) VALUES (0)");
    fs::create_directory("Contrast02.htm");
    EXPECT_TRUE(BuildContrastPage(first, 2).path.empty());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_THAT(sink.messages[0], HasSubstr("The comparison page "));
    EXPECT_THAT(sink.messages[0], HasSubstr("Contrast02.htm could not be written"));

    // No database.
    sink.messages.clear();
    install.MakeUnreachable();
    EXPECT_TRUE(BuildContrastPage(first, 1).path.empty());
    EXPECT_THAT(sink.messages, ElementsAre(kConnectionErrorText));
}

// A locale whose numbers use a decimal comma.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(ViewingRangeLimits, LowerLimitIsReadWithADecimalPointInAnyLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    const std::pair<const char*, double> cases[] = {
        {"48.264 - 65.371", 48.264},
        {"-1.500 - 2.000", -1.5},
        {" 3.5 - 4", 3.5},
        {"", 0.0},
        {"5.000", 0.0},
        {"abc - 1.000", 0.0},
        {"7 -8", 0.0},
    };
    for (const auto& [range, low] : cases)
        EXPECT_DOUBLE_EQ(RangeLowerLimit(range), low) << range;
    EXPECT_EQ(ContrastGradeCell(true, "48.264 - 65.371", 48.263),
              "<image src=Reports/YC02.gif border=0>");
    EXPECT_EQ(ContrastGradeCell(true, "48.264 - 65.371", 48.264),
              "<image src=Reports/YC06.gif border=0>");
    EXPECT_EQ(ContrastGradeCell(false, "48.264 - 65.371", 1.0), kModerate);
    std::locale::global(previous);
}

} // namespace
} // namespace hv::test
