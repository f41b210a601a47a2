#include "data/Schema.h"

#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "data/SeedData.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

using namespace hv;
using hv::test::DatabaseTest;
using hv::test::RecordingSink;
using hv::test::TempDir;
using hv::test::TestInstallation;

namespace {

// The column names of a table as the engine's own catalogue lists them, as the schema
// spells them (the server keeps them in lower case).
std::vector<std::string> ColumnsOf(CAdoDb& db, const std::string& table) {
    const char* sql = db.IsServer()
                          ? "select column_name as name from information_schema.columns where "
                            "table_schema = current_schema() and table_name = lower(?) order by "
                            "ordinal_position"
                          : "select name from pragma_table_info(?) order by cid";
    std::vector<std::string> names;
    EXPECT_TRUE(db.OpenRecordset(sql, {table}));
    for (; !db.IsEOF(); db.MoveNext())
        names.push_back(CanonicalColumnName(db.GetText("name")));
    return names;
}

class SchemaTest : public DatabaseTest {
protected:
    RecordingSink sink;
};

HV_ON_BOTH_ENGINES(SchemaTest);

TEST_P(SchemaTest, EveryTableExistsWithItsColumnsInOrder) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset(
        OnServer() ? "select count(*) as cnt from information_schema.tables where table_schema = "
                     "current_schema()"
                   : "select count(*) as cnt from sqlite_master where type='table' and name not "
                     "like 'sqlite%'"));
    EXPECT_EQ(db.GetLong("cnt"), 47);

    const std::vector<std::pair<std::string, std::vector<std::string>>> fixed = {
        {"GroupList", {"GroupID", "Name", "Description"}},
        {"Examer",
         {"ExamerID", "GroupID", "Name", "Sex", "Birthday", "Height", "Weight", "Result",
          "Telephone", "Mobile", "Email", "Company", "Job", "Address", "Remark", "BzY", "BzM",
          "BzHW"}},
        {"MeasData", {"MeasID", "ExamerID", "MeasDate", "MeasValue"}},
        {"ReportValueAll", OnServer()
                               ? std::vector<std::string>{"MeasID", "System", "Item", "ValueRange",
                                                          "Value", "ValueResult", "Type", "rowid"}
                               : std::vector<std::string>{"MeasID", "System", "Item", "ValueRange",
                                                          "Value", "ValueResult", "Type"}},
        {"ReportList", {"ReportNo", "ReportName", "Sex", "ShowOrder", "IfShow_M", "IfShow_F"}},
        {"Product", {"OrderNo", "Type", "System", "Suggest"}},
        {"SetValue",
         {"ReportStandard", "ReportShuoMing", "IfCanChu", "IfProg", "MachineLM", "PageHead",
          "PageFoot"}},
    };
    for (const auto& [table, columns] : fixed)
        EXPECT_EQ(ColumnsOf(db, table), columns) << table;
}

TEST_P(SchemaTest, ValueTablesHaveMeasIdThenTheirValueColumns) {
    const std::vector<std::pair<int, int>> sizes = {
        {1, 15}, {2, 5},   {3, 5},   {4, 5},   {5, 3},  {6, 4},  {7, 4},   {8, 5},
        {9, 5},  {10, 5},  {11, 5},  {12, 3},  {13, 5}, {14, 5}, {15, 19}, {16, 3},
        {17, 3}, {18, 9},  {19, 10}, {20, 7},  {21, 9}, {22, 5}, {23, 10}, {24, 10},
        {25, 7}, {26, 16}, {27, 8},  {28, 5},  {29, 5}, {30, 6}, {31, 5},  {32, 4},
        {33, 7}, {34, 16}, {35, 9},  {36, 14}, {37, 4}, {38, 4}, {39, 4},  {99, 28}};
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    for (const auto& [number, count] : sizes) {
        const std::string table = ValueTableName(number);
        std::vector<std::string> expected{"MeasID"};
        for (int i = 1; i <= count; ++i)
            expected.push_back(ValueColumnName(i));
        EXPECT_EQ(ColumnsOf(db, table), expected) << table;
    }
    EXPECT_EQ(ValueTableName(9), "ReportValue09");
    EXPECT_EQ(ValueTableName(99), "ReportValue99");
}

TEST_P(SchemaTest, ReportNineHoldsTextOthersHoldDoubles) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(
        db.AddRow("ReportValue09", {{"MeasID", 1}, {"Value03", "u0.15"}, {"Value05", "25%"}}));
    ASSERT_TRUE(db.AddRow("ReportValue13", {{"MeasID", 1}, {"Value05", 7.35}}));
    ASSERT_TRUE(db.OpenRecordset("select * from ReportValue09"));
    EXPECT_EQ(db.GetText("Value03"), "u0.15");
    EXPECT_EQ(db.GetText("Value05"), "25%");
    ASSERT_TRUE(db.OpenRecordset(OnServer()
                                     ? "select pg_typeof(Value05)::text as t, Value05 from "
                                       "ReportValue13"
                                     : "select typeof(Value05) as t, Value05 from ReportValue13"));
    EXPECT_EQ(db.GetText("t"), OnServer() ? "double precision" : "real");
    EXPECT_EQ(db.Field("Value05"), DbValue(7.35));
}

