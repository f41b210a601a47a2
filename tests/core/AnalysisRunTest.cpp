#include "analysis/AnalysisRun.h"

#include "AnalysisTestSupport.h"
#include "DatabaseTest.h"
#include "FaultTriggers.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"
#include "analysis/ReportTexts.h"
#include "data/OperatorTexts.h"
#include "data/Schema.h"
#include "data/SeedData.h"
#include "data/Transaction.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <numeric>

using namespace hv;
using namespace hv::test;

namespace {

class StepRecorder final : public AnalysisProgress {
public:
    void StepDone(int step) override {
        steps.push_back(step);
        if (onStep)
            onStep(step);
    }
    std::vector<int> steps;
    std::function<void(int)> onStep;
};

std::string PageFile(int slot) {
    return ReportPageName(slot, SeedReports()[static_cast<std::size_t>(slot)].name) + ".htm";
}

// The page files a person gets: the composite page and the slots kept by the filter.
template <typename Keep> std::vector<std::string> PagesWhere(Keep keep) {
    std::vector<std::string> files{"00-Compositive Report.htm"};
    for (int slot = 0; slot < kReportSlotCount; ++slot)
        if (keep(slot, SeedReports()[static_cast<std::size_t>(slot)].sex))
            files.push_back(PageFile(slot));
    std::sort(files.begin(), files.end());
    return files;
}

class AnalysisRunTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50));
    }
    void TearDown() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000)); }

    std::int32_t NewTest(const PersonData& p, const DateTime& when = {2024, 6, 1, 9, 30}) {
        return AddTest(AddPerson(p), when);
    }

    PrepareResult Analyze(std::int32_t measId) {
        CAnalysisRun run(measId);
        const PrepareResult prepared = run.Prepare();
        run.Run(&progress);
        written = run.PagesWritten();
        lost = run.PagesLost();
        return prepared;
    }

    std::string Page(int slot) {
        return ReadPage(std::filesystem::path("Reports") / PageFile(slot));
    }

    RecordingSink sink;
    FixedClock clock{InstantAt({2024, 6, 1, 10, 0, 0})};
    ScopedClock useClock{clock};
    StepRecorder progress;
    std::vector<std::string> written, lost;
};

HV_ON_BOTH_ENGINES(AnalysisRunTest);

TEST_P(AnalysisRunTest, AnAdultManGetsTheReportsForMenAndTheCompositePage) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const auto forMen = [](int, std::string_view sex) { return sex == "A" || sex == "M"; };
    EXPECT_EQ(FilesIn("Reports"), PagesWhere(forMen));
    EXPECT_EQ(written.size(), PagesWhere(forMen).size());
    EXPECT_TRUE(std::filesystem::exists("Reports/99-Body Composition.htm"));
    EXPECT_TRUE(std::filesystem::exists("Reports/" + PageFile(38)));
    std::vector<int> steps(kAnalysisSteps);
    std::iota(steps.begin(), steps.end(), 1);
    EXPECT_EQ(progress.steps, steps);
    const auto rows = RowsOf(measId);
    for (int slot = 0; slot < kReportSlotCount; ++slot)
        EXPECT_EQ(rows.count(ValueTableName(ReportNumber(slot))),
                  forMen(slot, SeedReports()[static_cast<std::size_t>(slot)].sex) ? 1u : 0u)
            << slot;
    EXPECT_TRUE(lost.empty());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(AnalysisRunTest, UpToTwelveOnlyTheFiveChildReportsAreMade) {
    const auto child = [](int slot, std::string_view) {
        return slot == 14 || slot == 22 || slot == 23 || slot == 29 || slot == 38;
    };
    PersonData p;
    p.male = false;
    p.birthday = {2012, 6, 1}; // 12 on the test day
    ASSERT_EQ(Analyze(NewTest(p)), PrepareResult::Ready);
    EXPECT_EQ(FilesIn("Reports"), PagesWhere(child));
    EXPECT_EQ(progress.steps.size(), static_cast<std::size_t>(kAnalysisSteps));

    p.birthday = {2011, 6, 1}; // 13: the sex codes decide
    ASSERT_EQ(Analyze(NewTest(p)), PrepareResult::Ready);
    EXPECT_EQ(FilesIn("Reports"),
              PagesWhere([](int, std::string_view sex) { return sex == "A" || sex == "F"; }));
}

