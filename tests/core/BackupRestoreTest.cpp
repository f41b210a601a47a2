#include "BackupTestSupport.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "backup/DatabaseBackup.h"
#include "backup/DatabaseRestore.h"
#include "data/DeliveredDatabase.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"

#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace hv;
using namespace hv::test;
namespace fs = std::filesystem;

namespace {

const std::string kNotFound = "Can not find the backup database";
const std::string kQuestion = "The database will be replaced, do you want to go on?";

// An installation whose database was backed up ("Saved" rows) and then changed ("Later"
// rows), so a restore has something to undo.
class RestoreTest : public ::testing::Test {
public: // the case tables below build their archives from the fixture
    void SetUp() override {
        AddPersonWithTests("Saved", 20);
        ASSERT_TRUE(BackupDatabase(live.string(), archive.string()).ok);
        savedBytes = ReadZip(archive).entries.at(0).content;
        AddPersonWithTests("Later", 5);
        liveBytes = ReadBytes(live);
        folderBefore = FolderListing(live.parent_path());
        ASSERT_EQ(folderBefore, std::vector<std::string>{"DataBase.mdb"});
    }

    // The live database is byte for byte what it was, and nothing was left beside it.
    void ExpectLiveUntouched() {
        EXPECT_EQ(FolderListing(live.parent_path()), folderBefore);
        EXPECT_TRUE(ReadBytes(live) == liveBytes) << "the live database file changed";
    }

    // A file holding the saved database, to build other archives from.
    fs::path SavedDatabaseCopy(const std::string& name) {
        const fs::path path = scratch.path() / name;
        WriteBytes(path, savedBytes);
        return path;
    }

    TestInstallation install;
    TempDir scratch;
    const fs::path live = install.databasePath();
    const fs::path archive = scratch.path() / "Backup.zip";
    std::string savedBytes;
    std::string liveBytes;
    std::vector<std::string> folderBefore;
    RecordingSink sink;
};

TEST_F(RestoreTest, RestoreReplacesTheDatabaseWithTheArchivedOne) {
    const RestoreResult result = RestoreDatabase(archive.string(), live.string());

    ASSERT_EQ(result.outcome, RestoreOutcome::Restored) << result.message;
    EXPECT_EQ(sink.questions, std::vector<std::string>{kQuestion});
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(ReadBytes(live) == savedBytes) << "the restored file is the archived one";
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(live.string(), error)) << error;
    EXPECT_EQ(CountPersons(live, "Saved"), 1);
    EXPECT_EQ(CountPersons(live, "Later"), 0);
}

TEST_F(RestoreTest, AnsweringNoChangesNothing) {
    sink.answers = {false};

    const RestoreResult result = RestoreDatabase(archive.string(), live.string());

    EXPECT_EQ(result.outcome, RestoreOutcome::Declined);
    EXPECT_EQ(sink.questions, std::vector<std::string>{kQuestion});
    EXPECT_TRUE(sink.messages.empty());
    ExpectLiveUntouched();
}

// What the operator is told about a rejected archive: the exact text, or the start of it.
struct Rejection {
    const char* label;
    std::function<void(RestoreTest& t, const fs::path& archive)> make;
    std::string_view textStart;
    const char* reasonPart = ""; // the reason the text gives, for the damaged or unusable
};

class RejectedArchiveTest : public RestoreTest, public ::testing::WithParamInterface<Rejection> {};

TEST_P(RejectedArchiveTest, ArchiveIsRejectedAndTheDatabaseStaysAsItWas) {
    const fs::path bad = scratch.path() / "Bad.zip";
    GetParam().make(*this, bad);

    const RestoreResult result = RestoreDatabase(bad.string(), live.string());

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    ASSERT_EQ(sink.messages, std::vector<std::string>{result.message});
    const std::string& text = result.message;
    if (GetParam().textStart == kNotFound) {
        EXPECT_EQ(text, kNotFound);
    } else {
        EXPECT_EQ(text.rfind(GetParam().textStart, 0), 0u) << text;
        EXPECT_NE(text.find(GetParam().reasonPart), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(texts::kDatabaseUnchanged)) << text;
    }
    EXPECT_TRUE(sink.questions.empty()) << "nothing is asked about an archive that fails";
    ExpectLiveUntouched();
}

std::function<void(RestoreTest&, const fs::path&)> Entries(std::vector<ZipEntry> entries) {
    return [entries](RestoreTest& t, const fs::path& archive) {
        std::vector<ZipEntry> filled = entries;
        for (ZipEntry& e : filled)
            if (e.content == "<saved>")
                e.content = ReadBytes(t.SavedDatabaseCopy("saved.mdb"));
        WriteZip(archive, filled);
    };
}

