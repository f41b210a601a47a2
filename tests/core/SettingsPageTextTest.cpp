#include "SettingsFixture.h"
#include "data/OperatorTexts.h"
#include "settings/PageHeadFoot.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace hv;
using hv::test::kConnectionError;

namespace hv {
void PrintTo(const AlignedText& v, std::ostream* os) {
    static const char* names[] = {"None", "Left", "Center", "Right"};
    *os << names[static_cast<int>(v.alignment)] << " \"" << v.text << "\"";
}
} // namespace hv

namespace {

using A = TextAlignment;

TEST(PageTextCodingTest, AlignmentIsWrittenAsMarkersAtTheEnds) {
    struct Case {
        AlignedText typed;
        std::string stored;
    };
    const std::vector<Case> cases = {
        {{A::Left, "Clinic"}, "Clinic&b"},
        {{A::Center, "Clinic"}, "&bClinic&b"},
        {{A::Right, "Clinic"}, "&bClinic"},
        {{A::None, "Clinic"}, "&bClinic"}, // no alignment chosen: right-aligned
        {{A::Left, ""}, ""},
        {{A::Center, ""}, ""},
        {{A::Right, ""}, ""},
        {{A::None, ""}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.typed));
        EXPECT_EQ(EncodeAlignedText(c.typed), c.stored);
    }
}

TEST(PageTextCodingTest, AlignmentIsReadFromTheTwoEndsOnly) {
    struct Case {
        std::string stored;
        AlignedText decoded;
    };
    const std::vector<Case> cases = {
        {"&bClinic&b", {A::Center, "Clinic"}},
        {"Clinic&b", {A::Left, "Clinic"}},
        {"&bClinic", {A::Right, "Clinic"}},
        {"Clinic", {A::None, "Clinic"}},
        {"", {A::None, ""}},
        {"&b", {A::Center, ""}},
        {"&b&b", {A::Center, ""}},
        {"&b&b&b", {A::Center, "&b"}},
        {"&b&", {A::Right, "&"}},
        {"&&b", {A::Left, "&"}},
        {"&bA&bB", {A::Right, "A&bB"}}, // a marker inside the text stays
        {"A&bB", {A::None, "A&bB"}},
        {"&BClinic&B", {A::None, "&BClinic&B"}}, // case-sensitive
        {"b&", {A::None, "b&"}},
        {"&", {A::None, "&"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(DecodeAlignedText(c.stored), c.decoded);
    }
}

TEST(PageTextCodingTest, TypedTextsSurviveTheRoundTrip) {
    const std::vector<std::string> texts = {
        "Health screening centre", "He said \"hello\"; 'quoted'",
        "line one\r\nline two",    "a & b and &c",
        "middle &b marker",        "Ærø ✓ 王小明",
        std::string(5000, 'h'),    " ",
    };
    for (const std::string& text : texts)
        for (A alignment : {A::Left, A::Center, A::Right}) {
            SCOPED_TRACE(text.substr(0, 30) + " " + std::to_string(static_cast<int>(alignment)));
            EXPECT_EQ(DecodeAlignedText(EncodeAlignedText({alignment, text})),
                      (AlignedText{alignment, text}));
        }
    EXPECT_EQ(DecodeAlignedText(EncodeAlignedText({A::None, "Page"})),
              (AlignedText{A::Right, "Page"}));
}

TEST(PageTextCodingTest, MarkerTypedAtAnEndIsTakenForAlignment) {
    // The stored form cannot tell a typed marker from an alignment marker.
    EXPECT_EQ(DecodeAlignedText(EncodeAlignedText({A::Right, "Price&b"})),
              (AlignedText{A::Center, "Price"}));
    EXPECT_EQ(DecodeAlignedText(EncodeAlignedText({A::Left, "&bPrice"})),
              (AlignedText{A::Center, "Price"}));
    EXPECT_EQ(DecodeAlignedText(EncodeAlignedText({A::Right, "&b"})), (AlignedText{A::Center, ""}));
}

class SettingsPageTextTest : public hv::test::SettingsFixture {};

HV_ON_BOTH_ENGINES(SettingsPageTextTest);

TEST_P(SettingsPageTextTest, SavedTextsAreStoredEncodedAndReopenAligned) {
    Exec("update SetValue set MachineLM=14");
    ASSERT_EQ(SavePageTexts({{A::Center, "Screening \"Report\""}, {A::None, "Page"}}),
              SaveResult::Saved);
    EXPECT_EQ(Row("select PageHead,PageFoot,MachineLM from SetValue"),
              (std::vector<DbValue>{"&bScreening \"Report\"&b", "&bPage", 14}));
    const PageTexts loaded = LoadPageTexts();
    EXPECT_EQ(loaded.head, (AlignedText{A::Center, "Screening \"Report\""}));
    EXPECT_EQ(loaded.foot, (AlignedText{A::Right, "Page"}));

    ASSERT_EQ(SavePageTexts({{A::Left, ""}, {A::Left, "Footer"}}), SaveResult::Saved);
    EXPECT_EQ(Row("select PageHead,PageFoot from SetValue"),
              (std::vector<DbValue>{"", "Footer&b"}));
    EXPECT_EQ(LoadPageTexts().head, (AlignedText{A::None, ""}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(SettingsPageTextTest, NullColumnsAndMissingRowOpenEmpty) {
    Exec("update SetValue set PageHead=NULL, PageFoot='&b'");
    PageTexts loaded = LoadPageTexts();
    EXPECT_EQ(loaded.head, AlignedText{});
    EXPECT_EQ(loaded.foot, (AlignedText{A::Center, ""}));

    Exec("delete from SetValue");
    loaded = LoadPageTexts();
    EXPECT_EQ(loaded.head, AlignedText{});
    EXPECT_EQ(loaded.foot, AlignedText{});
    EXPECT_EQ(SavePageTexts({{A::Left, "x"}, {}}), SaveResult::Failed);
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(texts::kSettingsRowMissing)});
}

TEST_P(SettingsPageTextTest, MissingDatabaseIsReported) {
    RemoveDatabase();
    EXPECT_EQ(LoadPageTexts().head, AlignedText{});
    EXPECT_EQ(SavePageTexts({{A::Left, "x"}, {}}), SaveResult::NotOpened);
    EXPECT_EQ(sink.messages, std::vector<std::string>(2, kConnectionError));
}

} // namespace
