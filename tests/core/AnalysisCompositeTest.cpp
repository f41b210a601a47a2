#include "AnalysisTestSupport.h"
#include "DatabaseTest.h"
#include "FaultTriggers.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "analysis/Catalogue.h"
#include "analysis/CompositeReport.h"
#include "analysis/PageFragments.h"
#include "analysis/ValueRows.h"
#include "data/SeedData.h"

#include <gtest/gtest.h>
#include <map>

using namespace hv;
using namespace hv::test;

namespace {

class CompositeTest : public DatabaseTest {
protected:
    CompositeTest() {
        if (install.ready()) {
            EXPECT_TRUE(db.Open());
        }
        for (const SeedReport& r : SeedReports())
            names.emplace_back(r.name);
    }

    // Stores a value row of a numeric slot: every item in the middle of its normal range
    // except the given 1-based items.
    void StoreRow(int slot, std::int32_t measId, const std::map<int, double>& values) {
        ReportItems items;
        ASSERT_TRUE(GetReportItems(slot, items));
        std::vector<DbValue> row;
        for (std::size_t i = 0; i < items.ranges.size(); ++i) {
            const auto it = values.find(static_cast<int>(i) + 1);
            row.emplace_back(it != values.end()
                                 ? it->second
                                 : (items.ranges[i].normalLow + items.ranges[i].normalHigh) / 2);
        }
        ASSERT_TRUE(InsertValueRow(db, ReportNumber(slot), measId, row));
    }

    struct SummaryRow {
        std::string system, item, range;
        double value;
        std::string result, type;
        bool operator==(const SummaryRow&) const = default;
    };

    // Collects the test's abnormal items from its stored rows and replaces its summary, as an
    // analysis does.
    bool Summarise(std::int32_t measId) {
        const AbnormalItems found = CollectAbnormalItems(
            [&](int slot, std::vector<DbValue>& values) {
                return ReadValueRow(db, ReportNumber(slot), measId, values);
            },
            names);
        return found.complete && ReplaceSummary(db, measId, found.items);
    }

    std::vector<SummaryRow> Summary(std::int32_t measId) {
        std::vector<SummaryRow> rows;
        EXPECT_TRUE(db.OpenRecordset("SELECT * FROM ReportValueAll WHERE MeasID=? ORDER BY rowid",
                                     {measId}));
        for (; !db.IsEOF(); db.MoveNext())
            rows.push_back({db.GetText("System"), db.GetText("Item"), db.GetText("ValueRange"),
                            db.GetDouble("Value"), db.GetText("ValueResult"), db.GetText("Type")});
        db.CloseRecordset();
        return rows;
    }

    void AddSummaryRow(std::int32_t measId, const std::string& system, const std::string& item,
                       double value, const std::string& type) {
        ASSERT_TRUE(db.AddRow("ReportValueAll", {{"MeasID", measId},
                                                 {"System", system},
                                                 {"Item", item},
                                                 {"ValueRange", "1.000 - 2.000"},
                                                 {"Value", value},
                                                 {"ValueResult", "x"},
                                                 {"Type", type}}));
    }