// The saved database, changed by statements before it is packed.
std::function<void(RestoreTest&, const fs::path&)> AlteredDatabase(std::string sql) {
    return [sql](RestoreTest& t, const fs::path& archive) {
        const fs::path copy = t.SavedDatabaseCopy("altered.mdb");
        ExecOn(copy, sql);
        WriteZip(archive, {{"DataBase.mdb", ReadBytes(copy)}});
    };
}

// A valid backup whose bytes are then changed.
std::function<void(RestoreTest&, const fs::path&)>
EditedArchive(std::function<void(std::string&)> edit, int method = Z_DEFLATED) {
    return [edit, method](RestoreTest& t, const fs::path& archive) {
        WriteZip(archive, {{"DataBase.mdb", ReadBytes(t.SavedDatabaseCopy("saved.mdb")), method}});
        std::string bytes = ReadBytes(archive);
        edit(bytes);
        WriteBytes(archive, bytes);
    };
}

// Where a stored entry's data starts: after the 30-byte local header and the 12-byte name.
constexpr std::size_t kStoredDataOffset = 30 + 12;

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectedArchiveTest,
    ::
        testing::
            Values(
                Rejection{
                    "NotAZipFile",
                    [](RestoreTest&, const fs::path& a) { WriteBytes(a, "just some text\n"); },
                    kNotFound},
                Rejection{"EmptyFile", [](RestoreTest&, const fs::path& a) { WriteBytes(a, ""); },
                          kNotFound},
                Rejection{"MissingFile", [](RestoreTest&, const fs::path&) {}, kNotFound},
                Rejection{"ArchiveWithoutEntries", Entries({}), kNotFound},
                Rejection{"Truncated",
                          EditedArchive([](std::string& bytes) { bytes.resize(bytes.size() / 2); }),
                          kNotFound},
                Rejection{"OtherLetterCase", Entries({{"database.mdb", "<saved>"}}), kNotFound},
                Rejection{"InsideAFolder", Entries({{"Backup/DataBase.mdb", "<saved>"}}),
                          kNotFound},
                Rejection{"BehindABackslashFolder", Entries({{"Backup\\DataBase.mdb", "<saved>"}}),
                          kNotFound},
                Rejection{"SecondInsteadOfFirst",
                          Entries({{"Readme.txt", "read me"}, {"DataBase.mdb", "<saved>"}}),
                          kNotFound},
                Rejection{"ClimbsOutOfTheFolder", Entries({{"../x", "<saved>"}}), kNotFound},
                Rejection{"ClimbsOutWithTheRightName", Entries({{"../DataBase.mdb", "<saved>"}}),
                          kNotFound},
                Rejection{"AbsoluteName", Entries({{"/DataBase.mdb", "<saved>"}}), kNotFound},
                Rejection{"NameWithTrailingBytes", Entries({{"DataBase.mdb.txt", "<saved>"}}),
                          kNotFound},
                Rejection{"ChecksumMismatch",
                          EditedArchive(
                              [](std::string& bytes) { bytes[kStoredDataOffset + 5000] ^= 1; }, 0),
                          texts::kArchiveDamaged, "checksum"},
                Rejection{"CompressedDataDamaged", EditedArchive([](std::string& bytes) {
                              for (std::size_t i = 0; i < 64; ++i)
                                  bytes[bytes.size() / 2 + i] ^= 0x5a;
                          }),
                          texts::kArchiveDamaged},
                Rejection{"EncryptedEntry",
                          Entries({{"DataBase.mdb", "<saved>", Z_DEFLATED, "secret"}}),
                          texts::kArchiveDamaged, "encrypted"},
                Rejection{"EntryIsText", Entries({{"DataBase.mdb", "not a database at all"}}),
                          texts::kNoUsableDatabase, "not a database"},
                Rejection{"EntryIsEmpty", Entries({{"DataBase.mdb", ""}}), texts::kNoUsableDatabase,
                          "not a database"},
                Rejection{"DatabaseOfAnotherProgram",
                          [](RestoreTest& t, const fs::path& a) {
                              const fs::path other = t.scratch.path() / "other.db";
                              sqlite3* db = nullptr;
                              sqlite3_open(other.string().c_str(), &db);
                              sqlite3_exec(db, "CREATE TABLE Notes (Text TEXT)", nullptr, nullptr,
                                           nullptr);
                              sqlite3_close(db);
                              WriteZip(a, {{"DataBase.mdb", ReadBytes(other)}});
                          },
                          texts::kNoUsableDatabase, "table GroupList is missing"},
                Rejection{
                    "TableMissing", AlteredDatabase("DROP TABLE ReportValue99"),
                    texts::kNoUsableDatabase, "table ReportValue99 is missing"},
                Rejection{
                    "ColumnMissing", AlteredDatabase("ALTER TABLE Examer DROP COLUMN BzHW"),
                    texts::kNoUsableDatabase, "table Examer does not have the expected columns"},
                Rejection{
                    "DamagedDatabase",
                    [](RestoreTest& t, const fs::path& a) {
                        std::string bytes = ReadBytes(t.SavedDatabaseCopy("saved.mdb"));
                        for (std::size_t i = 5 * 4096; i < 5 * 4096 + 64; ++i)
                            bytes[i] = '\xff';
                        WriteZip(a, {{"DataBase.mdb", bytes}});
                    },
                    texts::kNoUsableDatabase, "damaged"}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return info.param.label; });