TEST_P(AnalysisRunTest, AnotherPersonsAnalysisRemovesPagesThatDoNotApply) {
    ASSERT_EQ(Analyze(NewTest({})), PrepareResult::Ready);
    const std::string prostate = PageFile(15);
    ASSERT_EQ(SeedReports()[15].sex, "M");
    ASSERT_TRUE(std::filesystem::exists("Reports/" + prostate));
    PersonData woman;
    woman.male = false;
    ASSERT_EQ(Analyze(NewTest(woman)), PrepareResult::Ready);
    EXPECT_FALSE(std::filesystem::exists("Reports/" + prostate));
    EXPECT_NE(Page(0).find("Sex: Female"), std::string::npos);
}

TEST_P(AnalysisRunTest, AnalysingATestAgainWritesIdenticalPages) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const auto pages = AllPages();
    const auto rows = RowsOf(measId);
    clock.Advance(std::chrono::hours(24 * 3) + std::chrono::seconds(17)); // another seed
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(AllPages(), pages);
    EXPECT_EQ(RowsOf(measId), rows);
}

TEST_P(AnalysisRunTest, StoredValuesAreReadBackNotDrawnAgain) {
    const std::int32_t measId = NewTest({});
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ReportItems items;
        ASSERT_TRUE(GetReportItems(0, items));
        DbColumns columns{{"MeasID", measId}};
        for (int item = 1; item <= 15; ++item)
            columns.emplace_back(ValueColumnName(item),
                                 item == 1 ? 70.0 : items.ranges[item - 1].normalHigh);
        ASSERT_TRUE(db.AddRow("ReportValue01", columns));
    }
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const std::string page = Page(0);
    EXPECT_NE(page.find("<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle>Blood "
                        "Viscosity</TD><TD class=td align=middle>48.264 - 65.371</TD><TD "
                        "class=td align=middle>70.000</TD><TD class=td align=middle><font "
                        "color=#FF6600>Moderately Abnormal(++)</font></TD></TR>"),
              std::string::npos);
    // normalHigh: mild for a falling item? No: falling items include it; rising ones do not.
    EXPECT_NE(page.find(">Cholesterol Crystal</TD><TD class=td align=middle>56.749 - "
                        "67.522</TD><TD class=td align=middle>67.522</TD><TD class=td "
                        "align=middle><font color=#0000FF>Mildly Abnormal(+)</font>"),
              std::string::npos);
    EXPECT_NE(page.find(">Vascular Elasticity</TD><TD class=td align=middle>1.672 - 1.978</TD><TD "
                        "class=td align=middle>1.978</TD><TD class=td align=middle><font "
                        "color=#339966>Normal(-)</font>"),
              std::string::npos);
}

TEST_P(AnalysisRunTest, TheTextReportShowsItsFourCellsAndStoresFive) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const std::string page = Page(8);
    EXPECT_NE(page.find(std::string(page::ResultsTableHead(false)) +
                        "<TR class=td align=left bgcolor=ebf5fb><TD class=td "
                        "align=middle>Lumbar Fiber Protruding Dimension</TD><TD class=td "
                        "align=middle>No Direction</TD><TD class=td align=middle><font "
                        "color=0000FF>No Direction</font></TD></TR>"),
              std::string::npos);
    EXPECT_EQ(Count(page, "<font color=0000FF>No Direction</font>"), 1u);
    EXPECT_NE(page.find("<TD class=td align=middle>+</TD><TD class=td align=middle><font "
                        "color=0000FF>+</font></TD></TR><TR"),
              std::string::npos);
    const std::string stored = RowsOf(measId)["ReportValue09"];
    // Each value with its type: 1 an integer, 3 text.
    EXPECT_EQ(stored.substr(0, stored.find("3:u0.")),
              "1:" + std::to_string(measId) + "|3:No Direction|3:No Direction|");
}

