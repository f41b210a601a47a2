#include "AnalysisTestSupport.h"
#include "DatabaseTest.h"
#include "FaultTriggers.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "analysis/CReportWriter.h"
#include "common/Utf16Text.h"

#include <gtest/gtest.h>

using namespace hv;
using namespace hv::test;

namespace {

class ReportWriterTest : public DatabaseTest {
protected:
    RecordingSink sink;
};

HV_ON_BOTH_ENGINES(ReportWriterTest);

TEST_P(ReportWriterTest, LoadsThePersonBlockOfATest) {
    PersonData p;
    p.name = "Robin Sample";
    p.male = false;
    p.height = "165";
    p.weight = "58";
    const std::int32_t measId = AddTest(AddPerson(p), {2024, 3, 5, 9, 7, 41});
    CReportWriter writer;
    ASSERT_EQ(writer.LoadPerson(measId), CReportWriter::LoadResult::Loaded);
    EXPECT_EQ(writer.measId, measId);
    EXPECT_EQ(writer.name, "Robin Sample");
    EXPECT_TRUE(writer.female);
    EXPECT_EQ(writer.age, 39);
    EXPECT_EQ(writer.figure, "Standard body weight(165cm,58kg)");
    EXPECT_EQ(writer.testTime, "2024/03/05 09:07");
    const std::string head = writer.HtmlPageHead("Liver Function", false);
    EXPECT_NE(head.find("<font size=6>(Liver Function) Analysis Report Card</font>"),
              std::string::npos);
    EXPECT_NE(head.find("Sex: Female"), std::string::npos);
    EXPECT_NE(head.find("Age: 39"), std::string::npos);
    EXPECT_NE(writer.HtmlPageHead("Comprehensive Report Card", true)
                  .find("<font size=6>Comprehensive Report Card</font>"),
              std::string::npos);
    EXPECT_TRUE(sink.messages.empty());
}

// A row written outside the program may leave Sex empty; the pages then agree with the
// person pane, which shows such a person as male.
TEST_P(ReportWriterTest, AnEmptySexReadsAsMaleAsInThePersonPane) {
    PersonData p;
    p.male = false;
    const std::int32_t examerId = AddPerson(p);
    const std::int32_t measId = AddTest(examerId, {2024, 3, 5, 9, 7, 41});
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute("UPDATE Examer SET Sex=NULL WHERE ExamerID=?", {examerId}));
    }
    CReportWriter writer;
    ASSERT_EQ(writer.LoadPerson(measId), CReportWriter::LoadResult::Loaded);
    EXPECT_FALSE(writer.female);
    EXPECT_NE(writer.HtmlPageHead("Liver Function", false).find("Sex: Male"), std::string::npos);
}

TEST_P(ReportWriterTest, AgeCountsTheBirthdayOnTheTestDay) {
    struct Case {
        DateTime birthday;
        DateTime tested;
        int age;
    };
    const std::vector<Case> cases = {
        {{1990, 6, 15}, {2020, 6, 15, 8}, 30}, {{1990, 6, 15}, {2020, 6, 14, 23, 59}, 29},
        {{1990, 6, 15}, {2020, 5, 31}, 29},    {{2000, 2, 29}, {2013, 2, 28}, 12},
        {{2000, 2, 29}, {2013, 3, 1}, 13},
    };
    for (const Case& c : cases) {
        PersonData p;
        p.birthday = c.birthday;
        CReportWriter writer;
        ASSERT_EQ(writer.LoadPerson(AddTest(AddPerson(p), c.tested)),
                  CReportWriter::LoadResult::Loaded);
        EXPECT_EQ(writer.age, c.age)
            << c.tested.year << "-" << c.tested.month << "-" << c.tested.day;
        EXPECT_NE(writer.HtmlPageHead("x", false).find("Sex: Male"), std::string::npos);
    }
}

