#include "backup/DatabaseBackup.h"

#include "backup/BackupArchive.h"
#include "backup/DatabaseFiles.h"
#include "backup/ServerRegister.h"
#include "common/WorkFiles.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

// Whether target names the database file or one of the files the engine keeps beside it,
// however the path is spelled.
bool IsDatabaseFile(const fs::path& database, const fs::path& target) {
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(fs::absolute(target), ec);
    if (ec)
        return false;
    std::vector<fs::path> files{database};
    for (const fs::path& companion : DatabaseCompanions(database))
        files.push_back(companion);
    return std::any_of(files.begin(), files.end(), [&](const fs::path& file) {
        std::error_code fileError;
        return fs::weakly_canonical(fs::absolute(file), fileError) == wanted && !fileError;
    });
}

// Writes the archive. A database that fails its check is packed all the same (a copy is
// worth most when the database is damaged); damage then says why.
bool MakeBackup(const DatabaseLocation& database, const fs::path& target,
                const BackupOptions& options, std::string& damage, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = target.string() + " is a folder";
        return false;
    }
    const bool server = database.engine == DbEngine::PostgreSQL;
    if (!server && IsDatabaseFile(database.target, target)) {
        error = "the backup file " + target.string() + " would overwrite the database itself";
        return false;
    }
    fs::path path;
    if (!CreateSiblingFile(target, "snapshot", path, error))
        return false;
    WorkFile snapshot(path);
    const ProgressStage copying(options.progress, 0.0, 0.3);
    if (server ? !SnapshotServerRegister(database.target, snapshot.path(), copying, error)
               : !SnapshotDatabase(database.target, snapshot.path(), copying, error))
        return false;
    CheckRestorableDatabase(snapshot.path(), damage);
    ReportProgress(options.progress, 0.35);

    if (options.Refused(FaultPoint::CreateArchive)) {
        error = "the archive cannot be created (" + std::string(texts::kRefused) + ")";
        return false;
    }
    PublishedFile archive;
    if (!archive.Create(target, "partial", error) ||
        !WriteSingleEntryArchive(
            archive.path(), kBackupEntryName, snapshot.path(),
            ProgressStage(options.progress, 0.35, 1.0),
            [&options] { return options.Refused(FaultPoint::WriteArchive); }, error))
        return false;
    snapshot.Discard();

    if (options.Refused(FaultPoint::PublishArchive)) {
        error = "the archive cannot be moved into place (" + std::string(texts::kRefused) + ")";
        return false;
    }
    return archive.Publish(error);
}

} // namespace

BackupResult BackupDatabase(const std::string& databasePath, const std::string& archivePath,
                            const BackupOptions& options) {
    return BackupDatabase(DatabaseLocation{DbEngine::SQLite, databasePath}, archivePath, options);
}

BackupResult BackupDatabase(const DatabaseLocation& database, const std::string& archivePath,
                            const BackupOptions& options) {
    BackupResult result;
    std::string damage, error;
    if (!MakeBackup(database, archivePath, options, damage, error)) {
        result.message = std::string(texts::kBackupNotMade) + error + ".";
        ShowMessage(result.message);
        return result;
    }
    ReportProgress(options.progress, 1.0);
    result.ok = true;
    if (!damage.empty()) {
        result.damaged = true;
        result.message = texts::FillText(texts::kBackupOfDamagedDatabase, {archivePath, damage});
        ShowMessage(result.message);
    }
    return result;
}

} // namespace hv
