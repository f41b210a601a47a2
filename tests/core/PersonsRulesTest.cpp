#include "common/OleDate.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"
#include "persons/BodyClasses.h"
#include "persons/PersonRules.h"

#include <climits>
#include <gtest/gtest.h>

using namespace hv;

namespace {

TEST(PersonsParseLeadingInteger, ReadsLeadingDigitsOnly) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"170", 170},
        {"170cm", 170},
        {"12.5", 12},
        {"abc", 0},
        {"", 0},
        {"0", 0},
        {"000", 0},
        {"  42", 42},
        {"+7", 7},
        {"-5", -5},
        {"cm170", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"\xEF\xBC\x91\xEF\xBC\x97\xEF\xBC\x90", 0}, // full-width digits are not digits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(PersonsHeightClass, ComparesAgainstTheStandardOfTheSex) {
    struct Case {
        int height;
        bool male;
        const char* code;
    };
    const Case cases[] = {
        // men: standard 169, 5 % = 177.45, 20 % = 202.8, 30 % = 219.7
        {150, true, "ZP"},
        {169, true, "ZP"},
        {170, true, "QP"},
        {177, true, "QP"},
        {178, true, "BZ"},
        {202, true, "BZ"},
        {203, true, "QS"},
        {219, true, "QS"},
        {220, true, "ZS"},
        // women: standard 158, 5 % = 165.9, 20 % = 189.6, 30 % = 205.4
        {158, false, "ZP"},
        {159, false, "QP"},
        {165, false, "QP"},
        {166, false, "BZ"},
        {189, false, "BZ"},
        {190, false, "QS"},
        {205, false, "QS"},
        {206, false, "ZS"},
        // a man of a woman's standard height is still short for his sex
        {160, true, "ZP"},
        {170, false, "BZ"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeightClassCode(c.height, c.male), c.code)
            << c.height << (c.male ? " male" : " female");
}

