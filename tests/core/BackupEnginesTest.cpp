// Backup and restore of the configured register, on both engines: one archive format (an
// SQLite DataBase.mdb) whatever the engine, so a backup taken on one restores on the other.

#include "AdminProgram.h"
#include "BackupTestSupport.h"
#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "RegisterDump.h"
#include "backup/DatabaseBackup.h"
#include "backup/DatabaseRestore.h"
#include "data/OperatorTexts.h"
#include "data/PasswordPrompt.h"
#include "data/StationRights.h"

#include <atomic>
#include <gtest/gtest.h>

using namespace hv;
using namespace hv::test;
namespace fs = std::filesystem;

namespace {

// The database an archive holds, written out as a file of its own.
std::string ArchivedDatabase(const fs::path& archive, const fs::path& file) {
    const ListedArchive listed = ReadZip(archive);
    EXPECT_EQ(listed.entries.size(), 1u);
    if (listed.entries.empty())
        return {};
    EXPECT_EQ(listed.entries.front().name, "DataBase.mdb");
    WriteBytes(file, listed.entries.front().content);
    return file.string();
}

// A register with every kind of row: groups, persons, tests, value and summary rows, a deleted
// newest test, changed settings.
void FillRegister() {
    AddPersonWithTests("Ann", 3);
    AddPersonWithTests("Ben", 2);
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("ReportValue01", {{"MeasID", 1}, {"Value01", 1.25}, {"Value02", 0.1}}));
    ASSERT_TRUE(db.AddRow("ReportValue09", {{"MeasID", 1}, {"Value03", "u0.15"}}));
    for (const char* item : {"Second", "First", "Third"})
        ASSERT_TRUE(db.AddRow(
            "ReportValueAll",
            {{"MeasID", 1}, {"System", "Skin"}, {"Item", item}, {"Value", 3.5}, {"Type", "B"}}));
    ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45600.5}}));
    ASSERT_TRUE(db.Execute("DELETE FROM MeasData WHERE MeasID=?", {db.LastInsertKey()}));
    ASSERT_TRUE(db.Execute("UPDATE SetValue SET PageHead=?, MachineLM=?", {"2Centre line", 31}));
}

class BackupEnginesTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        FillRegister();
    }

    RecordingSink sink;
};

HV_ON_BOTH_ENGINES(BackupEnginesTest);

TEST_P(BackupEnginesTest, ABackupRestoresTheWholeRegister) {
    const std::string before = DumpRegister(install.location());
    ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), "Backup.zip").ok);
    EXPECT_EQ(DumpRegister(ArchivedDatabase("Backup.zip", "Archived.mdb")), before);

    AddPersonWithTests("Later", 2);
    ASSERT_NE(DumpRegister(install.location()), before);
    ASSERT_EQ(RestoreDatabase("Backup.zip", ConfiguredDatabase()).outcome,
              RestoreOutcome::Restored);
    EXPECT_EQ(DumpRegister(install.location()), before);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
}

TEST_P(BackupEnginesTest, ARestoreThatFailsChangesNothing) {
    ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), "Backup.zip").ok);
    AddPersonWithTests("Later", 1);
    const std::string before = DumpRegister(install.location());
    BackupOptions options;
    options.injectFault = [](FaultPoint point) { return point == FaultPoint::Replace; };
    EXPECT_EQ(RestoreDatabase("Backup.zip", ConfiguredDatabase(), options).outcome,
              RestoreOutcome::Failed);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find(texts::kDatabaseUnchanged), std::string::npos);
    EXPECT_EQ(DumpRegister(install.location()), before);
    // Answering No changes nothing either.
    sink.answers = {false};
    EXPECT_EQ(RestoreDatabase("Backup.zip", ConfiguredDatabase()).outcome,
              RestoreOutcome::Declined);
    EXPECT_EQ(DumpRegister(install.location()), before);
}

TEST_P(BackupEnginesTest, TheAdminToolBacksUpAndRestoresTheConfiguredRegister) {
    const std::string before = DumpRegister(install.location());
    ASSERT_EQ(RunAdmin("backup Backup.zip"), 0) << ReadBytes("admin.err");
    AddPersonWithTests("Later", 1);
    ASSERT_EQ(RunAdmin("restore --yes Backup.zip"), 0) << ReadBytes("admin.err");
    EXPECT_NE(
        ReadBytes("admin.out").find("Restore finished: " + DescribeDatabase(ConfiguredDatabase())),
        std::string::npos)
        << ReadBytes("admin.out");
    EXPECT_EQ(DumpRegister(install.location()), before);
}