TEST_P(AnalysisRunTest, SettingsChooseTheSectionsOfEveryPage) {
    const std::int32_t measId = NewTest({});
    ExecuteAll({"UPDATE SetValue SET ReportStandard=0, ReportShuoMing=0, IfCanChu=0"});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    for (int slot : {0, 3, 8, 39}) {
        const std::string page = Page(slot);
        EXPECT_EQ(page.find("Reference Standard:"), std::string::npos) << slot;
        EXPECT_EQ(page.find("Testing Parameter Description:"), std::string::npos) << slot;
        EXPECT_EQ(page.find("Parameter Description</B>"), std::string::npos) << slot;
        const std::string foot = CReportWriter::HtmlPageFoot();
        EXPECT_EQ(page.substr(page.size() - foot.size()), foot) << slot;
    }
    EXPECT_EQ(Page(0).find("<image src=YC"), std::string::npos);

    ExecuteAll({"UPDATE SetValue SET ReportStandard=1, ReportShuoMing=1, IfCanChu=1"});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const std::string heart = Page(0);
    EXPECT_NE(heart.find(ReferenceText(0) + DescriptionText(0) + CReportWriter::HtmlPageFoot()),
              std::string::npos);
    EXPECT_NE(heart.find("<image src=YC"), std::string::npos);
    for (int slot : {3, 6, 8}) {
        ASSERT_TRUE(DescriptionText(slot).empty());
        EXPECT_NE(Page(slot).find(ReferenceText(slot) + CReportWriter::HtmlPageFoot()),
                  std::string::npos)
            << slot;
    }
    const std::string body = Page(39);
    EXPECT_EQ(body.find("Reference Standard:"), std::string::npos);
    EXPECT_EQ(body.find("Parameter Description</B>"), std::string::npos);
    EXPECT_NE(body.find("6.Body form Assessment"), std::string::npos);
}

TEST_P(AnalysisRunTest, AReTestDriftsFromTheLatestRowOverTheDaysSinceIt) {
    PersonData p;
    const std::int32_t person = AddPerson(p);
    const std::int32_t first = AddTest(person, {2024, 6, 1, 9});
    ASSERT_EQ(Analyze(first), PrepareResult::Ready);
    const std::int32_t sameDay = AddTest(person, {2024, 6, 1, 9, 45});
    clock.Advance(std::chrono::minutes(50));
    ASSERT_EQ(Analyze(sameDay), PrepareResult::Ready);
    clock.Advance(std::chrono::hours(24 * 30));
    const std::int32_t later = AddTest(person, {2024, 7, 1, 10});
    ASSERT_EQ(Analyze(later), PrepareResult::Ready);

    CAdoDb db;
    ASSERT_TRUE(db.Open());
    int changed = 0;
    for (int slot = 0; slot < 39; ++slot) {
        ReportItems items;
        if (!GetReportItems(slot, items) ||
            SeedReports()[static_cast<std::size_t>(slot)].sex == "F")
            continue;
        std::vector<DbValue> a, b, c;
        ASSERT_EQ(ReadValueRow(db, ReportNumber(slot), first, a), RowQuery::Found);
        ASSERT_EQ(ReadValueRow(db, ReportNumber(slot), sameDay, b), RowQuery::Found);
        ASSERT_EQ(ReadValueRow(db, ReportNumber(slot), later, c), RowQuery::Found);
        for (std::size_t i = 0; i < items.ranges.size(); ++i) {
            const ItemRange& r = items.ranges[i];
            const bool clamped = slot == 3 && i == 1 && a[i].AsDouble() > r.outer2;
            if (!clamped) {
                EXPECT_EQ(b[i], a[i]) << "same day, slot " << slot << " item " << i + 1;
            }
            // 30 days count as 10: at most 10 steps of 0.154, or a clamp into the limits.
            const double drift = std::abs(c[i].AsDouble() - b[i].AsDouble());
            const bool inLimits = c[i].AsDouble() >= std::min({r.normalLow, r.outer1, r.outer2}) &&
                                  c[i].AsDouble() <= std::max({r.normalHigh, r.outer1, r.outer2});
            EXPECT_TRUE(drift <= 1.54 + 1e-9 || inLimits) << slot << "/" << i + 1;
            changed += drift > 0;
        }
    }
    EXPECT_GT(changed, 100);
    // The body composition is carried over unchanged.
    std::vector<DbValue> bodyFirst, bodyLater;
    ASSERT_EQ(ReadValueRow(db, 99, first, bodyFirst), RowQuery::Found);
    ASSERT_EQ(ReadValueRow(db, 99, later, bodyLater), RowQuery::Found);
    EXPECT_EQ(bodyLater, bodyFirst);
}

TEST_P(AnalysisRunTest, AMissingTestIsRefusedBeforeAnythingIsWritten) {
    std::ofstream("Reports/01-Old page.htm") << "kept";
    NewTest({});
    ASSERT_EQ(Analyze(999), PrepareResult::TestMissing);
    EXPECT_EQ(sink.messages, std::vector<std::string>{
                                 "There is no test 999 in the database, so no report was made."});
    EXPECT_EQ(FilesIn("Reports"), std::vector<std::string>{"01-Old page.htm"});
    EXPECT_TRUE(RowsOf(999).empty());
    EXPECT_TRUE(progress.steps.empty());
}