    RecordingSink sink;
    CAdoDb db;
    std::vector<std::string> names;
};

HV_ON_BOTH_ENGINES(CompositeTest);

TEST_P(CompositeTest, SummaryListsEveryItemNotGradedNormal) {
    StoreRow(0, 7, {{1, 70.0}, {3, 2.0}, {5, 1.6}, {13, 8.0}});
    StoreRow(3, 7, {{1, 125.0}, {2, 0.7}});
    ASSERT_TRUE(Summarise(7));
    const std::string heart = names[0], gall = names[3];
    const std::vector<SummaryRow> expected = {
        {heart, "Blood Viscosity", "48.264 - 65.371", 70.0, "Moderately Abnormal(++)", "B"},
        {heart, "Blood Fat", "0.481 - 1.043", 2.0, "Severely Abnormal(+++)", "A"},
        {heart, "Vascular Elasticity", "1.672 - 1.978", 1.6, "Mildly Abnormal(+)", "C"},
        {heart, "Coronary Perfusion Pressure", "11.719 - 18.418", 8.0, "Severely Abnormal(+++)",
         "A"},
        {gall, "Serum Globulin (A/G)", "126.000 - 159.000", 125.0, "Mildly Abnormal(+)", "C"},
        {gall, "Total Bilirubin (TBIL)", "0.232 - 0.686", 0.7, "Mildly Abnormal(+)", "C"},
    };
    EXPECT_EQ(Summary(7), expected);
    // Summarising again replaces the rows instead of adding a second set.
    ASSERT_TRUE(Summarise(7));
    EXPECT_EQ(Summary(7), expected);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(CompositeTest, TextBloodSugarAndBodyCompositionReportsNeverAppear) {
    StoreRow(11, 8, {{1, 1.0}, {2, 1.0}, {3, 1.0}});
    ASSERT_TRUE(InsertValueRow(db, 9, 8, {"No Direction", "No Direction", "u0.15", "+", "20%"}));
    ASSERT_TRUE(InsertValueRow(db, 99, 8, std::vector<DbValue>(28, DbValue(1000.0))));
    ASSERT_TRUE(Summarise(8));
    EXPECT_TRUE(Summary(8).empty());
}

TEST_P(CompositeTest, ReplacingTouchesNoOtherTest) {
    AddSummaryRow(5, names[0], "Blood Viscosity", 70.0, "B");
    StoreRow(0, 6, {{1, 70.0}});
    ASSERT_TRUE(Summarise(6));
    EXPECT_EQ(Summary(5).size(), 1u);
    EXPECT_EQ(Summary(6).size(), 1u);
}

TEST_P(CompositeTest, AReportTableThatCannotBeReadKeepsTheEarlierSummary) {
    StoreRow(0, 9, {{1, 70.0}});
    ASSERT_TRUE(Summarise(9));
    StoreRow(5, 9, {{1, 1000.0}});
    ASSERT_TRUE(db.Execute("DROP TABLE ReportValue03"));
    EXPECT_FALSE(Summarise(9));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find(NoSuchTableText(GetParam(), "ReportValue03")),
              std::string::npos);
    const std::vector<SummaryRow> rows = Summary(9);
    ASSERT_EQ(rows.size(), 1u); // the summary of the earlier analysis, untouched
    EXPECT_EQ(rows[0].item, "Blood Viscosity");
}

TEST_P(CompositeTest, AFailedReplacementKeepsTheEarlierSummary) {
    StoreRow(0, 4, {{1, 70.0}});
    ASSERT_TRUE(Summarise(4));
    StoreRow(3, 4, {{1, 125.0}});
    ASSERT_TRUE(db.ExecuteScript(
        RefusingTrigger(GetParam(), "refuse", "INSERT", "ReportValueAll", "summary refused")));
    ASSERT_TRUE(db.Execute("BEGIN"));
    EXPECT_FALSE(Summarise(4));
    EXPECT_TRUE(db.InTransaction()); // the caller's transaction goes on
    ASSERT_TRUE(db.Execute("COMMIT"));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("summary refused"), std::string::npos);
    const std::vector<SummaryRow> rows = Summary(4);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].item, "Blood Viscosity");
}