class ServerBackupTest : public BackupEnginesTest {};

INSTANTIATE_TEST_SUITE_P(Server, ServerBackupTest, ::testing::Values(DbEngine::PostgreSQL),
                         EngineName);

// A server's backup restores into a file, the file's backup restores onto a server, and the
// register comes back the same, keys and counters included.
TEST_P(ServerBackupTest, ABackupOfTheServerRestoresIntoAFileAndBack) {
    const std::string before = DumpRegister(install.location());
    const fs::path folder = install.path();
    ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), (folder / "Server.zip").string()).ok);
    {
        TestInstallation file(DbEngine::SQLite);
        ASSERT_EQ(RestoreDatabase((folder / "Server.zip").string(), ConfiguredDatabase()).outcome,
                  RestoreOutcome::Restored);
        EXPECT_EQ(DumpRegister(file.databasePath()), before);
        // The next test in the file continues after the server's deleted test.
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45700.0}}));
        EXPECT_EQ(db.LastInsertKey(), 7);
        ASSERT_TRUE(db.Execute("DELETE FROM MeasData WHERE MeasID=7"));
        db.Close();
        ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), (folder / "File.zip").string()).ok);
    }
    AddPersonWithTests("Later", 2);
    ASSERT_EQ(RestoreDatabase((folder / "File.zip").string(), ConfiguredDatabase()).outcome,
              RestoreOutcome::Restored);
    EXPECT_EQ(DumpRegister(install.location()), before);
    // The server's counter never goes back: the tests made meanwhile had the keys 7 and 8.
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("MeasData", {{"ExamerID", 1}, {"MeasDate", 45700.0}}));
    EXPECT_EQ(db.LastInsertKey(), 9);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
}

// The archive holds the register as it was when the backup began: rows another station
// commits while it runs are not in it.
TEST_P(ServerBackupTest, TheBackupIsOneSnapshot) {
    const std::string before = DumpRegister(install.location());
    struct WriteWhileCopying final : BackupProgress {
        void OnProgress(double fraction) override {
            if (written || fraction <= 0.0)
                return;
            written = true;
            AddPersonWithTests("Meanwhile", 2);
        }
        bool written = false;
    } progress;
    BackupOptions options;
    options.progress = &progress;
    ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), "Backup.zip", options).ok);
    ASSERT_TRUE(progress.written);
    EXPECT_EQ(DumpRegister(ArchivedDatabase("Backup.zip", "Archived.mdb")), before);
    EXPECT_EQ(CountPersons(install.databaseUrl(), "Meanwhile"), 1);
}

// A station's role may back up the register, but a restore is for the register's owner.
TEST_P(ServerBackupTest, AStationRoleBacksUpButMayNotRestore) {
    static std::atomic<int> counter{0};
    const std::string role =
        "hv_backup_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    ASSERT_TRUE(install.RunOnServer("CREATE ROLE " + role + " LOGIN PASSWORD 'pw'"));
    std::string error;
    {
        CAdoDb owner;
        ASSERT_TRUE(owner.Open());
        ASSERT_TRUE(GrantStationRights(owner, role, error)) << error;
    }
    const std::string prefix = "postgresql://postgres@";
    const std::string url =
        "postgresql://" + role + "@" + install.databaseUrl().substr(prefix.size());
    RememberPassword(url, "pw");
    const std::string before = DumpRegister(install.location());
    {
        ScopedEnvironment station(kDatabaseEnvironment, url);
        ASSERT_TRUE(BackupDatabase(ConfiguredDatabase(), "Backup.zip").ok);
        EXPECT_EQ(DumpRegister(ArchivedDatabase("Backup.zip", "Archived.mdb")), before);
        EXPECT_EQ(RestoreDatabase("Backup.zip", ConfiguredDatabase()).outcome,
                  RestoreOutcome::Failed);
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("permission denied for table"), std::string::npos)
        << sink.messages[0];
    EXPECT_NE(sink.messages[0].find(texts::kDatabaseUnchanged), std::string::npos);
    EXPECT_EQ(DumpRegister(install.location()), before);
    CAdoDb::CloseIdleConnections();
    install.RunOnServer("DROP OWNED BY " + role + "; DROP ROLE " + role);
}

} // namespace
