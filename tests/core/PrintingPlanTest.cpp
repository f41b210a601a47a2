#include "TempDir.h"
#include "ViewingFixture.h"
#include "printing/DocumentPlan.h"
#include "printing/PrintSettings.h"
#include "viewing/ReportListing.h"

#include <fstream>
#include <gtest/gtest.h>

namespace hv::test {
namespace {

namespace fs = std::filesystem;

class PrintingPlanTest : public ViewingFixture {};

HV_ON_BOTH_ENGINES(PrintingPlanTest);

TEST_P(PrintingPlanTest, AWholeTestIsTheCompositeThenTheListedReportsInListOrder) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.Execute("UPDATE ReportList SET ShowOrder=0 WHERE ReportNo='R17'"));
    ASSERT_TRUE(db.Execute("UPDATE ReportList SET IfShow_M=0 WHERE ReportNo='R03'"));
    const int meas = AddTest(AddPerson(false, Date(1980, 1, 1), "Bob"), Date(2021, 6, 1));

    const auto plan = WholeTestPlan(meas);
    const auto listed = LoadReportList(meas);
    ASSERT_TRUE(plan && listed);
    EXPECT_EQ(plan->title, "Reports of test " + std::to_string(meas));
    ASSERT_EQ(plan->parts.size(), listed->size() + 1);
    EXPECT_EQ(plan->parts[0].title, "Compositive Report");
    EXPECT_EQ(plan->parts[0].page, fs::current_path() / "Reports" / "00-Compositive Report.htm");
    EXPECT_EQ(plan->parts[1].title, "Male Hormones");
    EXPECT_EQ(plan->parts[1].page, fs::current_path() / "Reports" / "17-Male Hormones.htm");
    for (std::size_t i = 0; i < listed->size(); ++i) {
        EXPECT_EQ(plan->parts[i + 1].title, (*listed)[i].reportName);
        EXPECT_EQ(plan->parts[i + 1].page.filename().string().substr(0, 3),
                  ListEntryPageName((*listed)[i].reportNumber, "").substr(0, 3));
    }

    EXPECT_FALSE(WholeTestPlan(meas + 100));
}

TEST(PrintSettingsTest, BackgroundsAreOffUntilSwitchedOnAndTheSwitchIsKept) {
    TempDir dir;
    const fs::path file = dir.path() / "halvoret.ini";
    EXPECT_FALSE(PrintsBackgrounds(file));

    std::ofstream(file)
        << "[Database]\nUrl=postgresql://server/halvoret\n[print]\nbackgrounds = Yes\n";
    EXPECT_TRUE(PrintsBackgrounds(file));
    std::string error;
    ASSERT_TRUE(SetPrintsBackgrounds(false, error, file)) << error;
    EXPECT_FALSE(PrintsBackgrounds(file));
    ASSERT_TRUE(SetPrintsBackgrounds(true, error, file)) << error;
    EXPECT_TRUE(PrintsBackgrounds(file));
    EXPECT_EQ(ReadStationSetting("Database", "Url", file), "postgresql://server/halvoret");
    for (const char* off : {"0", "no", "off", "maybe", ""}) {
        std::ofstream(file, std::ios::trunc) << "[Print]\nBackgrounds=" << off << "\n";
        EXPECT_FALSE(PrintsBackgrounds(file)) << off;
    }

    // A settings file that cannot be written says why.
    std::ofstream(dir.path() / "blocker") << "a file where a folder should be";
    EXPECT_FALSE(SetPrintsBackgrounds(true, error, dir.path() / "blocker" / "halvoret.ini"));
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace hv::test
