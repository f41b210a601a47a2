#include "backup/DatabaseBackup.h"

#include "backup/BackupArchive.h"
#include "backup/DatabaseFiles.h"
#include "backup/ProgressStage.h"
#include "common/WorkFiles.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"

#include <filesystem>

namespace hv {
namespace fs = std::filesystem;

namespace {

bool Refused(const BackupOptions& options, FaultPoint point) {
    return options.injectFault && options.injectFault(point);
}

bool MakeBackup(const fs::path& database, const fs::path& target, const BackupOptions& options,
                std::string& error) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = target.string() + " is a folder";
        return false;
    }
    fs::path path;
    if (!CreateSiblingFile(target, "snapshot", path, error))
        return false;
    WorkFile snapshot(path);
    if (!SnapshotDatabase(database, snapshot.path(), ProgressStage(options.progress, 0.0, 0.3),
                          error))
        return false;
    if (!CheckRestorableDatabase(snapshot.path(), error))
        return false;
    ProgressStage(options.progress, 0.0, 0.35)(1.0);

    if (Refused(options, FaultPoint::CreateArchive)) {
        error = "the archive cannot be created (" + std::string(texts::kRefused) + ")";
        return false;
    }
    PublishedFile archive;
    if (!archive.Create(target, "partial", error) ||
        !WriteSingleEntryArchive(
            archive.path(), kBackupEntryName, snapshot.path(),
            ProgressStage(options.progress, 0.35, 1.0),
            [&options] { return Refused(options, FaultPoint::WriteArchive); }, error))
        return false;
    snapshot.Discard();

    if (Refused(options, FaultPoint::PublishArchive)) {
        error = "the archive cannot be moved into place (" + std::string(texts::kRefused) + ")";
        return false;
    }
    return archive.Publish(error);
}

} // namespace

BackupResult BackupDatabase(const std::string& databasePath, const std::string& archivePath,
                            const BackupOptions& options) {
    BackupResult result;
    std::string error;
    if (!MakeBackup(databasePath, archivePath, options, error)) {
        result.message = std::string(texts::kBackupNotMade) + error + ".";
        ShowMessage(result.message);
        return result;
    }
    if (options.progress)
        options.progress->OnProgress(1.0);
    result.ok = true;
    return result;
}

} // namespace hv
