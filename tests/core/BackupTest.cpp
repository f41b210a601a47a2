#include "BackupTestSupport.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "backup/BackupArchive.h"
#include "backup/DatabaseBackup.h"
#include "backup/DatabaseRestore.h"
#include "data/DeliveredDatabase.h"
#include "data/OperatorTexts.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace hv;
using namespace hv::test;
namespace fs = std::filesystem;

namespace {

class RecordedProgress final : public BackupProgress {
public:
    void OnProgress(double fraction) override {
        values.push_back(fraction);
        if (onEach)
            onEach();
    }
    std::vector<double> values;
    std::function<void()> onEach;
};

// A connection of its own on a database file, for the other party of a concurrency test.
class Connection {
public:
    explicit Connection(const fs::path& path) {
        EXPECT_EQ(sqlite3_open_v2(path.string().c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        sqlite3_busy_timeout(m_db, 2000);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const std::string& sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << sql << ": " << (error ? error : "");
        sqlite3_free(error);
    }

private:
    sqlite3* m_db = nullptr;
};

std::string PythonZipListing(const fs::path& archive) {
    const std::string command = "/usr/bin/python3 -m zipfile -l '" + archive.string() + "'";
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        EXPECT_EQ(pclose(pipe), 0) << output;
    }
    return output;
}

BackupOptions WithProgress(BackupProgress& progress) {
    BackupOptions options;
    options.progress = &progress;
    return options;
}

class BackupTest : public ::testing::Test {
protected:
    // Restores the archive's entry as a database file of its own and returns its path.
    fs::path UnpackEntry(const fs::path& archive) {
        const ListedArchive listed = ReadZip(archive);
        EXPECT_EQ(listed.entries.size(), 1u);
        const fs::path unpacked = scratch.path() / "unpacked.mdb";
        fs::remove(unpacked);
        if (!listed.entries.empty())
            WriteBytes(unpacked, listed.entries.front().content);
        return unpacked;
    }

    TestInstallation install;
    TempDir scratch;
    RecordingSink sink;
    const fs::path live = install.databasePath();
};

TEST_F(BackupTest, ArchiveHoldsOneEntryThatRestoresToTheSameRows) {
    AddPersonWithTests("Ada", 30);
    const fs::path archive = scratch.path() / "Backup.zip";
    RecordedProgress progress;

    const BackupResult result =
        BackupDatabase(live.string(), archive.string(), WithProgress(progress));

    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_TRUE(sink.messages.empty());
    const ListedArchive listed = ReadZip(archive);
    ASSERT_EQ(listed.entries.size(), 1u);
    const ListedEntry& entry = listed.entries.front();
    EXPECT_EQ(entry.name, "DataBase.mdb");
    EXPECT_TRUE(entry.checksumOk);
    EXPECT_EQ(entry.info.compression_method, Z_DEFLATED);
    EXPECT_EQ(entry.info.flag & 6u, 2u) << "deflate at its strongest level";
    EXPECT_EQ(entry.info.internal_fa, 0u);
    EXPECT_EQ(entry.info.external_fa, 0u);
    EXPECT_EQ(entry.info.size_file_extra, 0u);
    EXPECT_EQ(entry.info.size_file_comment, 0u);
    EXPECT_EQ(listed.commentLength, 0u);

    const fs::path unpacked = UnpackEntry(archive);
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(unpacked.string(), error)) << error;
    EXPECT_TRUE(SameData(DumpDatabase(unpacked), DumpDatabase(live)));
    EXPECT_EQ(CountPersons(unpacked, "Ada"), 1);

    // A reader that is not the library that wrote the archive agrees.
    const std::string listing = PythonZipListing(archive);
    EXPECT_NE(listing.find("DataBase.mdb"), std::string::npos) << listing;
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2) << listing; // header + 1

    // The work files are gone; the progress rose steadily to the end.
    EXPECT_EQ(FolderListing(scratch.path()),
              (std::vector<std::string>{"Backup.zip", "unpacked.mdb"}));
    ASSERT_FALSE(progress.values.empty());
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_GE(progress.values.front(), 0.0);
    EXPECT_EQ(progress.values.back(), 1.0);
}

TEST_F(BackupTest, SnapshotHasRowsCommittedByAnOpenConnectionButNotItsOpenTransaction) {
    Connection other(live);
    // The other connection's committed rows stay in the log, as they do between checkpoints:
    // a copy of the database file's bytes would miss them.
    other.Exec("PRAGMA wal_autocheckpoint=0");
    other.Exec("INSERT INTO GroupList (Name, Description) VALUES ('Committed', '')");
    other.Exec("BEGIN");
    other.Exec("INSERT INTO GroupList (Name, Description) VALUES ('Uncommitted', '')");
    ASSERT_GT(fs::file_size(live.string() + "-wal"), 0u);

    const fs::path archive = scratch.path() / "Backup.zip";
    ASSERT_TRUE(BackupDatabase(live.string(), archive.string()).ok);
    other.Exec("COMMIT");

    const fs::path unpacked = UnpackEntry(archive);
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(unpacked.string(), error)) << error;
    CAdoDb db;
    ASSERT_TRUE(db.Open(unpacked.string()));
    ASSERT_TRUE(db.OpenRecordset("SELECT Name FROM GroupList ORDER BY GroupID"));
    std::vector<std::string> groups;
    for (; !db.IsEOF(); db.MoveNext())
        groups.push_back(db.GetText("Name"));
    EXPECT_EQ(groups, std::vector<std::string>{"Committed"});
}

