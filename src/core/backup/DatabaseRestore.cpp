#include "backup/DatabaseRestore.h"

#include "backup/BackupArchive.h"
#include "backup/DatabaseFiles.h"
#include "backup/ProgressStage.h"
#include "common/WorkFiles.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"

#include <filesystem>
#include <optional>

namespace hv {
namespace fs = std::filesystem;

namespace {

bool Refused(const BackupOptions& options, FaultPoint point) {
    return options.injectFault && options.injectFault(point);
}

// A restore step that failed: the text the operator gets.
struct Failure {
    std::string text;
};

Failure Unchanged(std::string_view what, std::string_view reason) {
    return {std::string(what) + std::string(reason) + "." + std::string(texts::kDatabaseUnchanged)};
}

Failure ArchiveFailure(ArchiveProblem problem, const std::string& reason) {
    switch (problem) {
    case ArchiveProblem::NotABackup:
        return {std::string(LoadString(ids::BackupDatabaseNotFound))};
    case ArchiveProblem::Damaged:
        return Unchanged(texts::kArchiveDamaged, reason);
    case ArchiveProblem::CannotWrite:
    case ArchiveProblem::None:
        break;
    }
    return Unchanged(texts::kCannotExtract, reason);
}

// Extracts and checks the archive's database beside the live file. Empty on success.
std::optional<Failure> PrepareCopy(const fs::path& archive, const WorkFile& copy,
                                   const BackupOptions& options) {
    std::string reason;
    const ArchiveProblem problem = ExtractBackupEntry(
        archive, kBackupEntryName, copy.path(), ProgressStage(options.progress, 0.0, 0.8), reason);
    if (problem != ArchiveProblem::None)
        return ArchiveFailure(problem, reason);
    if (Refused(options, FaultPoint::AfterExtraction))
        return Unchanged(texts::kCannotExtract, texts::kRefused);

    if (!CheckRestorableDatabase(copy.path(), reason))
        return Unchanged(texts::kNoUsableDatabase, reason);
    // The copy must be on the disk before the rename may publish it. (A test's fault after
    // the check stands for this write failing.)
    if (Refused(options, FaultPoint::AfterCheck))
        return Unchanged(texts::kCannotExtract, texts::kRefused);
    if (!SyncFile(copy.path(), reason))
        return Unchanged(texts::kCannotExtract, reason);
    ProgressStage(options.progress, 0.0, 0.9)(1.0);
    return std::nullopt;
}

// Puts the checked copy in the live file's place. Empty on success.
std::optional<Failure> ReplaceLiveDatabase(const fs::path& live, WorkFile& copy,
                                           const BackupOptions& options) {
    std::string reason;
    // Settling first means the companions removed next hold nothing worth keeping, so the
    // old database stays whole even if the rename then fails. A file the engine cannot read
    // has nothing to settle; it is being replaced.
    if (SettleDatabase(live, options.busyTimeout, reason) == SettleResult::InUse)
        return Failure{std::string(texts::kDatabaseInUse) + std::string(texts::kDatabaseUnchanged)};
    if (!RemoveDatabaseCompanions(live, reason))
        return Unchanged(texts::kCannotReplace, reason);
    if (Refused(options, FaultPoint::Replace))
        return Unchanged(texts::kCannotReplace, texts::kRefused);
    if (!ReplaceFile(copy.path(), live, reason))
        return Unchanged(texts::kCannotReplace, reason);
    // Checking the copy may have left log files under its work name.
    RemoveDatabaseCompanions(copy.path(), reason);
    copy.Keep();
    return std::nullopt;
}

RestoreResult Fail(const Failure& failure) {
    ShowMessage(failure.text);
    return {RestoreOutcome::Failed, failure.text};
}

} // namespace

RestoreResult RestoreDatabase(const std::string& archivePath, const std::string& databasePath,
                              const BackupOptions& options) {
    const fs::path live = databasePath;
    const fs::path folder = live.parent_path().empty() ? fs::path(".") : live.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return Fail(Unchanged(texts::kNoDatabaseFolder, folder.string()));

    fs::path path;
    std::string reason;
    if (!CreateSiblingFile(live, "restore", path, reason))
        return Fail(Unchanged(texts::kCannotExtract, reason));
    WorkFile copy(path);
    if (std::optional<Failure> failure = PrepareCopy(archivePath, copy, options))
        return Fail(*failure);

    if (!AskYesNo(ids::DatabaseWillBeReplaced))
        return {RestoreOutcome::Declined, {}};

    if (std::optional<Failure> failure = ReplaceLiveDatabase(live, copy, options))
        return Fail(*failure);
    if (options.progress)
        options.progress->OnProgress(1.0);
    return {RestoreOutcome::Restored, {}};
}

} // namespace hv