TEST_P(AnalysisRunTest, PreparationFailuresWriteNothing) {
    struct Case {
        const char* what;
        std::string statement;
        PrepareResult result;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"empty settings", "DELETE FROM SetValue", PrepareResult::SettingsEmpty, {}},
        {"person deleted",
         "DELETE FROM Examer",
         PrepareResult::PersonMissing,
         {"The person of test 1 is no longer in the database, so no report was made."}},
        {"report list gone",
         "DROP TABLE ReportList",
         PrepareResult::ReportListUnavailable,
         {NoSuchTableText(GetParam(), "ReportList")}},
    };
    for (const Case& c : cases) {
        TestInstallation fresh(GetParam()); // the working directory of this case
        const std::int32_t measId = NewTest({});
        ASSERT_EQ(measId, 1);
        ExecuteAll({c.statement});
        sink.messages.clear();
        EXPECT_EQ(Analyze(measId), c.result) << c.what;
        EXPECT_EQ(sink.messages, c.messages) << c.what;
        EXPECT_TRUE(FilesIn("Reports").empty()) << c.what;
        EXPECT_TRUE(RowsOf(measId).empty()) << c.what;
    }
    EXPECT_TRUE(progress.steps.empty());
}

TEST_P(AnalysisRunTest, AMissingDatabaseIsReportedOnce) {
    install.MakeUnreachable();
    EXPECT_EQ(Analyze(1), PrepareResult::DatabaseUnavailable);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Database connection error!"});
    EXPECT_FALSE(std::filesystem::exists(CAdoDb::kDatabasePath));
}

TEST_P(AnalysisRunTest, SlotsWithoutAReportListRowAreSkippedForAdults) {
    ExecuteAll({"DELETE FROM ReportList WHERE ReportNo IN ('R39', 'R99')"});
    ASSERT_EQ(Analyze(NewTest({})), PrepareResult::Ready);
    const std::vector<std::string> files = FilesIn("Reports");
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& f) {
                                return f.starts_with("39-") || f.starts_with("99-");
                            }),
              0);
    PersonData child;
    child.birthday = {2020, 1, 1};
    ASSERT_EQ(Analyze(NewTest(child)), PrepareResult::Ready);
    EXPECT_TRUE(std::filesystem::exists("Reports/39-.htm")); // produced under an empty name
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(AnalysisRunTest, AMissingReportsFolderLosesThePagesAndSaysSoOnce) {
    std::filesystem::remove_all("Reports");
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_TRUE(sink.messages[0].starts_with(std::string(texts::kPagesLost)));
    EXPECT_NE(sink.messages[0].find("Reports/01-"), std::string::npos);
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(lost.size(), PagesWhere([](int, std::string_view sex) {
                               return sex == "A" || sex == "M";
                           }).size());
    EXPECT_FALSE(RowsOf(measId).empty()); // the values are stored all the same
    EXPECT_EQ(progress.steps.size(), static_cast<std::size_t>(kAnalysisSteps));
}

TEST_P(AnalysisRunTest, AReportNameWithPathCharactersStaysInsideReports) {
    ExecuteAll({"UPDATE ReportList SET ReportName='../../escape' WHERE ReportNo='R01'"});
    ASSERT_EQ(Analyze(NewTest({})), PrepareResult::Ready);
    EXPECT_TRUE(std::filesystem::exists("Reports/01-.._.._escape.htm"));
    EXPECT_EQ(FilesIn(install.path()), (std::vector<std::string>{"DataBase", "Reports"}));
    EXPECT_FALSE(std::filesystem::exists(install.path().parent_path() / "escape.htm"));
    EXPECT_NE(Page(1).find("Sex: Male"), std::string::npos);
}

TEST_P(AnalysisRunTest, AFailedInsertIsShownAndTheOtherReportsGoOn) {
    const std::int32_t earlier = NewTest({});
    ASSERT_EQ(Analyze(earlier), PrepareResult::Ready);
    const auto earlierRows = RowsOf(earlier);
    ExecuteScript(RefusingTrigger(GetParam(), "FailReport05", "INSERT", "ReportValue05",
                                  "simulated write failure"));
    sink.messages.clear();
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"simulated write failure"});
    const auto rows = RowsOf(measId);
    EXPECT_EQ(rows.count("ReportValue05"), 0u);
    EXPECT_EQ(rows.count("ReportValue04"), 1u);
    EXPECT_EQ(rows.count("ReportValue06"), 1u);
    // The page of report 05 shows its table head alone.
    const std::string page = Page(4);
    const std::string head(page::ResultsTableHead(true));
    EXPECT_NE(page.find(head + ReferenceText(4)), std::string::npos);
    EXPECT_EQ(RowsOf(earlier), earlierRows);
}