TEST_F(BackupTest, SnapshotStaysAtOneMomentWhileAnotherConnectionCommitsDuringTheCopy) {
    AddPersonWithTests("Before", 8000); // several megabytes: the copy takes several steps
    const std::string before = DumpDatabase(live);
    Connection writer(live);
    RecordedProgress progress;
    int commits = 0;
    progress.onEach = [&] {
        // While pages are still being copied; a bounded number of times, so a copy that
        // restarted after every commit would still end, and show what it captured.
        if (progress.values.back() < 0.3 && commits < 5) {
            writer.Exec("INSERT INTO GroupList (Name, Description) VALUES ('During', '')");
            writer.Exec("UPDATE MeasData SET MeasValue='changed' WHERE MeasID % 7 = 0");
            ++commits;
        }
    };
    const fs::path archive = scratch.path() / "Backup.zip";

    ASSERT_TRUE(BackupDatabase(live.string(), archive.string(), WithProgress(progress)).ok);

    ASSERT_GE(commits, 2) << "the writer must commit between steps of the copy";
    const fs::path unpacked = UnpackEntry(archive);
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(unpacked.string(), error)) << error;
    EXPECT_TRUE(SameData(DumpDatabase(unpacked), before));
}

TEST_F(BackupTest, ExistingArchiveIsReplacedFromScratch) {
    const fs::path archive = scratch.path() / "Backup.zip";
    WriteZip(archive, {{"Old.txt", std::string(500000, 'x'), 0}, {"DataBase.mdb", "old", 0}});

    ASSERT_TRUE(BackupDatabase(live.string(), archive.string()).ok);

    const ListedArchive listed = ReadZip(archive);
    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries.front().name, "DataBase.mdb");
    EXPECT_TRUE(SameData(DumpDatabase(UnpackEntry(archive)), DumpDatabase(live)));
}

struct BackupFailureCase {
    const char* label;
    std::function<void(const fs::path& live, const fs::path& target)> prepare;
    std::string target; // relative to the scratch folder
    FaultPoint fault;
    bool injectFault;
    std::string_view reasonPart;
};

class BackupFailureTest : public BackupTest,
                          public ::testing::WithParamInterface<BackupFailureCase> {};

// A failed backup says so, never leaves a partial archive or a work file behind, and keeps
// the archive an earlier backup wrote under the same name.
TEST_P(BackupFailureTest, FailureIsReportedAndChangesNothing) {
    const BackupFailureCase& c = GetParam();
    const fs::path target = scratch.path() / c.target;
    c.prepare(live, target);
    const bool earlierArchive = fs::exists(target.parent_path()) && !fs::exists(target);
    if (earlierArchive)
        WriteBytes(target, "the archive of an earlier backup");
    const std::vector<std::string> before = FolderListing(scratch.path());
    BackupOptions options;
    if (c.injectFault)
        options.injectFault = [&c](FaultPoint point) { return point == c.fault; };

    const BackupResult result = BackupDatabase(live.string(), target.string(), options);

    EXPECT_FALSE(result.ok);
    ASSERT_EQ(sink.messages, std::vector<std::string>{result.message});
    EXPECT_EQ(result.message.rfind(texts::kBackupNotMade, 0), 0u) << result.message;
    EXPECT_NE(result.message.find(c.reasonPart), std::string::npos) << result.message;
    EXPECT_EQ(FolderListing(scratch.path()), before);
    if (earlierArchive) {
        EXPECT_EQ(ReadBytes(target), "the archive of an earlier backup");
    }
}

void NoChange(const fs::path&, const fs::path&) {}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupFailureTest,
    ::testing::Values(
        BackupFailureCase{"ArchiveNotWritable", NoChange, "Backup.zip", FaultPoint::CreateArchive,
                          true, texts::kRefused},
        BackupFailureCase{"DiskFullWhileWriting", NoChange, "Backup.zip", FaultPoint::WriteArchive,
                          true, "cannot be written"},
        BackupFailureCase{"ArchiveCannotBeMovedIntoPlace", NoChange, "Backup.zip",
                          FaultPoint::PublishArchive, true, texts::kRefused},
        BackupFailureCase{"FolderMissing", NoChange, "Missing/Backup.zip",
                          FaultPoint::CreateArchive, false, "Missing"},
        BackupFailureCase{
            "TargetIsAFolder",
            [](const fs::path&, const fs::path& target) { fs::create_directory(target); },
            "Folder.zip", FaultPoint::CreateArchive, false, "is a folder"},
        BackupFailureCase{"DatabaseMissing",
                          [](const fs::path& live, const fs::path&) { fs::remove(live); },
                          "Backup.zip", FaultPoint::CreateArchive, false, "cannot be read"},
        BackupFailureCase{
            "DatabaseIsNotADatabase",
            [](const fs::path& live, const fs::path&) { WriteBytes(live, std::string(8192, 'z')); },
            "Backup.zip", FaultPoint::CreateArchive, false, "cannot be read"}),
    [](const ::testing::TestParamInfo<BackupFailureCase>& info) { return info.param.label; });

