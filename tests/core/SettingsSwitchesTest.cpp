#include "SettingsFixture.h"
#include "data/OperatorTexts.h"
#include "settings/ReportPreferences.h"
#include "settings/Sensitivity.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

using namespace hv;
using hv::test::kConnectionError;

namespace {

class SettingsSwitchesTest : public hv::test::SettingsFixture {};

HV_ON_BOTH_ENGINES(SettingsSwitchesTest);

TEST_P(SettingsSwitchesTest, SwitchesReadAsSigned16BitValuesTestedAgainstZero) {
    struct Case {
        DbValue standard, description, canChu;
        bool expectStandard, expectDescription, expectGraph;
    };
    const std::vector<Case> cases = {
        {0, -1, 1, false, true, true},
        {1, 0, 0, true, false, false},
        // Only the low 16 bits count: 65536 is off, 65537 and -2 are on.
        {65536, 65537, -2, false, true, true},
        {DbValue(), 0x8000, 0x10000, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.standard.AsText() + "," + c.description.AsText() + "," + c.canChu.AsText());
        Exec("update SetValue set ReportStandard=?,ReportShuoMing=?,IfCanChu=?",
             {c.standard, c.description, c.canChu});
        const std::optional<ReportPreferences> loaded = LoadReportPreferences();
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->showStandard, c.expectStandard);
        EXPECT_EQ(loaded->showDescription, c.expectDescription);
        EXPECT_EQ(loaded->graphMode, c.expectGraph);
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsSwitchesTest, SavedSwitchesAreStoredAsOneOrZeroAndReadBack) {
    Exec("update SetValue set IfProg=7,MachineLM=13,PageHead='h'");
    ASSERT_EQ(SaveReportPreferences({true, false, true}), SaveResult::Saved);
    EXPECT_EQ(Row("select ReportStandard,ReportShuoMing,IfCanChu,IfProg,MachineLM,PageHead "
                  "from SetValue"),
              (std::vector<DbValue>{1, 0, 1, 7, 13, "h"}));
    const auto loaded = LoadReportPreferences();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->showStandard, true);
    EXPECT_EQ(loaded->showDescription, false);
    EXPECT_EQ(loaded->graphMode, true);

    // A pair the operator never set is stored as off.
    ASSERT_EQ(SaveReportPreferences({std::nullopt, true, std::nullopt}), SaveResult::Saved);
    EXPECT_EQ(Row("select ReportStandard,ReportShuoMing,IfCanChu from SetValue"),
              (std::vector<DbValue>{0, 1, 0}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsSwitchesTest, EverySettingsRowIsUpdatedAndTheFirstIsRead) {
    Exec("insert into SetValue (ReportStandard,ReportShuoMing,IfCanChu,MachineLM) "
         "values (0,0,0,27)");
    EXPECT_EQ(LoadSensitivity(), 20);
    ASSERT_EQ(SaveSensitivity(12), SaveResult::Saved);
    ASSERT_EQ(SaveReportPreferences({false, true, true}), SaveResult::Saved);
    EXPECT_EQ(Value("select count(*) from SetValue where MachineLM=12 and ReportStandard=0 and "
                    "ReportShuoMing=1 and IfCanChu=1"),
              DbValue(2));
}

TEST_P(SettingsSwitchesTest, EmptySettingsTableLoadsUnsetAndRefusesToClaimASave) {
    Exec("delete from SetValue");
    const auto loaded = LoadReportPreferences();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->showStandard);
    EXPECT_FALSE(loaded->showDescription);
    EXPECT_FALSE(loaded->graphMode);
    EXPECT_EQ(LoadSensitivity(), kSensitivityDefault);
    EXPECT_TRUE(sink.messages.empty());

    // Nothing can be stored without the row; saying so beats reporting a save that did
    // not happen.
    EXPECT_EQ(SaveReportPreferences({true, true, true}), SaveResult::Failed);
    EXPECT_EQ(SaveSensitivity(25), SaveResult::Failed);
    EXPECT_EQ(sink.messages, std::vector<std::string>(2, std::string(texts::kSettingsRowMissing)));
    EXPECT_EQ(Value("select count(*) from SetValue"), DbValue(0));
}

TEST_P(SettingsSwitchesTest, MissingDatabaseIsReportedOnceByEachOperation) {
    RemoveDatabase();
    EXPECT_FALSE(LoadReportPreferences());
    EXPECT_EQ(LoadSensitivity(), kSensitivityDefault);
    EXPECT_EQ(SaveReportPreferences({true, true, true}), SaveResult::NotOpened);
    EXPECT_EQ(SaveSensitivity(15), SaveResult::NotOpened);
    EXPECT_EQ(sink.messages, std::vector<std::string>(4, kConnectionError));
    EXPECT_FALSE(std::filesystem::exists(install.databasePath()));
}

TEST_P(SettingsSwitchesTest, FailedUpdateIsReportedAsFailure) {
    FailUpdatesWhere("SetValue", "1=1");
    EXPECT_EQ(SaveReportPreferences({true, true, true}), SaveResult::Failed);
    EXPECT_EQ(SaveSensitivity(11), SaveResult::Failed);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[0].find("row is locked for this test"), std::string::npos);
    EXPECT_EQ(Row("select ReportStandard,MachineLM from SetValue"), (std::vector<DbValue>{1, 20}));
}

TEST(SensitivityFromStoredTest, StoredValuesBecomeLevelsOfTheRange) {
    struct Case {
        DbValue stored;
        int level;
    };
    const std::vector<Case> cases = {
        {10, 10},
        {30, 30},
        {17, 17},
        {9, 10},
        {31, 30},
        {-5, 10},
        {0, 10},
        // Beyond 32 bits: still the nearer end, never a wrapped-around number.
        {std::int64_t{4294967311}, 30},
        {std::int64_t{-4294967286}, 10},
        {1e300, 30},
        {15.6, 16},
        {"25", 25},
        {DbValue(), kSensitivityDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.AsText());
        EXPECT_EQ(SensitivityFromStored(c.stored), c.level);
    }
}

TEST_P(SettingsSwitchesTest, SensitivityIsStoredWithinTheRangeAndReadBack) {
    struct Case {
        int saved;
        int stored;
    };
    for (const Case& c : {Case{25, 25}, Case{10, 10}, Case{30, 30}, Case{5, 10}, Case{99, 30}}) {
        SCOPED_TRACE(c.saved);
        ASSERT_EQ(SaveSensitivity(c.saved), SaveResult::Saved);
        EXPECT_EQ(Value("select MachineLM from SetValue"), DbValue(c.stored));
        EXPECT_EQ(LoadSensitivity(), c.stored);
    }
    // A value put there by other means is shown at the nearer end.
    Exec("update SetValue set MachineLM=45");
    EXPECT_EQ(LoadSensitivity(), 30);
    Exec("update SetValue set MachineLM=NULL");
    EXPECT_EQ(LoadSensitivity(), kSensitivityDefault);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
