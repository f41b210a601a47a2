#include "common/StationSettings.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace hv::test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class StationSettingsTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path file = dir.path() / "halvoret.ini";
};

TEST_F(StationSettingsTest, ValuesAreFoundBySectionAndKeyInAnyLetterCase) {
    WriteBytes(file, "\xEF\xBB\xBF; written by hand\r\n"
                     "[Database]\r\n"
                     "  url = postgresql://station@server/halvoret?sslmode=verify-full \r\n"
                     "[Print]\n"
                     "Url=not this one\n"
                     "Backgrounds=1\n"
                     "Backgrounds=0\n");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Database", "Url", "postgresql://station@server/halvoret?sslmode=verify-full"},
        {"DATABASE", "URL", "postgresql://station@server/halvoret?sslmode=verify-full"},
        {"Print", "Url", "not this one"},
        {"Print", "Backgrounds", "0"}, // the last of a repeated key counts
        {"Print", "Missing", std::nullopt},
        {"Nowhere", "Url", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadStationSetting(c.section, c.key, file), c.value) << c.section << c.key;
    EXPECT_EQ(ReadStationSetting("Database", "Url", dir.path() / "missing.ini"), std::nullopt);
}

TEST_F(StationSettingsTest, WritingKeepsEveryOtherLine) {
    WriteBytes(file, "; the station at the door\n[Database]\nUrl=old\n\n[Print]\nBackgrounds=1\n");
    std::string error;
    ASSERT_TRUE(WriteStationSetting("database", "url", "postgresql://a/b", error, file)) << error;
    ASSERT_TRUE(WriteStationSetting("Print", "Margins", "10", error, file)) << error;
    EXPECT_EQ(ReadBytes(file), "; the station at the door\n[Database]\nurl=postgresql://a/b\n\n"
                               "[Print]\nBackgrounds=1\nMargins=10\n");
}

TEST_F(StationSettingsTest, ANewSectionIsAppendedAndAnEmptyValueRemovesTheKey) {
    std::string error;
    ASSERT_TRUE(WriteStationSetting("Database", "Url", "DataBase/Other.mdb", error, file));
    EXPECT_EQ(ReadBytes(file), "[Database]\nUrl=DataBase/Other.mdb\n");
    ASSERT_TRUE(WriteStationSetting("Print", "Backgrounds", "1", error, file));
    EXPECT_EQ(ReadBytes(file), "[Database]\nUrl=DataBase/Other.mdb\n\n[Print]\nBackgrounds=1\n");
    ASSERT_TRUE(WriteStationSetting("Database", "Url", std::nullopt, error, file));
    EXPECT_EQ(ReadStationSetting("Database", "Url", file), std::nullopt);
    EXPECT_EQ(ReadStationSetting("Print", "Backgrounds", file), "1");
}

TEST_F(StationSettingsTest, ARefusedWriteLeavesTheFileAsItWas) {
    WriteBytes(file, "[Database]\nUrl=old\n");
    std::string error;
    EXPECT_FALSE(WriteStationSetting("Database", "Url", "two\nlines", error, file));
    EXPECT_FALSE(error.empty());
    // A file that cannot be replaced: its folder is gone.
    EXPECT_FALSE(WriteStationSetting("Database", "Url", "x", error, dir.path() / "no" / "a.ini"));
    EXPECT_EQ(ReadBytes(file), "[Database]\nUrl=old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace hv::test
