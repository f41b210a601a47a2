#include "SettingsFixture.h"
#include "data/SeedData.h"
#include "settings/ExpertAdvice.h"

#include <gtest/gtest.h>

using namespace hv;
using hv::test::kConnectionError;

namespace {

class SettingsAdviceTest : public hv::test::SettingsFixture {
protected:
    DbValue StoredAdvice(int orderNo) {
        return Value("select Suggest from Product where OrderNo=?", {orderNo});
    }
};

HV_ON_BOTH_ENGINES(SettingsAdviceTest);

TEST_P(SettingsAdviceTest, ListsHoldEachKindInOrderNoOrder) {
    Exec("update Product set OrderNo=0 where OrderNo=?", {kAdviceOrderBaseA + 4});
    const AdviceLists lists = LoadAdvice();
    const std::size_t reports = SeedReports().size();
    ASSERT_EQ(lists.hidden.size(), reports);
    ASSERT_EQ(lists.subHealth.size(), reports);
    EXPECT_EQ(lists.hidden[0].orderNo, 0);
    EXPECT_EQ(lists.hidden[0].system, SeedReports()[4].name);
    EXPECT_EQ(lists.hidden[1].orderNo, kAdviceOrderBaseA);
    EXPECT_EQ(lists.hidden[1].suggest, SeedReports()[0].adviceA);
    EXPECT_EQ(lists.subHealth[2].orderNo, kAdviceOrderBaseB + 2);
    EXPECT_EQ(lists.subHealth[2].system, SeedReports()[2].name);
    EXPECT_EQ(lists.subHealth[2].suggest, SeedReports()[2].adviceB);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsAdviceTest, TextsAreStoredExactlyAsTyped) {
    const std::vector<std::string> texts = {
        "first line\r\nsecond line\r\n\r\nfourth",
        "unix\nline\nbreaks\n",
        "He said \"rest\"; don't 'overdo' it",
        "'); delete from Product; --",
        "100% %s %d %n",
        std::string(4999, 'a') + "z",
        "  leading and trailing spaces  ",
        "tab\tand non-breaking\u00a0space, Ærø ✓ 王",
        "",
    };
    AdviceLists lists = LoadAdvice();
    for (std::size_t i = 0; i < texts.size(); ++i)
        (i % 2 ? lists.subHealth : lists.hidden)[i].suggest = texts[i];
    ASSERT_TRUE(SaveAdvice(lists));
    EXPECT_TRUE(sink.messages.empty());
    const AdviceLists reloaded = LoadAdvice();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& list = i % 2 ? reloaded.subHealth : reloaded.hidden;
        EXPECT_EQ(list[i].suggest, texts[i]);
    }
    EXPECT_EQ(StoredAdvice(kAdviceOrderBaseB + 5), DbValue(texts[5]));
    EXPECT_EQ(Value("select count(*) from Product"), DbValue(2 * int(SeedReports().size())));
}

TEST_P(SettingsAdviceTest, SaveWritesEveryRowChangedOrNot) {
    const AdviceLists lists = LoadAdvice();
    Exec("update Product set Suggest='changed elsewhere'");
    ASSERT_TRUE(SaveAdvice(lists));
    EXPECT_EQ(Value("select count(*) from Product where Suggest='changed elsewhere'"), DbValue(0));
    EXPECT_EQ(StoredAdvice(kAdviceOrderBaseB + 39), DbValue(SeedReports()[39].adviceB));
}

TEST_P(SettingsAdviceTest, VanishedRowIsReportedAndTheOthersAreStillSaved) {
    AdviceLists lists = LoadAdvice();
    for (auto* rows : {&lists.hidden, &lists.subHealth})
        for (AdviceRow& row : *rows)
            row.suggest = "new " + std::to_string(row.orderNo);
    Exec("delete from Product where OrderNo=?", {kAdviceOrderBaseA + 3});
    ASSERT_TRUE(SaveAdvice(lists));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "The advice with order number 4 is no longer in the database, "
                                "so its text was not saved.");
    // Nothing was put in its place, and the rows before and after it were written.
    EXPECT_EQ(Value("select count(*) from Product where OrderNo=?", {kAdviceOrderBaseA + 3}),
              DbValue(0));
    EXPECT_EQ(Value("select count(*) from Product where Suggest like 'new %'"),
              DbValue(2 * int(SeedReports().size()) - 1));
}

TEST_P(SettingsAdviceTest, FailingUpdateIsReportedAndTheSaveGoesOn) {
    AdviceLists lists = LoadAdvice();
    for (auto* rows : {&lists.hidden, &lists.subHealth})
        for (AdviceRow& row : *rows)
            row.suggest = "new";
    FailUpdatesWhere("Product", "NEW.OrderNo IN (2, 102)");
    ASSERT_TRUE(SaveAdvice(lists));
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[1].find("row is locked for this test"), std::string::npos);
    EXPECT_EQ(Value("select count(*) from Product where Suggest<>'new'"), DbValue(2));
    EXPECT_EQ(StoredAdvice(2), DbValue(SeedReports()[1].adviceA));
}

TEST_P(SettingsAdviceTest, LookupFailureStopsTheSave) {
    AdviceLists lists = LoadAdvice();
    Exec("alter table Product rename to ProductGone");
    EXPECT_FALSE(SaveAdvice(lists));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find(hv::test::NoSuchTableText(GetParam(), "Product")),
              std::string::npos);
}

TEST_P(SettingsAdviceTest, MissingDatabaseGivesEmptyListsAndNoSave) {
    RemoveDatabase();
    const AdviceLists lists = LoadAdvice();
    EXPECT_TRUE(lists.hidden.empty());
    EXPECT_TRUE(lists.subHealth.empty());
    EXPECT_FALSE(SaveAdvice({{{1, "x", "y"}}, {}}));
    EXPECT_EQ(sink.messages, std::vector<std::string>(2, kConnectionError));
}

TEST(KeepLineBreakStyleTest, EditedTextTakesTheLineBreaksOfTheOriginal) {
    struct Case {
        std::string edited, original, expected;
    };
    const std::vector<Case> cases = {
        {"a\nb\nc", "x\r\ny", "a\r\nb\r\nc"},
        {"\nlead and trail\n", "x\r\ny", "\r\nlead and trail\r\n"},
        {"a\r\nb\nc", "x\r\ny", "a\r\nb\r\nc"}, // no doubled carriage return
        {"a\nb", "plain\nbreaks", "a\nb"},
        {"a\nb", "no breaks", "a\nb"},
        {"a\r\nb", "", "a\r\nb"},
        {"", "x\r\ny", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edited);
        EXPECT_EQ(KeepLineBreakStyle(c.edited, c.original), c.expected);
    }
}

} // namespace