// Overwrites the inside of a table's page: the file still opens, its check fails.
void DamageDatabase(const fs::path& live) {
    std::string bytes = ReadBytes(live);
    ASSERT_GT(bytes.size(), 8u * 4096);
    for (std::size_t i = 5 * 4096; i < 5 * 4096 + 64; ++i)
        bytes[i] = '\xff';
    WriteBytes(live, bytes);
}

TEST_F(BackupTest, ADamagedDatabaseIsPackedAllTheSameWithAPlainWarning) {
    AddPersonWithTests("Ada", 30);
    DamageDatabase(live);
    const std::string damagedBytes = ReadBytes(live);
    const fs::path archive = scratch.path() / "Backup.zip";

    const BackupResult result = BackupDatabase(live.string(), archive.string());

    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.damaged);
    ASSERT_EQ(sink.messages, std::vector<std::string>{result.message});
    EXPECT_EQ(result.message.rfind("The backup was saved to " + archive.string() +
                                       ", but the database in it is damaged (",
                                   0),
              0u)
        << result.message;
    EXPECT_NE(result.message.find("A restore will refuse this backup."), std::string::npos);
    // The archive holds the database as it is, damage and all, and nothing else is left.
    const std::string entry = ReadBytes(UnpackEntry(archive));
    ASSERT_EQ(entry.size(), damagedBytes.size());
    EXPECT_TRUE(entry.substr(5 * 4096, 64) == std::string(64, '\xff')) << "the damage is gone";
    std::string error;
    EXPECT_FALSE(CheckDatabaseIntegrity(UnpackEntry(archive).string(), error));
    EXPECT_EQ(FolderListing(scratch.path()),
              (std::vector<std::string>{"Backup.zip", "unpacked.mdb"}));
}

// The backup of a sound database that another program damages later restores; the damaged
// one is refused, as its warning said.
TEST_F(BackupTest, TheArchiveOfADamagedDatabaseIsRefusedByTheRestore) {
    DamageDatabase(live);
    const fs::path archive = scratch.path() / "Backup.zip";
    ASSERT_TRUE(BackupDatabase(live.string(), archive.string()).damaged);
    sink.messages.clear();
    const RestoreResult restored = RestoreDatabase(archive.string(), live.string());
    EXPECT_EQ(restored.outcome, RestoreOutcome::Failed);
    EXPECT_EQ(restored.message.rfind(texts::kNoUsableDatabase, 0), 0u) << restored.message;
}

TEST_F(BackupTest, ATargetThatIsTheDatabaseOrAFileBesideItIsRefused) {
    const fs::path folder = live.parent_path();
    fs::create_symlink(live, scratch.path() / "link.zip");
    const std::vector<fs::path> targets = {
        live,
        live.string() + "-wal",
        live.string() + "-shm",
        live.string() + "-journal",
        folder / ".." / folder.filename() / live.filename(), // another spelling
        scratch.path() / "link.zip",                         // a link to it
    };
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        sink.messages.clear();
        const std::vector<std::string> before = FolderListing(folder);
        const std::string bytes = ReadBytes(live);

        const BackupResult result = BackupDatabase(live.string(), target.string());

        EXPECT_FALSE(result.ok);
        EXPECT_EQ(sink.messages, std::vector<std::string>{result.message});
        EXPECT_EQ(result.message.rfind(texts::kBackupNotMade, 0), 0u) << result.message;
        EXPECT_NE(result.message.find("would overwrite the database itself"), std::string::npos)
            << result.message;
        EXPECT_EQ(FolderListing(folder), before);
        EXPECT_EQ(ReadBytes(live), bytes);
    }
}

// The writer's chunk boundaries: empty content, exactly one chunk (then an empty read),
// one byte more.
TEST(BackupArchiveWriter, EntryHoldsTheContentByteForByteAtChunkBoundaries) {
    TempDir dir;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{102399},
                             std::size_t{102400}, std::size_t{102401}, std::size_t{250000}}) {
        SCOPED_TRACE(size);
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            content[i] = static_cast<char>((i * 2654435761u) >> 13);
        WriteBytes(dir.path() / "content", content);
        std::string error;
        ASSERT_TRUE(WriteSingleEntryArchive(dir.path() / "a.zip", "DataBase.mdb",
                                            dir.path() / "content", {}, {}, error))
            << error;
        const ListedArchive listed = ReadZip(dir.path() / "a.zip");
        ASSERT_EQ(listed.entries.size(), 1u);
        EXPECT_TRUE(listed.entries.front().checksumOk);
        EXPECT_EQ(listed.entries.front().content, content);
        EXPECT_EQ(listed.entries.front().info.uncompressed_size, size);
    }
}

} // namespace
