#include "data/AdoDb.h"

#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "data/StringTable.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace hv;
using hv::test::DatabaseTest;
using hv::test::RecordingSink;
using hv::test::TempDir;
using hv::test::TestInstallation;

namespace {

const std::string kConnectionError = "Database connection error!";

class AdoDbTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50));
    }
    void TearDown() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000)); }

    int AddGroup(CAdoDb& db, const std::string& name) {
        EXPECT_TRUE(db.AddRow("GroupList", {{"Name", name}, {"Description", ""}}));
        return db.LastInsertKey();
    }

    RecordingSink sink;
};

HV_ON_BOTH_ENGINES(AdoDbTest);

// What only the file engine does: a path that is not a database, another connection's write
// lock.
class AdoDbFileTest : public ::testing::Test {
protected:
    void SetUp() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50)); }
    void TearDown() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000)); }

    TestInstallation install;
    RecordingSink sink;
};

TEST_F(AdoDbFileTest, OpenFailuresShowOneConnectionMessageAndReturnFalse) {
    TempDir other;
    std::ofstream(other.file("text.mdb")) << "this is not a database, just some text";
    std::filesystem::create_directory(other.path() / "folder.mdb");
    for (const std::string& path :
         {other.file("missing.mdb"), other.file("text.mdb"), other.file("folder.mdb")}) {
        SCOPED_TRACE(path);
        sink.messages.clear();
        CAdoDb db;
        EXPECT_FALSE(db.Open(path));
        EXPECT_FALSE(db.IsOpen());
        EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
    }
    // Opening never creates the file it did not find.
    EXPECT_FALSE(std::filesystem::exists(other.file("missing.mdb")));
}

TEST_P(AdoDbTest, OpenFindsTheDatabaseRelativeToTheWorkingDirectory) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("SELECT count(*) AS cnt FROM ReportList"));
    EXPECT_EQ(db.GetLong("cnt"), 40);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(AdoDbTest, StatementErrorsShowTheEngineTextOnce) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    EXPECT_FALSE(db.Execute("delete from NoSuchTable"));
    EXPECT_FALSE(db.OpenRecordset("select Missing from GroupList"));
    EXPECT_FALSE(db.Execute("delete from GroupList; delete from Examer"));
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_NE(sink.messages[0].find(OnServer() ? "relation \"nosuchtable\" does not exist"
                                               : "no such table: NoSuchTable"),
              std::string::npos);
    EXPECT_NE(sink.messages[1].find(OnServer() ? "column \"missing\" does not exist"
                                               : "no such column: Missing"),
              std::string::npos);
    EXPECT_FALSE(db.IsRecordsetOpen());
    // The connection stays usable after a failed statement.
    EXPECT_TRUE(db.Execute("delete from GroupList"));
}

TEST_P(AdoDbTest, UnopenedWrapperRefusesWork) {
    CAdoDb db;
    EXPECT_FALSE(db.Execute("delete from GroupList"));
    EXPECT_FALSE(db.OpenRecordset("select * from GroupList"));
    EXPECT_EQ(sink.messages.size(), 2u);
}

TEST_P(AdoDbTest, NewKeyIsReadBackOnTheSameConnectionOnly) {
    CAdoDb first;
    ASSERT_TRUE(first.Open());
    const int a = AddGroup(first, "Morning");
    const int b = AddGroup(first, "Evening");
    EXPECT_GT(a, 0);
    EXPECT_EQ(b, a + 1);

    CAdoDb second;
    ASSERT_TRUE(second.Open());
    EXPECT_EQ(second.LastInsertKey(), 0);
    EXPECT_EQ(first.LastInsertKey(), b);
}

TEST_P(AdoDbTest, KeysAreNeverReused) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(
        db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45000.5}, {"MeasValue", "1-"}}));
    const int first = db.LastInsertKey();
    ASSERT_TRUE(db.Execute("delete from MeasData where MeasID=?", {first}));
    ASSERT_TRUE(
        db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45001.5}, {"MeasValue", "2-"}}));
    EXPECT_GT(db.LastInsertKey(), first);
}

