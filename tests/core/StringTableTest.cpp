#include "data/StringTable.h"

#include "RecordingSink.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"

#include <gtest/gtest.h>

using namespace hv;

namespace {

TEST(StringTableTest, TextsAreLookedUpById) {
    const std::vector<std::pair<int, std::string>> cases = {
        {57344, "Pelmora"},
        {128, "Halvoret"},
        {102, "Database connection error!"},
        {57665, "Are you sure you want to exit the system?"},
        {61220, "Standard body weight"},
        {61248, "No."},
        {61239, "Sorry, Did not find your hardware\r\nVerify that you have inserted the USB port "
                "detector!"},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(LoadString(id), text) << id;
    EXPECT_TRUE(LoadString(4711).empty());
}

TEST(StringTableTest, PercentSIsReplacedAsPlainText) {
    const std::string question(LoadString(ids::DeletePersonQuestion));
    EXPECT_EQ(SubstitutePercentS(question, "Ann"),
              "Whether to delete the name:<<Ann>>?\r\n(Note:Test data will also be deleted!)");
    // A name holding format directives is shown literally, never interpreted.
    EXPECT_EQ(SubstitutePercentS("<<%s>> and <<%s>>", "%s%d%n"), "<<%s%d%n>> and <<%s%d%n>>");
    EXPECT_EQ(SubstitutePercentS("no marker", "x"), "no marker");
    EXPECT_EQ(SubstitutePercentS("%", "x"), "%");
}

TEST(OperatorTextsTest, NumberedMarksAreFilledInOrderAndLiterally) {
    struct Case {
        std::string_view text;
        std::initializer_list<std::string_view> values;
        std::string expected;
    };
    const Case cases[] = {
        {"The page could not be saved to %1.",
         {"/tmp/a.htm"},
         "The page could not be saved to /tmp/a.htm."},
        {"%2 before %1", {"one", "two"}, "two before one"},
        // An inserted value is never read again: its own marks stay as they are.
        {"<%1|%2>", {"%2", "x"}, "<%2|x>"},
        // A mark without a value, a lone percent sign and "%0" are kept.
        {"%1 %3 100% %0", {"a"}, "a %3 100% %0"},
        {"", {"a"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts::FillText(c.text, c.values), c.expected) << c.text;
}

TEST(MessageSinkTest, MessagesReachTheInstalledSinkAndAnswersComeBack) {
    test::RecordingSink sink;
    sink.answers = {false, true};
    ShowMessage(ids::SaveSuccessfully);
    EXPECT_FALSE(AskYesNo(ids::ExitQuestion));
    EXPECT_TRUE(AskYesNo("again?"));
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Save Successfully!"});
    EXPECT_EQ(sink.questions,
              (std::vector<std::string>{"Are you sure you want to exit the system?", "again?"}));
}

} // namespace
