// The two engines give the same program: the same analysis writes byte-identical pages and
// identical rows, whether the register is the file or a server.

#include "AnalysisTestSupport.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "analysis/AnalysisRun.h"

#include <gtest/gtest.h>

using namespace hv;
using namespace hv::test;

namespace {

struct Outcome {
    std::map<std::string, std::string> firstPages, laterPages, childPages;
    std::map<std::string, std::string> firstRows, laterRows, childRows;
    std::vector<std::string> messages;
};

void Analyse(std::int32_t measId, const DateTime& at) {
    FixedClock clock{InstantAt(at)};
    ScopedClock useClock{clock};
    CAnalysisRun run(measId);
    ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
    run.Run();
}

// A man's first test (values from the bands), his test half a year later (values drifting
// from the first) and a child's test (the five child reports), on one engine.
Outcome AnalyseOn(DbEngine engine) {
    Outcome outcome;
    TestInstallation install(engine);
    RecordingSink sink;
    const std::int32_t man = AddPerson({});
    const std::int32_t first = AddTest(man, {2024, 1, 10, 9, 30});
    const std::int32_t later = AddTest(man, {2024, 7, 2, 14, 5});
    PersonData child;
    child.name = "Young Example";
    child.male = false;
    child.birthday = {2016, 3, 1};
    child.height = "128";
    child.weight = "26";
    const std::int32_t young = AddTest(AddPerson(child), {2024, 7, 2, 15, 0});

    Analyse(first, {2024, 1, 10, 10, 0, 0});
    outcome.firstPages = AllPages();
    Analyse(later, {2024, 7, 2, 15, 0, 0});
    outcome.laterPages = AllPages();
    Analyse(young, {2024, 7, 2, 16, 0, 0});
    outcome.childPages = AllPages();
    outcome.firstRows = RowsOf(first);
    outcome.laterRows = RowsOf(later);
    outcome.childRows = RowsOf(young);
    outcome.messages = sink.messages;
    return outcome;
}

TEST(EnginesAgreeTest, TheSameAnalysisGivesIdenticalPagesAndRowsOnBothEngines) {
    if (!TestServerUrl()) {
        if (TestServerRequired())
            GTEST_FAIL() << kTestServerEnvironment << " is not set";
        GTEST_SKIP() << "no PostgreSQL server for the tests: " << kTestServerEnvironment
                     << " is not set (./build.sh test starts one and sets it)";
    }
    const Outcome file = AnalyseOn(DbEngine::SQLite);
    const Outcome server = AnalyseOn(DbEngine::PostgreSQL);
    EXPECT_TRUE(file.messages.empty());
    EXPECT_TRUE(server.messages.empty());
    ASSERT_GT(file.firstPages.size(), 30u);
    EXPECT_EQ(file.childPages.size(), 6u); // the composite page and the five child reports
    EXPECT_TRUE(file.firstPages == server.firstPages);
    EXPECT_TRUE(file.laterPages == server.laterPages);
    EXPECT_TRUE(file.childPages == server.childPages);
    EXPECT_NE(file.firstPages, file.laterPages); // the later test has values of its own
    EXPECT_EQ(file.firstRows, server.firstRows);
    EXPECT_EQ(file.laterRows, server.laterRows);
    EXPECT_EQ(file.childRows, server.childRows);
    EXPECT_GT(file.laterRows.size(), 30u);
}

} // namespace