TEST_P(SchemaTest, KeyLookupsUseIndexes) {
    const std::vector<std::string> queries = {
        "select * from Examer where GroupID=1",
        "select * from MeasData where ExamerID=1 order by MeasDate desc",
        "select * from ReportValue15 where MeasID=1",
        "select * from ReportValueAll where System='x' and Type='B' and MeasID=1",
        "select * from Examer where ExamerID=1",
    };
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    // The server would rather scan tables this small; told not to, it shows that an index
    // serves every lookup.
    if (OnServer()) {
        ASSERT_TRUE(db.Execute("set enable_seqscan = off"));
    }
    for (const std::string& query : queries) {
        ASSERT_TRUE(db.OpenRecordset((OnServer() ? "explain " : "explain query plan ") + query));
        std::string plan;
        for (; !db.IsEOF(); db.MoveNext())
            plan += db.Field(OnServer() ? 0 : 3).AsText() + "\n";
        EXPECT_EQ(plan.find(OnServer() ? "Seq Scan" : "SCAN"), std::string::npos) << query << "\n"
                                                                                  << plan;
    }
    if (OnServer()) {
        ASSERT_TRUE(db.Execute("reset enable_seqscan"));
    }
}

TEST_P(SchemaTest, SeedRowsDescribeFortyReportsInSlotOrder) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("select * from ReportList order by ReportNo"));
    ASSERT_EQ(db.RecordCount(), 40u);
    std::set<std::string> names;
    for (int slot = 0; !db.IsEOF(); db.MoveNext(), ++slot) {
        char number[16];
        std::snprintf(number, sizeof number, "R%02d", slot == 39 ? 99 : slot + 1);
        EXPECT_EQ(db.GetText("ReportNo"), number);
        const std::string name = db.GetText("ReportName");
        EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
        EXPECT_EQ(name.find_first_of("\\/:*?\"<>|"), std::string::npos) << name;
        EXPECT_FALSE(name.empty());
        const std::string expectedSex = (slot == 15 || slot == 16 || slot == 30) ? "M"
                                        : (slot == 17 || slot == 21)             ? "F"
                                                                                 : "A";
        EXPECT_EQ(db.GetText("Sex"), expectedSex) << name;
        EXPECT_EQ(db.GetLong("ShowOrder"), slot + 1);
        EXPECT_EQ(db.GetLong("IfShow_M"), -1);
        EXPECT_EQ(db.GetLong("IfShow_F"), -1);
    }
}

TEST_P(SchemaTest, EveryReportHasOneAdviceOfEachKind) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset(
        "select r.ReportName, "
        "(select count(*) from Product p where p.System=r.ReportName and p.Type='A') as a, "
        "(select count(*) from Product p where p.System=r.ReportName and p.Type='B') as b "
        "from ReportList r"));
    int reports = 0;
    for (; !db.IsEOF(); db.MoveNext(), ++reports) {
        EXPECT_EQ(db.GetLong("a"), 1) << db.GetText("ReportName");
        EXPECT_EQ(db.GetLong("b"), 1) << db.GetText("ReportName");
    }
    EXPECT_EQ(reports, 40);
    ASSERT_TRUE(db.OpenRecordset("select count(*) as cnt, count(distinct OrderNo) as keys, "
                                 "min(length(Suggest)) as shortest from Product"));
    EXPECT_EQ(db.GetLong("cnt"), 80);
    EXPECT_EQ(db.GetLong("keys"), 80);
    EXPECT_GT(db.GetLong("shortest"), 20);
}

TEST_P(SchemaTest, OneSettingsRowWithTheDeliveredValues) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("select * from SetValue"));
    ASSERT_EQ(db.RecordCount(), 1u);
    EXPECT_EQ(db.GetLong("ReportStandard"), 1);
    EXPECT_EQ(db.GetLong("ReportShuoMing"), 1);
    EXPECT_EQ(db.GetLong("IfCanChu"), 0);
    EXPECT_EQ(db.GetLong("IfProg"), 0);
    EXPECT_EQ(db.GetLong("MachineLM"), 20);
    EXPECT_EQ(db.Field("PageHead"), DbValue(""));
    EXPECT_EQ(db.Field("PageFoot"), DbValue(""));
}

TEST_P(SchemaTest, DeletingATestLeavesItsValueRows) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45000.0}}));
    const int meas = db.LastInsertKey();
    ASSERT_TRUE(db.AddRow("ReportValue01", {{"MeasID", meas}, {"Value01", 50.0}}));
    ASSERT_TRUE(db.Execute("delete from MeasData where MeasID in (?)", {meas}));
    ASSERT_TRUE(
        db.OpenRecordset("select count(*) as cnt from ReportValue01 where MeasID=?", {meas}));
    EXPECT_EQ(db.GetLong("cnt"), 1);
    ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45001.0}}));
    EXPECT_GT(db.LastInsertKey(), meas);
}

TEST(DeliveredDatabaseTest, InitDbWritesAnIntactFileAndRefusesToOverwrite) {
    TempDir dir;
    const std::string path = dir.file("DataBase.mdb");
    std::string error;
    ASSERT_TRUE(CreateDeliveredDatabase(path, error)) << error;
    EXPECT_TRUE(CheckDatabaseIntegrity(path, error)) << error;
    // No companion files are left beside the finished file.
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    const auto size = std::filesystem::file_size(path);
    EXPECT_FALSE(CreateDeliveredDatabase(path, error));
    EXPECT_NE(error.find("refusing"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST(DeliveredDatabaseTest, IntegrityCheckRejectsAForeignFile) {
    TempDir dir;
    std::ofstream(dir.file("x.mdb")) << std::string(4096, 'z');
    std::string error;
    EXPECT_FALSE(CheckDatabaseIntegrity(dir.file("x.mdb"), error));
    EXPECT_FALSE(error.empty());
}

TEST(DeliveredDatabaseTest, UnwritableTargetReportsTheReason) {
    TempDir dir;
    std::ofstream(dir.file("plainfile")) << "x";
    std::string error;
    EXPECT_FALSE(CreateDeliveredDatabase(dir.file("plainfile") + "/DataBase.mdb", error));
    EXPECT_FALSE(error.empty());
}

} // namespace
