#include "AdminProgram.h"
#include "BackupTestSupport.h"
#include "TestDatabase.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace hv::test;
namespace fs = std::filesystem;

namespace {

class BackupAdminTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(AdminProgram())) << "build halvoret-admin first: " << AdminProgram();
        AddPersonWithTests("Saved", 3);
    }

    TestInstallation install;
    const fs::path live = install.databasePath();
};

TEST_F(BackupAdminTest, BackupAndRestoreSucceedWithStatusZero) {
    ASSERT_EQ(RunAdmin("backup Backup.zip"), 0) << ReadBytes("admin.err");
    EXPECT_EQ(ReadBytes("admin.out"), "Backup finished!\n");
    const ListedArchive listed = ReadZip("Backup.zip");
    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries.front().name, "DataBase.mdb");

    AddPersonWithTests("Later", 1);
    ASSERT_EQ(RunAdmin("restore --yes Backup.zip"), 0) << ReadBytes("admin.err");
    EXPECT_EQ(CountPersons(live, "Saved"), 1);
    EXPECT_EQ(CountPersons(live, "Later"), 0);
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
}

struct AdminFailure {
    const char* label;
    std::string arguments;
    int status;
    const char* stderrPart;
};

class BackupAdminFailureTest : public BackupAdminTest,
                               public ::testing::WithParamInterface<AdminFailure> {};

// Every failing command ends with a non-zero status, says why, and leaves the database.
TEST_P(BackupAdminFailureTest, FailureEndsWithNonZeroStatus) {
    ASSERT_EQ(RunAdmin("backup Good.zip"), 0);
    WriteBytes("NotAZip.zip", "plain text");
    const std::string liveBytes = ReadBytes(live);

    EXPECT_EQ(RunAdmin(GetParam().arguments), GetParam().status);

    EXPECT_NE(ReadBytes("admin.err").find(GetParam().stderrPart), std::string::npos)
        << ReadBytes("admin.err");
    EXPECT_TRUE(ReadBytes(live) == liveBytes);
    EXPECT_EQ(FolderListing(live.parent_path()), std::vector<std::string>{"DataBase.mdb"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupAdminFailureTest,
    ::testing::Values(AdminFailure{"BackupWithoutTarget", "backup", 2, "usage"},
                      AdminFailure{"BackupIntoMissingFolder", "backup Missing/Backup.zip", 1,
                                   "The backup was not made"},
                      AdminFailure{"RestoreWithoutConfirmation", "restore Good.zip", 2, "--yes"},
                      AdminFailure{"RestoreWithoutArchive", "restore --yes", 2, "usage"},
                      AdminFailure{"RestoreUnknownOption", "restore --force Good.zip", 2, "usage"},
                      AdminFailure{"RestoreOfANonArchive", "restore --yes NotAZip.zip", 1,
                                   "Can not find the backup database"},
                      AdminFailure{"RestoreOfAMissingArchive", "restore --yes Nothing.zip", 1,
                                   "Can not find the backup database"}),
    [](const ::testing::TestParamInfo<AdminFailure>& info) { return info.param.label; });

TEST_F(BackupAdminTest, BackupWithoutADatabaseFails) {
    fs::remove(live);
    EXPECT_EQ(RunAdmin("backup Backup.zip"), 1);
    EXPECT_FALSE(fs::exists("Backup.zip"));
}

} // namespace
