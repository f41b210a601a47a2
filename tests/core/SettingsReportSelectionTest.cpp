#include "SettingsFixture.h"
#include "data/SeedData.h"
#include "settings/ReportSelection.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace hv;
using hv::test::kConnectionError;

namespace {

class SettingsReportSelectionTest : public hv::test::SettingsFixture {
protected:
    static const ReportChoice* Find(const std::vector<ReportChoice>& list, const std::string& no) {
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const ReportChoice& c) { return c.reportNo == no; });
        return it == list.end() ? nullptr : &*it;
    }
    static ReportChoice& At(std::vector<ReportChoice>& list, const std::string& no) {
        return *const_cast<ReportChoice*>(Find(list, no));
    }
    std::vector<DbValue> Flags(const std::string& reportNo) {
        return Row("select IfShow_M,IfShow_F from ReportList where ReportNo=?", {reportNo});
    }
};

HV_ON_BOTH_ENGINES(SettingsReportSelectionTest);

TEST_P(SettingsReportSelectionTest, ListsHoldTheReportsOfTheirSexInDisplayOrder) {
    Exec("update ReportList set ShowOrder=0 where ReportNo='R07'");
    const auto lists = LoadReportChoices();
    ASSERT_TRUE(lists);
    std::size_t both = 0, maleOnly = 0, femaleOnly = 0;
    for (const SeedReport& r : SeedReports())
        (r.sex == "A" ? both : r.sex == "M" ? maleOnly : femaleOnly)++;
    EXPECT_EQ(lists->male.size(), both + maleOnly);
    EXPECT_EQ(lists->female.size(), both + femaleOnly);

    ASSERT_FALSE(lists->male.empty());
    EXPECT_EQ(lists->male.front().reportNo, "R07");
    EXPECT_EQ(lists->male.front().reportName, "Lung Function");
    EXPECT_EQ(lists->female.front().reportNo, "R07");
    EXPECT_EQ(lists->male[1].reportNo, "R01");
    EXPECT_TRUE(Find(lists->male, "R16"));
    EXPECT_FALSE(Find(lists->female, "R16"));
    EXPECT_TRUE(Find(lists->female, "R18"));
    EXPECT_FALSE(Find(lists->male, "R18"));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsReportSelectionTest, ReportForBothSexesKeepsTwoIndependentFlags) {
    Exec("update ReportList set IfShow_M=0,IfShow_F=-1 where ReportNo='R03'");
    Exec("update ReportList set IfShow_M=-1,IfShow_F=0 where ReportNo='R04'");
    auto lists = LoadReportChoices();
    ASSERT_TRUE(lists);
    EXPECT_FALSE(Find(lists->male, "R03")->shown);
    EXPECT_TRUE(Find(lists->female, "R03")->shown);
    EXPECT_TRUE(Find(lists->male, "R04")->shown);
    EXPECT_FALSE(Find(lists->female, "R04")->shown);

    At(lists->male, "R03").shown = true;
    At(lists->female, "R04").shown = true;
    At(lists->female, "R03").shown = false;
    ASSERT_TRUE(SaveReportChoices(*lists));
    // Stored the way every reader expects: yes is -1.
    EXPECT_EQ(Flags("R03"), (std::vector<DbValue>{-1, 0}));
    EXPECT_EQ(Flags("R04"), (std::vector<DbValue>{-1, -1}));
    EXPECT_EQ(Value("select count(*) from ReportList where IfShow_M<0 and IfShow_F<0"),
              DbValue(static_cast<int>(SeedReports().size()) - 1));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsReportSelectionTest, SaveRewritesEveryFlagButNeverTheOtherSexsFlag) {
    auto lists = LoadReportChoices();
    ASSERT_TRUE(lists);
    // Flags changed behind the dialog's back are overwritten by what it shows, changed or
    // not; the male flag of a women's report (and the reverse) is none of its business.
    Exec("update ReportList set IfShow_M=0, IfShow_F=0");
    for (ReportChoice& c : lists->male)
        c.shown = c.reportNo != "R01";
    ASSERT_TRUE(SaveReportChoices(*lists));
    EXPECT_EQ(Value("select count(*) from ReportList where IfShow_M=0"), DbValue(3)); // R01,18,22
    EXPECT_EQ(Value("select count(*) from ReportList where IfShow_F=0"), DbValue(3)); // R16,17,31
    EXPECT_EQ(Flags("R18"), (std::vector<DbValue>{0, -1}));
    EXPECT_EQ(Flags("R16"), (std::vector<DbValue>{-1, 0}));
}

TEST_P(SettingsReportSelectionTest, FailingUpdateStopsTheSaveAndKeepsWhatWasWritten) {
    auto lists = LoadReportChoices();
    ASSERT_TRUE(lists);
    for (auto* list : {&lists->male, &lists->female})
        for (ReportChoice& c : *list)
            c.shown = false;
    FailUpdatesWhere("ReportList", "NEW.ReportNo='R05'");
    EXPECT_FALSE(SaveReportChoices(*lists));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("row is locked for this test"), std::string::npos);
    EXPECT_EQ(Flags("R04"), (std::vector<DbValue>{0, -1}));  // before the failure
    EXPECT_EQ(Flags("R05"), (std::vector<DbValue>{-1, -1})); // the failing row
    EXPECT_EQ(Flags("R06"), (std::vector<DbValue>{-1, -1})); // never reached
}

TEST_P(SettingsReportSelectionTest, ReportNumberIsAValueNeverPartOfTheStatement) {
    ReportChoiceLists lists;
    lists.male.push_back({"R01' or ReportNo<>'", "hostile", false});
    ASSERT_TRUE(SaveReportChoices(lists));
    EXPECT_EQ(Value("select count(*) from ReportList where IfShow_M=0"), DbValue(0));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsReportSelectionTest, MissingDatabaseIsReported) {
    RemoveDatabase();
    EXPECT_FALSE(LoadReportChoices());
    EXPECT_FALSE(SaveReportChoices({{{"R01", "x", true}}, {}}));
    EXPECT_EQ(sink.messages, std::vector<std::string>(2, kConnectionError));
}

} // namespace
