#include "TempDir.h"
#include "viewing/ReportArchive.h"

#include <algorithm>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <minizip/unzip.h>

namespace hv::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct Entry {
    std::string name;
    std::string bytes;
    unz_file_info64 info{};
};

// Every entry of an archive, read back and checked against its checksum.
std::vector<Entry> ReadArchive(const fs::path& archive) {
    std::vector<Entry> entries;
    unzFile zip = unzOpen64(archive.string().c_str());
    EXPECT_NE(zip, nullptr) << archive;
    if (zip == nullptr)
        return entries;
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        Entry entry;
        char name[512] = {};
        EXPECT_EQ(
            unzGetCurrentFileInfo64(zip, &entry.info, name, sizeof name, nullptr, 0, nullptr, 0),
            UNZ_OK);
        entry.name = name;
        EXPECT_EQ(unzOpenCurrentFile(zip), UNZ_OK);
        char buffer[65536];
        for (int got; (got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;)
            entry.bytes.append(buffer, static_cast<std::size_t>(got));
        EXPECT_EQ(unzCloseCurrentFile(zip), UNZ_OK) << "checksum of " << entry.name;
        entries.push_back(std::move(entry));
    }
    unzClose(zip);
    return entries;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Bytes that do not compress to nothing, more than two archive blocks long.
std::string NoisyBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 214013u + 2531011u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

// The names in the folder of a file, in name order.
std::vector<std::string> FilesBeside(const fs::path& file) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ViewingReportArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(reports / "Old");
        WriteBytes(reports / "01-Heart.htm", std::string("\xFF\xFE<\0h\0", 6));
        WriteBytes(reports / "Pagebg.jpg", NoisyBytes(250000));
        WriteBytes(reports / "00-Compositive Report.htm", "composite");
        WriteBytes(reports / "Old" / "stale.htm", "in a subfolder");
    }

    TempDir dir;
    fs::path reports = dir.path() / "Reports";
    fs::path archive = dir.path() / "Reports.zip";
};

TEST_F(ViewingReportArchiveTest, StoresEveryFileOfTheFolderUnderItsNameAlone) {
    const ReportArchiveResult result = SaveReportArchive(archive, reports);
    ASSERT_TRUE(result.written) << result.error;
    EXPECT_THAT(result.unreadable, IsEmpty());
    EXPECT_EQ(ReportArchiveMessage(result, archive), "");

    const std::vector<Entry> entries = ReadArchive(archive);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "00-Compositive Report.htm");
    EXPECT_EQ(entries[1].name, "01-Heart.htm");
    EXPECT_EQ(entries[2].name, "Pagebg.jpg");
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.bytes, ReadBytes(reports / entry.name));
        EXPECT_EQ(entry.info.compression_method, 8u); // deflate
        EXPECT_EQ(entry.info.flag & 6u, 2u);          // at the strongest level
        EXPECT_EQ(entry.info.external_fa, 0u);
        EXPECT_EQ(entry.info.dosDate & 0xFFFFu, 0u); // no time of day
    }
    EXPECT_THAT(result.stored,
                ElementsAre("00-Compositive Report.htm", "01-Heart.htm", "Pagebg.jpg"));
    EXPECT_THAT(FilesBeside(archive), ElementsAre("Reports", "Reports.zip"));
}

TEST_F(ViewingReportArchiveTest, ReplacesAnExistingArchive) {
    WriteBytes(archive, "an older archive");
    ASSERT_TRUE(SaveReportArchive(archive, reports).written);
    EXPECT_EQ(ReadArchive(archive).size(), 3u);
}

TEST_F(ViewingReportArchiveTest, NamesOutsideAsciiAreMarkedAsUtf8) {
    WriteBytes(reports / "07-M\xC3\xBCller.htm", "page");
    ASSERT_TRUE(SaveReportArchive(archive, reports).written);
    const std::vector<Entry> entries = ReadArchive(archive);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].name, "07-M\xC3\xBCller.htm");
    EXPECT_EQ(entries[2].info.flag & 0x800u, 0x800u);
    EXPECT_EQ(entries[0].info.flag & 0x800u, 0u);
}

