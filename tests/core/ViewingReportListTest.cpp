#include "ViewingFixture.h"
#include "analysis/AnalysisRun.h"
#include "common/Clock.h"
#include "viewing/ReportListing.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <set>

namespace hv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<int> Numbers(const std::vector<ReportListEntry>& entries) {
    std::vector<int> numbers;
    for (const ReportListEntry& e : entries)
        numbers.push_back(e.reportNumber);
    return numbers;
}

// Reports of the delivered list by sex code: 16, 17, 31 are for men, 18 and 22 for women.
const std::vector<int> kBothSexes = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                     13, 14, 15, 19, 20, 21, 23, 24, 25, 26, 27, 28,
                                     29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 99};

std::vector<int> WithReports(std::vector<int> numbers, std::initializer_list<int> more) {
    numbers.insert(numbers.end(), more);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

class ViewingReportListTest : public ViewingFixture {};

struct AgeCase {
    const char* name;
    bool female;
    double birthday;
    double tested;
    std::vector<int> expected;
};

HV_ON_BOTH_ENGINES(ViewingReportListTest);

TEST_P(ViewingReportListTest, ListsTheReportsOfAgeAtTheTestDateAndSex) {
    const std::vector<int> child = {15, 23, 24, 30, 39};
    const AgeCase cases[] = {
        {"girl of 12", true, Date(2000, 5, 10), Date(2013, 5, 9), child},
        {"boy of 12", false, Date(2000, 5, 10), Date(2013, 5, 9), child},
        {"woman of 13 on her birthday", true, Date(2000, 5, 10), Date(2013, 5, 10),
         WithReports(kBothSexes, {18, 22})},
        {"man of 13", false, Date(2000, 5, 10), Date(2013, 5, 10),
         WithReports(kBothSexes, {16, 17, 31})},
        // Born eleven calendar years before the test but not yet 12 at it: still a child.
        {"child of 11 in a later calendar year", true, Date(2000, 12, 31), Date(2011, 1, 1), child},
        // A child then, whatever the calendar says today.
        {"old test of a child", false, Date(1990, 1, 1), Date(2000, 1, 1), child},
    };
    for (const AgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int meas = AddTest(AddPerson(c.female, c.birthday), c.tested);
        const auto list = LoadReportList(meas);
        ASSERT_TRUE(list.has_value());
        EXPECT_EQ(Numbers(*list), c.expected);
    }
    EXPECT_THAT(sink.messages, IsEmpty());
}

TEST_P(ViewingReportListTest, ShowFlagsHideReportsOnlyForTheirSex) {
    Execute("UPDATE ReportList SET IfShow_F=0 WHERE ReportNo IN ('R02','R22')");
    Execute("UPDATE ReportList SET IfShow_M=0 WHERE ReportNo='R03'");
    const int woman = AddTest(AddPerson(true, Date(1970, 1, 1)), Date(2020, 1, 1));
    const int man = AddTest(AddPerson(false, Date(1970, 1, 1)), Date(2020, 1, 1));

    const std::vector<int> womenSee = Numbers(*LoadReportList(woman));
    const std::vector<int> menSee = Numbers(*LoadReportList(man));
    EXPECT_EQ(std::count(womenSee.begin(), womenSee.end(), 2), 0);
    EXPECT_EQ(std::count(womenSee.begin(), womenSee.end(), 22), 0);
    EXPECT_EQ(std::count(womenSee.begin(), womenSee.end(), 3), 1);
    EXPECT_EQ(std::count(menSee.begin(), menSee.end(), 2), 1);
    EXPECT_EQ(std::count(menSee.begin(), menSee.end(), 3), 0);
}

TEST_P(ViewingReportListTest, ChildListIgnoresShowFlags) {
    Execute("UPDATE ReportList SET IfShow_F=0, IfShow_M=0");
    const int meas = AddTest(AddPerson(true, Date(2010, 1, 1)), Date(2015, 1, 1));
    EXPECT_EQ(Numbers(*LoadReportList(meas)), (std::vector<int>{15, 23, 24, 30, 39}));
}

TEST_P(ViewingReportListTest, NumbersEntriesInDisplayOrderWhileEntriesKeepTheirReport) {
    // Report 17 first, report 05 second, the others after them in their old order.
    Execute("UPDATE ReportList SET ShowOrder=ShowOrder+100");
    Execute("UPDATE ReportList SET ShowOrder=1 WHERE ReportNo='R17'");
    Execute("UPDATE ReportList SET ShowOrder=2 WHERE ReportNo='R05'");
    Execute("UPDATE ReportList SET ReportName='Name.With.Dots' WHERE ReportNo='R05'");
    const int meas = AddTest(AddPerson(false, Date(1970, 1, 1)), Date(2020, 1, 1));

    const auto list = LoadReportList(meas);
    ASSERT_TRUE(list.has_value());
    ASSERT_GE(list->size(), 3u);
    EXPECT_EQ((*list)[0].label, "1.Male Hormones");
    EXPECT_EQ((*list)[0].reportNumber, 17);
    EXPECT_EQ(ListEntryPageName((*list)[0].reportNumber, (*list)[0].label), "17-Male Hormones");
    EXPECT_EQ((*list)[1].label, "2.Name.With.Dots");
    EXPECT_EQ(ListEntryPageName((*list)[1].reportNumber, (*list)[1].label), "05-Name.With.Dots");
    EXPECT_EQ((*list)[2].label, "3." + (*list)[2].reportName);
    EXPECT_EQ(list->back().reportNumber, 99);
}

TEST_P(ViewingReportListTest, FailsWithoutTestPersonOrDatabase) {
    EXPECT_FALSE(LoadReportList(12345).has_value());
    const int person = AddPerson(true, Date(1970, 1, 1));
    const int orphan = AddTest(person, Date(2020, 1, 1));
    Execute("DELETE FROM Examer WHERE ExamerID=?", {person});
    EXPECT_FALSE(LoadReportList(orphan).has_value());
    EXPECT_THAT(sink.messages, IsEmpty());

    install.MakeUnreachable();
    EXPECT_FALSE(LoadReportList(orphan).has_value());
    EXPECT_THAT(sink.messages, ElementsAre(kConnectionErrorText));
}

TEST(ViewingReportNumbers, LastTwoCharactersOfReportNo) {
    const std::pair<const char*, int> cases[] = {
        {"R07", 7}, {"R99", 99}, {"R15", 15}, {"R1", 0}, {"7", 7}, {"", 0}, {"RX", 0}, {"R-5", 0},
    };
    for (const auto& [reportNo, number] : cases)
        EXPECT_EQ(ReportNumberOf(reportNo), number) << reportNo;
}

TEST(ViewingReportNumbers, EntryTextNamesItsPage) {
    EXPECT_EQ(ListEntryPageName(10, "3.X"), "10-X");
    EXPECT_EQ(ListEntryPageName(7, "12.A.B"), "07-A.B");
    EXPECT_EQ(ListEntryPageName(5, "NoDot"), "05-NoDot");
    EXPECT_EQ(ListEntryPageName(99, "40.Body Composition"), "99-Body Composition");
}

TEST_P(ViewingReportListTest, PageFileLiesInReportsOfTheWorkingDirectory) {
    EXPECT_EQ(PageFile("07-Liver"), std::filesystem::current_path() / "Reports" / "07-Liver.htm");
    // A name that would leave the folder stays inside it, as the analysis writes it.
    EXPECT_EQ(PageFile("07-a/../b").parent_path(), std::filesystem::current_path() / "Reports");
}

// The list offers exactly the pages that the analysis of the test has just written.
TEST_P(ViewingReportListTest, EveryListedReportHasThePageTheAnalysisWrote) {
    FixedClock clock(std::chrono::system_clock::from_time_t(1700000000));
    ScopedClock scoped(clock);
    struct Person {
        const char* name;
        bool female;
        double birthday;
    } persons[] = {
        {"girl of 12", true, Date(2008, 6, 2)},
        {"boy of 12", false, Date(2008, 6, 2)},
        {"woman of 13", true, Date(2008, 6, 1)},
        {"man of 13", false, Date(2008, 6, 1)},
    };
    for (const Person& p : persons) {
        SCOPED_TRACE(p.name);
        for (const auto& entry : std::filesystem::directory_iterator("Reports"))
            std::filesystem::remove(entry.path());
        const int meas = AddTest(AddPerson(p.female, p.birthday), Date(2021, 6, 1, 10, 0));
        CAnalysisRun run(meas);
        ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
        run.Run();

        std::set<std::string> written;
        for (const auto& entry : std::filesystem::directory_iterator("Reports"))
            written.insert(entry.path().filename().string());
        written.erase("00-Compositive Report.htm");
        const auto list = LoadReportList(meas);
        ASSERT_TRUE(list.has_value());
        std::set<std::string> listed;
        for (const ReportListEntry& e : *list) {
            const std::filesystem::path page = PageFile(ListEntryPageName(e.reportNumber, e.label));
            EXPECT_TRUE(std::filesystem::is_regular_file(page)) << page;
            listed.insert(page.filename().string());
        }
        EXPECT_EQ(listed, written);
    }
}

} // namespace
} // namespace hv::test