TEST_P(ReportWriterTest, AMissingTestOrPersonLeavesTheBlockAsItWas) {
    const std::int32_t loaded = AddTest(AddPerson({}), {2024, 1, 2});
    const std::int32_t orphan = AddTest(AddPerson({}), {2024, 1, 3});
    ExecuteAll({"DELETE FROM Examer WHERE ExamerID=(SELECT ExamerID FROM MeasData WHERE MeasID=" +
                std::to_string(orphan) + ")"});
    CReportWriter writer;
    ASSERT_EQ(writer.LoadPerson(loaded), CReportWriter::LoadResult::Loaded);
    EXPECT_EQ(writer.LoadPerson(9999), CReportWriter::LoadResult::TestMissing);
    EXPECT_EQ(writer.LoadPerson(orphan), CReportWriter::LoadResult::PersonMissing);
    EXPECT_EQ(writer.measId, loaded);
    EXPECT_EQ(writer.testTime, "2024/01/02 00:00");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ReportWriterTest, PageNamesCarryTheReportNumber) {
    EXPECT_EQ(ReportPageName(0, "Heart"), "01-Heart");
    EXPECT_EQ(ReportPageName(38, "Neurotransmitters"), "39-Neurotransmitters");
    EXPECT_EQ(ReportPageName(39, "Body Composition"), "99-Body Composition");
    EXPECT_EQ(CompositePageName(), "00-Compositive Report");
}

TEST_P(ReportWriterTest, WritesUtf16LittleEndianAfterTheByteOrderMark) {
    ASSERT_TRUE(WritePage("01-Test", "<html>Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x98\x80</html>"));
    const std::string bytes = ReadBytes("Reports/01-Test.htm");
    const std::string expected("\xFF\xFE"
                               "<\0h\0t\0m\0l\0>\0Z\0o\0\xEB\0 \0\xAC\x20 \0\x3D\xD8\x00\xDE"
                               "<\0/\0h\0t\0m\0l\0>\0",
                               44);
    EXPECT_EQ(bytes, expected);
}

TEST_P(ReportWriterTest, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16Le("a\xFF"
                            "b"),
              std::string("a\0\xFD\xFF"
                          "b\0",
                          6));
    EXPECT_EQ(Utf8ToUtf16Le("\xC3"), std::string("\xFD\xFF", 2));     // cut short
    EXPECT_EQ(Utf8ToUtf16Le("\xC0\xAF"), std::string("\xFD\xFF", 2)); // overlong "/"
}

TEST_P(ReportWriterTest, AnEmptyPageRemovesTheOldFileAndWritesNothing) {
    ASSERT_TRUE(WritePage("05-Old", "<html></html>"));
    ASSERT_TRUE(std::filesystem::exists("Reports/05-Old.htm"));
    EXPECT_TRUE(WritePage("05-Old", ""));
    EXPECT_FALSE(std::filesystem::exists("Reports/05-Old.htm"));
    EXPECT_TRUE(WritePage("06-Never", ""));
    EXPECT_TRUE(FilesIn("Reports").empty());
}

TEST_P(ReportWriterTest, NamesFromTheDatabaseNeverLeaveTheReportsFolder) {
    struct Case {
        std::string name;
        std::string file;
    };
    const std::vector<Case> cases = {
        {"01-../../escape", "01-.._.._escape.htm"},
        {"..", "...htm"},
        {"/etc/passwd", "_etc_passwd.htm"},
        {"02-a\\b:c*d?e\"f<g>h|i", "02-a_b_c_d_e_f_g_h_i.htm"},
        {std::string("03-tab\tnew\nline"), "03-tab_new_line.htm"},
        {"04-Zo\xC3\xAB", "04-Zo\xC3\xAB.htm"},
    };
    for (const Case& c : cases) {
        const std::filesystem::path path = PagePath(c.name);
        EXPECT_EQ(path.parent_path(), std::filesystem::path("Reports")) << c.name;
        EXPECT_EQ(path.filename().string(), c.file) << c.name;
        ASSERT_TRUE(WritePage(c.name, "<p>"));
    }
    std::vector<std::string> expected;
    for (const Case& c : cases)
        expected.push_back(c.file);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn("Reports"), expected);
    EXPECT_EQ(FilesIn(install.path()), (std::vector<std::string>{"DataBase", "Reports"}));
}

TEST_P(ReportWriterTest, AMissingReportsFolderFailsWithTheReason) {
    std::filesystem::remove_all("Reports");
    std::string error;
    EXPECT_FALSE(WritePage("01-Test", "<html>", &error));
    EXPECT_TRUE(error.starts_with("Reports/01-Test.htm: ")) << error;
    EXPECT_GT(error.size(), std::string("Reports/01-Test.htm: ").size()); // and why
    EXPECT_TRUE(WritePage("01-Test", "")); // deleting what is not there is no failure
}

} // namespace