TEST(PersonsWeightClass, ComparesAgainstTheStandardWeightOfTheHeight) {
    struct Case {
        int height;
        int weight;
        bool male;
        int id;
    };
    const Case cases[] = {
        // a man of 170: standard 63, bounds 50.4, 56.7, 69.3, 75.6
        {170, 50, true, ids::SevereUnderweight},
        {170, 51, true, ids::MildUnderweight},
        {170, 56, true, ids::MildUnderweight},
        {170, 57, true, ids::StandardWeight},
        {170, 63, true, ids::StandardWeight},
        {170, 69, true, ids::StandardWeight},
        {170, 70, true, ids::SlightlyHeavier},
        {170, 75, true, ids::SlightlyHeavier},
        {170, 76, true, ids::SeverePartialFat},
        // a woman of 160: standard 54, bounds 43.2, 48.6, 59.4, 64.8
        {160, 43, false, ids::SevereUnderweight},
        {160, 44, false, ids::MildUnderweight},
        {160, 49, false, ids::StandardWeight},
        {160, 54, false, ids::StandardWeight},
        {160, 59, false, ids::StandardWeight},
        {160, 60, false, ids::SlightlyHeavier},
        {160, 64, false, ids::SlightlyHeavier},
        {160, 65, false, ids::SeverePartialFat},
        // a height of 60 gives a negative standard: every positive weight is far above it
        {60, 1, true, ids::SeverePartialFat},
        {60, 200, true, ids::SeverePartialFat},
        // extreme inputs stay defined
        {INT_MIN, 1, true, ids::SeverePartialFat},
        {INT_MAX, 1, false, ids::SevereUnderweight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeightClassId(c.height, c.weight, c.male), c.id)
            << c.height << "/" << c.weight << (c.male ? " male" : " female");
    EXPECT_EQ(WeightClassText(170, 63, true), "Standard body weight");
    EXPECT_EQ(WeightClassText(170, 76, true), "Severe partial fat");
}

class PersonsPrepareForSave : public ::testing::Test {
protected:
    // A valid entry, checked on 10 March 2024.
    PersonRecord Valid() const {
        PersonRecord p;
        p.groupId = 3;
        p.name = "Ada";
        p.male = true;
        p.birthday = ToOleDate({1980, 7, 15});
        p.height = "170";
        p.weight = "63";
        return p;
    }
    const DateTime today{2024, 3, 10, 9, 30, 0};
};

TEST_F(PersonsPrepareForSave, DerivesTheClassesAndTheBirthYearAndMonth) {
    PersonRecord p = Valid();
    EXPECT_FALSE(PrepareForSave(p, today));
    EXPECT_EQ(p.bzHW, "QP");
    EXPECT_EQ(p.result, "Standard body weight");
    EXPECT_EQ(p.bzY, 1980);
    EXPECT_EQ(p.bzM, 7);
    // The typed texts are kept as typed.
    EXPECT_EQ(p.height, "170");

    PersonRecord woman = Valid();
    woman.male = false;
    woman.height = "160cm";
    woman.weight = "54";
    woman.birthday = ToOleDate({2001, 12, 31});
    EXPECT_FALSE(PrepareForSave(woman, today));
    EXPECT_EQ(woman.bzHW, "QP");
    EXPECT_EQ(woman.result, "Standard body weight");
    EXPECT_EQ(woman.height, "160cm");
    EXPECT_EQ(woman.bzY, 2001);
    EXPECT_EQ(woman.bzM, 12);
}

TEST_F(PersonsPrepareForSave, ReportsTheFirstProblemInFieldOrder) {
    struct Case {
        const char* what;
        void (*spoil)(PersonRecord&);
        PersonField field;
        std::string message;
    };
    const std::string noGroup(texts::kNoGroupForPerson);
    const Case cases[] = {
        {"no group, and everything else wrong too",
         [](PersonRecord& p) {
             p.groupId = 0;
             p.name.clear();
             p.height = "0";
         },
         PersonField::Group, noGroup},
        {"empty name before a bad birthday",
         [](PersonRecord& p) {
             p.name.clear();
             p.birthday = ToOleDate({2024, 1, 1});
         },
         PersonField::Name, "The name can not be null!"},
        {"birthday this year before a bad height",
         [](PersonRecord& p) {
             p.birthday = ToOleDate({2024, 1, 1});
             p.height = "abc";
         },
         PersonField::Birthday, "The birthday is error(less than 1 years old can not be tested)!"},
        {"birthday in a later year",
         [](PersonRecord& p) {
             p.birthday = ToOleDate({2030, 5, 5});
         },
         PersonField::Birthday, "The birthday is error(less than 1 years old can not be tested)!"},
        {"no birthday", [](PersonRecord& p) { p.birthday.reset(); }, PersonField::Birthday,
         "The birthday is error(less than 1 years old can not be tested)!"},
        {"height of letters before a bad weight",
         [](PersonRecord& p) {
             p.height = "abc";
             p.weight = "0";
         },
         PersonField::Height, "The height can not be null!"},
        {"height 0", [](PersonRecord& p) { p.height = "0"; }, PersonField::Height,
         "The height can not be null!"},
        {"height empty", [](PersonRecord& p) { p.height.clear(); }, PersonField::Height,
         "The height can not be null!"},
        {"weight 0", [](PersonRecord& p) { p.weight = "0"; }, PersonField::Weight,
         "The weight can not be null!"},
        {"weight of letters", [](PersonRecord& p) { p.weight = "kg"; }, PersonField::Weight,
         "The weight can not be null!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PersonRecord p = Valid();
        c.spoil(p);
        const PersonRecord before = p;
        const auto problem = PrepareForSave(p, today);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->field, c.field);
        EXPECT_EQ(problem->message, c.message);
        // Nothing is derived from a refused entry.
        EXPECT_EQ(p.bzHW, before.bzHW);
        EXPECT_EQ(p.result, before.result);
    }
}

TEST_F(PersonsPrepareForSave, AcceptsWhatOnlyLooksOdd) {
    struct Case {
        const char* what;
        void (*change)(PersonRecord&);
    };
    const Case cases[] = {
        {"a name of blanks", [](PersonRecord& p) { p.name = "   "; }},
        {"a height with its unit", [](PersonRecord& p) { p.height = "170cm"; }},
        {"a negative height", [](PersonRecord& p) { p.height = "-170"; }},
        {"a birthday last year",
         [](PersonRecord& p) {
             p.birthday = ToOleDate({2023, 12, 31});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PersonRecord p = Valid();
        c.change(p);
        EXPECT_FALSE(PrepareForSave(p, today));
    }
}

TEST(PersonsBirthdayRule, ComparesCalendarYearsOnly) {
    const DateTime newYear{2024, 1, 1, 0, 0, 1};
    EXPECT_TRUE(IsBirthdayAccepted(ToOleDate({2023, 12, 31, 23, 59, 59}), newYear));
    EXPECT_FALSE(IsBirthdayAccepted(ToOleDate({2024, 1, 1}), newYear));
    const DateTime newYearsEve{2024, 12, 31, 23, 0, 0};
    EXPECT_TRUE(IsBirthdayAccepted(ToOleDate({2023, 1, 1}), newYearsEve));
    EXPECT_FALSE(IsBirthdayAccepted(ToOleDate({2024, 1, 1}), newYearsEve));
}

TEST(PersonsAgeRule, CountsWholeDaysDividedBy365) {
    const double now = ToOleDate({2024, 3, 10, 15, 45, 0});
    const double second = 1.0 / 86400.0;
    struct Case {
        const char* what;
        double birthday;
        int age;
    };
    const Case cases[] = {
        {"364 days ago", now - 364, 0},
        {"365 days ago", now - 365, 1},
        {"0.4 s short of 365 days rounds up", now - 365 + 0.4 * second, 1},
        {"0.6 s short of 365 days stays at 364", now - 365 + 0.6 * second, 0},
        {"730 days ago", now - 730, 2},
        {"leap days are not counted apart: 40 x 365 days", now - 40 * 365, 40},
        {"a birthday still to come this year", ToOleDate({1990, 12, 24}), 33},
        {"today", now, 0},
        {"364 days ahead", now + 364, 0},
        {"365 days ahead", now + 365, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AgeInWholeYears(c.birthday, now), c.age) << c.what;
}

TEST(PersonsGroupEntry, RefusesOnlyAnEmptyName) {
    EXPECT_EQ(CheckGroupEntry({0, "", "remark"}), "The name can not be null!");
    EXPECT_FALSE(CheckGroupEntry({0, "  ", ""}));
    EXPECT_FALSE(CheckGroupEntry({0, "Morning", ""}));
}

} // namespace