TEST_P(CompositeTest, AdviceRowsGroupModerateItemsWithTheirReportAndAdvice) {
    const std::string heart = names[0];
    AddSummaryRow(3, heart, "Blood Viscosity", 70.5, "B");
    AddSummaryRow(3, heart, "Blood Fat", 1.7, "B");
    AddSummaryRow(3, heart, "Vascular Resistance", 1.6, "B");
    AddSummaryRow(3, heart, "Stroke Volume", 0.1, "A");                   // severe: not listed
    AddSummaryRow(3, names[1], "Pepsin Secretion Coefficient", 1.0, "C"); // mild: not listed
    AddSummaryRow(4, heart, "Blood Fat", 1.7, "B");                       // another test
    ASSERT_TRUE(db.Execute("UPDATE Product SET Suggest='Walk & rest <daily>' WHERE System=? AND "
                           "Type='B'",
                           {heart}));
    const std::string rows = BuildAdviceRows(db, 3, false, 40);
    const std::string expected =
        "<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle rowspan=3>" + heart +
        "</TD><TD class=td align=middle>Blood Viscosity</TD><TD class=td align=middle>1.000 - "
        "2.000</TD><TD class=td align=middle>70.5</TD><TD class=td align=left rowspan=3 "
        "width=200>Walk &amp; rest &lt;daily&gt;</TD></TR>"
        "<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle>Blood Fat</TD><TD "
        "class=td align=middle>1.000 - 2.000</TD><TD class=td align=middle>1.7</TD></TR>"
        "<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle>Vascular "
        "Resistance</TD><TD class=td align=middle>1.000 - 2.000</TD><TD class=td "
        "align=middle>1.6</TD></TR>";
    EXPECT_EQ(rows, expected);
}

TEST_P(CompositeTest, AnEmptyAdviceIsANonBreakingSpace) {
    AddSummaryRow(3, names[0], "Blood Fat", 1.7, "B");
    ASSERT_TRUE(db.Execute("UPDATE Product SET Suggest='' WHERE Type='B'"));
    EXPECT_NE(BuildAdviceRows(db, 3, true, 40).find("rowspan=1 width=200>&nbsp;</TD>"),
              std::string::npos);
}

TEST_P(CompositeTest, ReportsOfferedFollowSexDisplayAndChildRules) {
    // One moderate item in every report.
    for (const std::string& name : names)
        AddSummaryRow(3, name, "item", 1.5, "B");
    ASSERT_TRUE(db.Execute("UPDATE ReportList SET IfShow_F=0 WHERE ReportNo='R01'"));
    ASSERT_TRUE(db.Execute("UPDATE ReportList SET Sex='F', IfShow_M=0 WHERE ReportNo='R15'"));
    ASSERT_TRUE(db.Execute("DELETE FROM Product WHERE Type='B' AND System=?", {names[1]}));
    const auto listed = [&](bool female, int age) {
        std::vector<std::string> systems;
        const std::string rows = BuildAdviceRows(db, 3, female, age);
        for (const std::string& name : names)
            if (rows.find(">" + name + "</TD>") != std::string::npos)
                systems.push_back(name);
        return systems;
    };
    const auto reportsWhere = [&](auto keep) {
        std::vector<std::string> systems;
        for (std::size_t slot = 0; slot < names.size(); ++slot)
            if (keep(slot))
                systems.push_back(names[slot]);
        return systems;
    };
    const auto sexOf = [&](std::size_t slot) { return SeedReports()[slot].sex; };
    EXPECT_EQ(listed(false, 40), reportsWhere([&](std::size_t s) {
                  return s != 1 && s != 14 && (sexOf(s) == "A" || sexOf(s) == "M");
              }));
    EXPECT_EQ(listed(true, 13), reportsWhere([&](std::size_t s) {
                  return s != 0 && s != 1 && (sexOf(s) == "A" || sexOf(s) == "F");
              }));
    const std::vector<std::string> children = {names[14], names[22], names[23], names[29],
                                               names[38]};
    EXPECT_EQ(listed(false, 12), children);
    EXPECT_EQ(listed(true, 3), children);
}

TEST_P(CompositeTest, AllNormalGivesHeadTableHeadAndFootOnly) {
    CReportWriter writer;
    writer.name = "Alex";
    const std::string rows = BuildAdviceRows(db, 3, false, 40);
    EXPECT_EQ(rows, "");
    EXPECT_EQ(CompositePageText(writer, rows),
              writer.HtmlPageHead("Comprehensive Report Card", true) +
                  std::string(page::kAdviceTableHead) + CReportWriter::HtmlPageFoot());
}

} // namespace