TEST_P(AdoDbTest, TwoWrappersAtOnceSeeConsistentDataAndCloseTheirOwnConnections) {
    CAdoDb writer;
    ASSERT_TRUE(writer.Open());
    const int g1 = AddGroup(writer, "A");
    const int g2 = AddGroup(writer, "B");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(writer.AddRow(
            "Examer", {{"GroupID", i < 2 ? g1 : g2}, {"Name", "p" + std::to_string(i)}}));

    CAdoDb groups;
    ASSERT_TRUE(groups.Open());
    ASSERT_TRUE(groups.OpenRecordset("select * from GroupList order by GroupID"));
    std::vector<int> counts;
    while (!groups.IsEOF()) {
        CAdoDb persons;
        ASSERT_TRUE(persons.Open());
        ASSERT_TRUE(persons.OpenRecordset("select * from Examer where GroupID=?",
                                          {groups.GetLong("GroupID")}));
        int n = 0;
        for (; !persons.IsEOF(); persons.MoveNext())
            ++n;
        counts.push_back(n);
        groups.MoveNext();
    }
    EXPECT_EQ(counts, (std::vector<int>{2, 1}));
    // The outer cursor can return to its first row.
    groups.MoveFirst();
    EXPECT_EQ(groups.GetText("Name"), "A");
}

TEST_P(AdoDbTest, EmptyResultLeavesTheCursorAtEnd) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("select * from Examer where ExamerID=?", {12345}));
    EXPECT_TRUE(db.IsEOF());
    EXPECT_TRUE(db.IsNull("Name"));
    EXPECT_EQ(db.GetText("Name"), "");
    EXPECT_EQ(db.FieldCount(), 18);
    db.CloseRecordset();
    EXPECT_FALSE(db.IsRecordsetOpen());
}

TEST_P(AdoDbTest, HostileTextRoundTripsUnchanged) {
    const std::vector<std::string> texts = {"O'Brien \"Junior\"",
                                            "100% sure",
                                            "%s and %d and %n",
                                            "'; drop table Examer; --",
                                            "Ærøskøbing Þór Ελένη Юлия 王小明 ✓",
                                            std::string(10000, 'x') + "end",
                                            "line1\r\nline2",
                                            ""};
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        ASSERT_TRUE(db.AddRow("Examer", {{"GroupID", 1}, {"Name", text}, {"Remark", text}}));
        const int id = db.LastInsertKey();
        ASSERT_TRUE(db.OpenRecordset("select * from Examer where Name=?", {text}));
        ASSERT_FALSE(db.IsEOF());
        EXPECT_EQ(db.GetLong("ExamerID"), id);
        EXPECT_EQ(db.GetText("Remark"), text);
    }
    ASSERT_TRUE(db.OpenRecordset("select count(*) as cnt from Examer"));
    EXPECT_EQ(db.GetLong("cnt"), static_cast<int>(texts.size()));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(AdoDbTest, FieldsReadByNameAndPosition) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("ReportValue01", {{"MeasID", 7}, {"Value01", 1.5}, {"Value02", 2.25}}));
    ASSERT_TRUE(db.OpenRecordset("select * from ReportValue01 where MeasID=?", {7}));
    EXPECT_EQ(db.FieldName(0), "MeasID");
    EXPECT_EQ(db.Field(0).AsLong(), 7);
    EXPECT_DOUBLE_EQ(db.Field(1).AsDouble(), 1.5);
    EXPECT_DOUBLE_EQ(db.Field(2).AsDouble(), 2.25);
    EXPECT_TRUE(db.Field(3).IsNull());
    EXPECT_DOUBLE_EQ(db.GetDouble("value02"), 2.25); // names are case-insensitive
    EXPECT_TRUE(db.Field(99).IsNull());
    EXPECT_TRUE(db.Field("NoSuchColumn").IsNull());
}

TEST_P(AdoDbTest, UpdateRowChangesOnlyTheKeyedRow) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    const int a = AddGroup(db, "first");
    const int b = AddGroup(db, "second");
    ASSERT_TRUE(
        db.UpdateRow("GroupList", "GroupID", a, {{"Name", "renamed"}, {"Description", "x"}}));
    ASSERT_TRUE(db.OpenRecordset(
        "select Name from GroupList where GroupID in (?, ?) order by GroupID", {a, b}));
    EXPECT_EQ(db.GetText("Name"), "renamed");
    db.MoveNext();
    EXPECT_EQ(db.GetText("Name"), "second");
}