struct InjectedFault {
    FaultPoint point;
    std::string_view textStart;
    bool asked; // whether the operator had been asked when the step failed
};

class InjectedFaultTest : public RestoreTest,
                          public ::testing::WithParamInterface<InjectedFault> {};

TEST_P(InjectedFaultTest, InterruptedRestoreLeavesTheDatabaseAsItWas) {
    BackupOptions options;
    options.injectFault = [failing = GetParam().point](FaultPoint point) {
        return point == failing;
    };

    const RestoreResult result = RestoreDatabase(archive.string(), live.string(), options);

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    ASSERT_EQ(sink.messages, std::vector<std::string>{result.message});
    EXPECT_EQ(result.message.rfind(GetParam().textStart, 0), 0u) << result.message;
    EXPECT_TRUE(result.message.ends_with(texts::kDatabaseUnchanged)) << result.message;
    EXPECT_EQ(sink.questions.size(), GetParam().asked ? 1u : 0u);
    ExpectLiveUntouched();
    EXPECT_EQ(CountPersons(live, "Later"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, InjectedFaultTest,
    ::testing::Values(InjectedFault{FaultPoint::AfterExtraction, texts::kCannotExtract, false},
                      InjectedFault{FaultPoint::AfterCheck, texts::kCannotExtract, false},
                      InjectedFault{FaultPoint::Replace, texts::kCannotReplace, true}),
    [](const ::testing::TestParamInfo<InjectedFault>& info) {
        switch (info.param.point) {
        case FaultPoint::AfterExtraction:
            return std::string("AfterExtraction");
        case FaultPoint::AfterCheck:
            return std::string("AfterCheck");
        default:
            return std::string("DuringReplacement");
        }
    });

// Leaves the live database as a process that ended without closing its connection leaves
// it: rows committed by that connection are only in the write-ahead log beside the file.
void LeaveUnreplayedLog(const fs::path& live, const std::string& name) {
    const fs::path held = live.parent_path() / "held";
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(live.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        sqlite3_exec(db, "PRAGMA wal_autocheckpoint=0", nullptr, nullptr, nullptr);
        const std::string sql =
            "INSERT INTO Examer (GroupID, Name, Sex) VALUES (1, '" + name + "', 0)";
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        fs::copy_file(live, held.string() + ".mdb");
        fs::copy_file(live.string() + "-wal", held.string() + ".mdb-wal");
        sqlite3_close_v2(db); // folds the log into the file and removes it
    }
    fs::rename(held.string() + ".mdb", live);
    fs::rename(held.string() + ".mdb-wal", live.string() + "-wal");
    ASSERT_GT(fs::file_size(live.string() + "-wal"), 0u);
}

TEST_F(RestoreTest, RestoreOverADatabaseWithAnUnreplayedLogGivesTheArchivedRowsOnly) {
    LeaveUnreplayedLog(live, "OnlyInTheLog");

    const RestoreResult result = RestoreDatabase(archive.string(), live.string());

    ASSERT_EQ(result.outcome, RestoreOutcome::Restored) << result.message;
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(live.string(), error)) << error;
    EXPECT_TRUE(SameData(DumpDatabase(live), DumpDatabase(SavedDatabaseCopy("expected.mdb"))));
    EXPECT_EQ(CountPersons(live, "OnlyInTheLog"), 0);
}

TEST_F(RestoreTest, FailedReplacementKeepsTheRowsThatWereOnlyInTheLog) {
    LeaveUnreplayedLog(live, "OnlyInTheLog");
    BackupOptions options;
    options.injectFault = [](FaultPoint point) { return point == FaultPoint::Replace; };

    const RestoreResult result = RestoreDatabase(archive.string(), live.string(), options);

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    EXPECT_EQ(CountPersons(live, "OnlyInTheLog"), 1);
    EXPECT_EQ(CountPersons(live, "Later"), 1);
    std::string error;
    EXPECT_TRUE(CheckDatabaseIntegrity(live.string(), error)) << error;
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
}

TEST_F(RestoreTest, DatabaseHeldInATransactionByAnotherConnectionIsNotReplaced) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(live.string().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    sqlite3_exec(other, "PRAGMA wal_autocheckpoint=0", nullptr, nullptr, nullptr);
    sqlite3_exec(other, "INSERT INTO GroupList (Name) VALUES ('Reader')", nullptr, nullptr,
                 nullptr);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN; SELECT count(*) FROM Examer;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    BackupOptions options;
    options.busyTimeout = std::chrono::milliseconds(20);

    const RestoreResult result = RestoreDatabase(archive.string(), live.string(), options);

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    EXPECT_EQ(result.message,
              std::string(texts::kDatabaseInUse) + std::string(texts::kDatabaseUnchanged));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close_v2(other);
    EXPECT_EQ(CountPersons(live, "Later"), 1);
    EXPECT_EQ(CountPersons(live, "Saved"), 1);
    EXPECT_EQ(FolderListing(live.parent_path()), folderBefore);
}

// A restore is the way back from a lost or ruined database file, also when the log of the
// lost file is still there: it must not be replayed onto the restored one.
TEST_F(RestoreTest, RestoreWorksWhenTheLiveFileIsMissingOrRuined) {
    for (bool ruined : {false, true}) {
        SCOPED_TRACE(ruined ? "ruined" : "missing");
        LeaveUnreplayedLog(live, "OnlyInTheLog");
        fs::remove(live);
        if (ruined)
            WriteBytes(live, std::string(4096, '\x7f'));

        const RestoreResult result = RestoreDatabase(archive.string(), live.string());

        ASSERT_EQ(result.outcome, RestoreOutcome::Restored) << result.message;
        EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
        EXPECT_TRUE(ReadBytes(live) == savedBytes);
        std::string error;
        EXPECT_TRUE(CheckDatabaseIntegrity(live.string(), error)) << error;
        EXPECT_EQ(CountPersons(live, "OnlyInTheLog"), 0);
        EXPECT_EQ(CountPersons(live, "Saved"), 1);
    }
}

// The log of a live file the engine cannot read may hold the only copy of committed rows:
// a replacement that fails must leave it, and its index, where they were.
TEST_F(RestoreTest, AFailedRestoreOverAnUnreadableFileKeepsItsLogAndIndex) {
    LeaveUnreplayedLog(live, "OnlyInTheLog");
    WriteBytes(live.string() + "-shm", std::string(32768, '\0'));
    WriteBytes(live, std::string(4096, '\x7f'));
    const std::string wal = ReadBytes(live.string() + "-wal");
    const std::vector<std::string> before = FolderListing(live.parent_path());
    BackupOptions options;
    options.injectFault = [](FaultPoint point) { return point == FaultPoint::Replace; };

    const RestoreResult result = RestoreDatabase(archive.string(), live.string(), options);

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    EXPECT_EQ(FolderListing(live.parent_path()), before);
    EXPECT_TRUE(ReadBytes(live.string() + "-wal") == wal) << "the log changed";
    EXPECT_TRUE(fs::exists(live.string() + "-shm"));
    EXPECT_TRUE(ReadBytes(live) == std::string(4096, '\x7f')) << "the live file changed";

    // Once the restore goes through, nothing of the old file is left beside the new one.
    ASSERT_EQ(RestoreDatabase(archive.string(), live.string()).outcome, RestoreOutcome::Restored);
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
    EXPECT_EQ(CountPersons(live, "Saved"), 1);
}

TEST_F(RestoreTest, MissingDatabaseFolderIsReported) {
    const fs::path elsewhere = scratch.path() / "NoSuchFolder" / "DataBase.mdb";

    const RestoreResult result = RestoreDatabase(archive.string(), elsewhere.string());

    EXPECT_EQ(result.outcome, RestoreOutcome::Failed);
    EXPECT_EQ(result.message.rfind(texts::kNoDatabaseFolder, 0), 0u) << result.message;
    EXPECT_FALSE(fs::exists(elsewhere.parent_path()));
    ExpectLiveUntouched();
}

} // namespace