TEST_P(AnalysisRunTest, AFailureThatUndoesTheTransactionStoresNoValueOfTheTest) {
    const std::int32_t earlier = NewTest({});
    ASSERT_EQ(Analyze(earlier), PrepareResult::Ready);
    const auto earlierRows = RowsOf(earlier);
    ExecuteScript(EndingTrigger(GetParam(), "FailReport10", "INSERT", "ReportValue10",
                                "simulated disk failure"));
    sink.messages.clear();
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{EndingText(GetParam(), "simulated disk failure"),
                                        std::string(texts::kValuesNotStored)}));
    EXPECT_TRUE(RowsOf(measId).empty());
    EXPECT_EQ(RowsOf(earlier), earlierRows);
    EXPECT_EQ(Page(0).find("Blood Viscosity</TD>"), std::string::npos);
    EXPECT_EQ(progress.steps.size(), static_cast<std::size_t>(kAnalysisSteps) * 2);
    // Once the cause is gone, asking again stores the values.
    ExecuteScript(DropTrigger(GetParam(), "FailReport10", "ReportValue10"));
    sink.messages.clear();
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(RowsOf(measId).count("ReportValue10"), 1u);
    EXPECT_NE(Page(0).find("Blood Viscosity</TD>"), std::string::npos);
}

TEST_P(AnalysisRunTest, ALockedDatabaseKeepsWhatIsStoredAndThePagesShowIt) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const auto pages = AllPages();
    const auto rows = RowsOf(measId);
    CAdoDb other; // another station analyses the test for the whole run
    ASSERT_TRUE(other.Open());
    auto held = std::make_unique<WriteTransaction>(other);
    ASSERT_TRUE(held->BeginForTest(measId));
    sink.messages.clear();
    clock.Advance(std::chrono::hours(1));
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    held.reset();
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[0].find(OnServer() ? "lock timeout" : "locked"), std::string::npos);
    EXPECT_EQ(sink.messages[1], texts::kValuesNotStored);
    EXPECT_EQ(AllPages(), pages);
    EXPECT_EQ(RowsOf(measId), rows);
}

TEST_P(AnalysisRunTest, ASummaryThatCannotBeStoredKeepsItsEarlierRows) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    ExecuteAll({"UPDATE ReportValueAll SET Value=0 WHERE rowid=(SELECT min(rowid) FROM "
                "ReportValueAll)"});
    ExecuteScript(RefusingTrigger(GetParam(), "FailSummary", "INSERT", "ReportValueAll",
                                  "simulated summary failure"));
    const auto rows = RowsOf(measId);
    sink.messages.clear();
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(sink.messages, (std::vector<std::string>{"simulated summary failure",
                                                       std::string(texts::kSummaryNotStored)}));
    EXPECT_EQ(RowsOf(measId), rows);
    EXPECT_EQ(progress.steps.size(), static_cast<std::size_t>(kAnalysisSteps) * 2);
}

TEST_P(AnalysisRunTest, AReAnalysisReplacesASummaryThatNoLongerMatches) {
    const std::int32_t measId = NewTest({});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    const std::string summary = RowsOf(measId)["ReportValueAll"];
    ASSERT_FALSE(summary.empty());
    ExecuteAll({"INSERT INTO ReportValueAll (MeasID, System, Item, Type) VALUES (" +
                std::to_string(measId) + ", 'Old', 'Old item', 'B')"});
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(RowsOf(measId)["ReportValueAll"], summary);
    EXPECT_EQ(ReadPage("Reports/00-Compositive Report.htm").find("Old item"), std::string::npos);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(AnalysisRunTest, HeightOrWeightThatIsNotANumberLeavesTheBodyCompositionEmpty) {
    PersonData p;
    p.height = "tall";
    const std::int32_t measId = NewTest(p);
    ASSERT_EQ(Analyze(measId), PrepareResult::Ready);
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(texts::kBodyMeasuresInvalid)});
    CReportWriter writer;
    ASSERT_EQ(writer.LoadPerson(measId), CReportWriter::LoadResult::Loaded);
    EXPECT_EQ(Page(39),
              writer.HtmlPageHead(SeedReports()[39].name, false) + CReportWriter::HtmlPageFoot());
    const auto rows = RowsOf(measId);
    EXPECT_EQ(rows.count("ReportValue99"), 0u);
    EXPECT_EQ(rows.count("ReportValue01"), 1u);
}

} // namespace