TEST_P(AdoDbTest, YesNoColumnsHoldMinusOneOrZero) {
    struct Case {
        DbValue written;
        DbValue stored;
    };
    const std::vector<Case> cases = {{1, -1}, {-1, -1}, {0, 0}, {5, -1}, {DbValue(), DbValue()}};
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    for (const Case& c : cases) {
        ASSERT_TRUE(db.AddRow("Examer", {{"Name", "x"}, {"Sex", c.written}}));
        const int id = db.LastInsertKey();
        ASSERT_TRUE(db.OpenRecordset("select Sex from Examer where ExamerID=?", {id}));
        EXPECT_EQ(db.Field("Sex"), c.stored);
        // Updates normalise the same way.
        ASSERT_TRUE(db.Execute("update Examer set Sex=? where ExamerID=?", {c.written, id}));
        ASSERT_TRUE(db.OpenRecordset("select Sex from Examer where ExamerID=?", {id}));
        EXPECT_EQ(db.Field("Sex"), c.stored);
    }
    // The search condition for men (-1) finds rows saved with 1.
    ASSERT_TRUE(db.OpenRecordset("select count(*) as cnt from Examer where Sex=?", {-1}));
    EXPECT_EQ(db.GetLong("cnt"), 3);
    ASSERT_TRUE(db.Execute("update ReportList set IfShow_M=? where ReportNo=?", {1, "R01"}));
    ASSERT_TRUE(db.OpenRecordset("select IfShow_M from ReportList where ReportNo='R01'"));
    EXPECT_EQ(db.GetLong("IfShow_M"), -1);
    EXPECT_TRUE(db.GetFlag("IfShow_M"));
}

TEST_F(AdoDbFileTest, WriteHeldByAnotherConnectionFailsAfterTheBusyTimeout) {
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(install.databasePath().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE; INSERT INTO GroupList (Name) VALUES ('held')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open()); // readers are not blocked by a writer
        ASSERT_TRUE(db.OpenRecordset("select count(*) as cnt from GroupList"));
        EXPECT_EQ(db.GetLong("cnt"), 0); // the uncommitted row is not seen
        EXPECT_FALSE(db.Execute("insert into GroupList (Name) values (?)", {"blocked"}));
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_NE(sink.messages[0].find("locked"), std::string::npos);
    }
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("select Name from GroupList"));
    EXPECT_EQ(db.GetText("Name"), "held");
    EXPECT_EQ(db.RecordCount(), 1u);
}

TEST_P(AdoDbTest, LongMeasurementStringIsStoredWhole) {
    std::string value;
    for (int i = 0; i < 128; ++i)
        value += "299-";
    ASSERT_EQ(value.size(), 512u);
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(
        db.AddRow("MeasData", {{"ExamerID", 3}, {"MeasDate", 45000.25}, {"MeasValue", value}}));
    ASSERT_TRUE(db.OpenRecordset("select * from MeasData where MeasID=?", {db.LastInsertKey()}));
    EXPECT_EQ(db.GetText("MeasValue"), value);
    EXPECT_DOUBLE_EQ(db.GetDouble("MeasDate"), 45000.25);
}

TEST(DbValueTest, ConversionsAsCallersReadThem) {
    EXPECT_EQ(DbValue().AsText(), "");
    EXPECT_EQ(DbValue().AsLong(), 0);
    EXPECT_EQ(DbValue(172).AsText(), "172");
    EXPECT_EQ(DbValue("172").AsLong(), 172);
    EXPECT_DOUBLE_EQ(DbValue("7.35").AsDouble(), 7.35);
    EXPECT_EQ(DbValue(0.5).AsText(), "0.5");
    EXPECT_TRUE(DbValue(-1).AsFlag());
    EXPECT_TRUE(DbValue(1).AsFlag());
    EXPECT_FALSE(DbValue(0).AsFlag());
    EXPECT_FALSE(DbValue(0x10000).AsFlag()); // only the low 16 bits count
}

} // namespace