TEST_F(ViewingReportArchiveTest, AnUnreadableFileIsLeftOutAndNamed) {
    ReportArchiveAccess access;
    access.readRefused = [](const fs::path& file) -> std::optional<std::string> {
        if (file.filename() == "01-Heart.htm")
            return "locked by another program";
        return std::nullopt;
    };
    const ReportArchiveResult result = SaveReportArchive(archive, reports, access);
    ASSERT_TRUE(result.written);
    EXPECT_THAT(result.unreadable, ElementsAre("01-Heart.htm (locked by another program)"));
    const std::vector<Entry> entries = ReadArchive(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "00-Compositive Report.htm");
    EXPECT_EQ(entries[1].name, "Pagebg.jpg");
    EXPECT_EQ(ReportArchiveMessage(result, archive),
              "The reports were saved to " + archive.string() +
                  ", but these files could not be read and are missing from it:\n"
                  "01-Heart.htm (locked by another program)");
}

TEST_F(ViewingReportArchiveTest, AnArchiveThatCannotBeCreatedLeavesNothing) {
    WriteBytes(dir.path() / "blocker", "a file, not a folder");
    const fs::path target = dir.path() / "blocker" / "Reports.zip";
    const ReportArchiveResult result = SaveReportArchive(target, reports);
    EXPECT_FALSE(result.written);
    EXPECT_THAT(result.stored, IsEmpty());
    EXPECT_THAT(result.error, HasSubstr("cannot be created"));
    EXPECT_THAT(ReportArchiveMessage(result, target),
                HasSubstr("The reports were not saved to " + target.string() + ": "));
    EXPECT_EQ(ReadBytes(dir.path() / "blocker"), "a file, not a folder");
}

TEST_F(ViewingReportArchiveTest, AFailedWriteKeepsTheOldArchiveAndLeavesNoPart) {
    WriteBytes(archive, "the archive saved last week");
    int blocks = 0;
    ReportArchiveAccess access;
    access.writeRefused = [&blocks] { return ++blocks > 2; }; // the disk fills up
    const ReportArchiveResult result = SaveReportArchive(archive, reports, access);
    EXPECT_FALSE(result.written);
    EXPECT_THAT(result.error, HasSubstr("cannot be written"));
    EXPECT_EQ(ReadBytes(archive), "the archive saved last week");
    EXPECT_THAT(FilesBeside(archive), ElementsAre("Reports", "Reports.zip"));
}

TEST_F(ViewingReportArchiveTest, AnArchiveNamedLikeAWorkFileIsNeverTruncated) {
    // The old fixed work-file name: an archive the operator keeps under it survives a save.
    WriteBytes(dir.path() / "Reports.zip.part", "kept by the operator");
    ASSERT_TRUE(SaveReportArchive(archive, reports).written);
    EXPECT_EQ(ReadBytes(dir.path() / "Reports.zip.part"), "kept by the operator");
}

TEST_F(ViewingReportArchiveTest, AnArchiveSavedIntoTheFolderDoesNotHoldItself) {
    const fs::path inside = reports / "Reports.zip";
    ASSERT_TRUE(SaveReportArchive(inside, reports).written);
    ASSERT_TRUE(SaveReportArchive(inside, reports).written);
    std::vector<std::string> names;
    for (const Entry& entry : ReadArchive(inside))
        names.push_back(entry.name);
    EXPECT_THAT(names, ElementsAre("00-Compositive Report.htm", "01-Heart.htm", "Pagebg.jpg"));
}

TEST_F(ViewingReportArchiveTest, AMissingFolderIsReported) {
    const ReportArchiveResult result = SaveReportArchive(archive, dir.path() / "NoSuchFolder");
    EXPECT_FALSE(result.written);
    EXPECT_THAT(result.error, HasSubstr("cannot be read"));
    EXPECT_FALSE(fs::exists(archive));
}

TEST_F(ViewingReportArchiveTest, AnEmptyFolderGivesAnEmptyArchive) {
    fs::create_directory(dir.path() / "Empty");
    const ReportArchiveResult result = SaveReportArchive(archive, dir.path() / "Empty");
    ASSERT_TRUE(result.written);
    EXPECT_THAT(result.stored, IsEmpty());
    // Only the end record of the directory: no entry.
    EXPECT_EQ(ReadBytes(archive), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
}

} // namespace
} // namespace hv::test
