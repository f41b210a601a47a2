#include "PersonsFixture.h"
#include "persons/TestRecords.h"

#include <gtest/gtest.h>

using namespace hv;
using hv::test::kConnectionError;

namespace {

class PersonsTestRecords : public hv::test::PersonsFixture {};

HV_ON_BOTH_ENGINES(PersonsTestRecords);

TEST_P(PersonsTestRecords, ListsThePersonsTestsNewestFirstWithAgeAndSex) {
    const double now = Date(2024, 3, 10, 15, 0, 0);
    const int g = AddGroup("G");
    const int ann = AddPerson(g, "Ann", false, {{"Birthday", now - 365 * 30 - 10}});
    const int other = AddPerson(g, "Other");
    const int older = AddTest(ann, Date(2023, 11, 2, 8, 5, 9));
    AddTest(other, Date(2024, 1, 1));
    const int newer = AddTest(ann, Date(2024, 2, 29, 17, 45, 0));

    const auto rows = LoadTestRecords(ann, now);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    const TestRecordRow& top = (*rows)[0];
    EXPECT_EQ(top.measId, newer);
    EXPECT_EQ(top.date, "2024-02-29");
    EXPECT_EQ(top.time, "17:45:00");
    EXPECT_EQ(top.name, "Ann");
    EXPECT_EQ(top.age, "30");
    EXPECT_EQ(top.sex, "Female");
    EXPECT_EQ((*rows)[1].measId, older);
    EXPECT_EQ((*rows)[1].time, "08:05:09");
}

TEST_P(PersonsTestRecords, AgeIsCountedToNowNotToTheTestDate) {
    const double now = Date(2024, 3, 10, 12, 0, 0);
    const int g = AddGroup("G");
    struct Case {
        double birthday;
        const char* age;
    };
    const Case cases[] = {{now - 364, "0"}, {now - 365, "1"}, {now - 3650, "10"}};
    for (const Case& c : cases) {
        const int person = AddPerson(g, "P", true, {{"Birthday", c.birthday}});
        AddTest(person, Date(2000, 1, 1)); // a test long ago does not change the age
        const auto rows = LoadTestRecords(person, now);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 1u);
        EXPECT_EQ(rows->front().age, c.age);
        EXPECT_EQ(rows->front().sex, "Male");
    }
}

TEST_P(PersonsTestRecords, UnknownValuesLeaveTheirCellsEmpty) {
    const int g = AddGroup("G");
    const int bare = AddPerson(g, "Bare", true, {{"Sex", nullptr}});
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", bare}}));
    const auto rows = LoadTestRecords(bare, Date(2024, 1, 1));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ(rows->front().age, "");
    EXPECT_EQ(rows->front().date, "");
    EXPECT_EQ(rows->front().sex, "Male");
}

TEST_P(PersonsTestRecords, APersonWithoutTestsHasAnEmptyList) {
    const int g = AddGroup("G");
    const auto rows = LoadTestRecords(AddPerson(g, "New"), Date(2024, 1, 1));
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->empty());
}

TEST_P(PersonsTestRecords, DeletingPickedTestsKeepsTheOthersAndTheAnalysisRows) {
    const int g = AddGroup("G");
    const int p = AddPerson(g, "P");
    const int t1 = AddTest(p, Date(2024, 1, 1));
    const int t2 = AddTest(p, Date(2024, 1, 2));
    const int t3 = AddTest(p, Date(2024, 1, 3));
    AddAnalysisRows(t1);
    AddAnalysisRows(t3);
    ASSERT_TRUE(DeleteTests({t3, t1}));
    const auto rows = LoadTestRecords(p, Date(2024, 2, 1));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ(rows->front().measId, t2);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM ReportValue01"), 2);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM ReportValueAll"), 2);

    EXPECT_TRUE(DeleteTests({}));
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData"), 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(PersonsTestRecords, ManyPickedTestsGoTogether) {
    const int g = AddGroup("G");
    const int p = AddPerson(g, "P");
    std::vector<int> keys;
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute("BEGIN"));
        for (int i = 0; i < 1200; ++i) {
            ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", p}, {"MeasDate", 45000.0 + i}}));
            keys.push_back(db.LastInsertKey());
        }
        ASSERT_TRUE(db.Execute("COMMIT"));
    }
    const int kept = keys.back();
    keys.pop_back();
    ASSERT_TRUE(DeleteTests(keys));
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData"), 1);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData WHERE MeasID=?", {kept}), 1);
}

TEST_P(PersonsTestRecords, AMissingDatabaseIsReportedOnce) {
    const int g = AddGroup("G");
    const int p = AddPerson(g, "P");
    const int t = AddTest(p, Date(2024, 1, 1));
    RemoveDatabase();
    EXPECT_FALSE(LoadTestRecords(p, Date(2024, 1, 1)));
    EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
    sink.messages.clear();
    EXPECT_FALSE(DeleteTests({t}));
    EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
}

} // namespace
