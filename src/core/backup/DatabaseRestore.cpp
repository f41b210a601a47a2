#include "backup/DatabaseRestore.h"

#include "backup/BackupArchive.h"
#include "backup/DatabaseFiles.h"
#include "backup/ServerRegister.h"
#include "common/WorkFiles.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

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
    if (options.Refused(FaultPoint::AfterExtraction))
        return Unchanged(texts::kCannotExtract, texts::kRefused);

    if (!CheckRestorableDatabase(copy.path(), reason))
        return Unchanged(texts::kNoUsableDatabase, reason);
    // The copy must be on the disk before the rename may publish it. (A test's fault after
    // the check stands for this write failing.)
    if (options.Refused(FaultPoint::AfterCheck))
        return Unchanged(texts::kCannotExtract, texts::kRefused);
    if (!SyncFile(copy.path(), reason))
        return Unchanged(texts::kCannotExtract, reason);
    ReportProgress(options.progress, 0.9);
    return std::nullopt;
}

// The files the engine keeps beside the live database, moved aside under work names while
// the new file is put in place: put back when that fails, removed once it has succeeded.
// A live file the engine cannot read may still have committed rows in its log, so nothing
// of it is deleted before the replacement is done.
class CompanionsAside {
public:
    CompanionsAside() = default;
    CompanionsAside(const CompanionsAside&) = delete;
    CompanionsAside& operator=(const CompanionsAside&) = delete;
    ~CompanionsAside() { PutBack(); }

    bool MoveAside(const fs::path& live, std::string& error) {
        for (const fs::path& companion : DatabaseCompanions(live)) {
            std::error_code ec;
            if (!fs::exists(companion, ec))
                continue;
            fs::path aside;
            if (!CreateSiblingFile(companion, "aside", aside, error))
                return false;
            fs::rename(companion, aside, ec);
            if (ec) {
                fs::remove(aside, ec);
                error = "cannot move " + companion.string() + " aside: " + ec.message();
                return false;
            }
            m_moved.push_back({companion, aside});
        }
        return true;
    }

    // The replacement is done: what was moved aside belongs to the old file; remove it.
    void Discard() {
        for (const Moved& m : m_moved) {
            std::error_code ec;
            fs::remove(m.aside, ec);
        }
        m_moved.clear();
    }

    void PutBack() {
        for (const Moved& m : m_moved) {
            std::error_code ec;
            fs::rename(m.aside, m.original, ec);
        }
        m_moved.clear();
    }

private:
    struct Moved {
        fs::path original;
        fs::path aside;
    };
    std::vector<Moved> m_moved;
};

// Puts the checked copy in the live file's place. Empty on success.
std::optional<Failure> ReplaceLiveDatabase(const fs::path& live, WorkFile& copy,
                                           const BackupOptions& options) {
    std::string reason;
    // Settling first folds what the log holds into the file, so the old database is whole
    // on its own. A file the engine cannot read has nothing to settle.
    if (SettleDatabase(live, options.busyTimeout, reason) == SettleResult::InUse)
        return Failure{std::string(texts::kDatabaseInUse) + std::string(texts::kDatabaseUnchanged)};
    // The companions must never be replayed onto the restored file, and never be lost
    // before it is in place.
    CompanionsAside companions;
    if (!companions.MoveAside(live, reason))
        return Unchanged(texts::kCannotReplace, reason);
    if (options.Refused(FaultPoint::Replace))
        return Unchanged(texts::kCannotReplace, texts::kRefused);
    if (!ReplaceFile(copy.path(), live, reason))
        return Unchanged(texts::kCannotReplace, reason);
    companions.Discard();
    // Checking the copy may have left log files under its work name.
    RemoveDatabaseCompanions(copy.path(), reason);
    copy.Keep();
    return std::nullopt;
}

RestoreResult Fail(const Failure& failure) {
    ShowMessage(failure.text);
    return {RestoreOutcome::Failed, failure.text};
}

// The archive's database checked into a work file beside `beside`, the operator asked, and
// then put in place by replace; in that order, whatever takes the copy.
template <typename Replace>
RestoreResult CheckAskReplace(const std::string& archivePath, const fs::path& beside,
                              const BackupOptions& options, Replace replace) {
    fs::path path;
    std::string reason;
    if (!CreateSiblingFile(beside, "restore", path, reason))
        return Fail(Unchanged(texts::kCannotExtract, reason));
    WorkFile copy(path);
    if (std::optional<Failure> failure = PrepareCopy(archivePath, copy, options))
        return Fail(*failure);
    if (!AskYesNo(ids::DatabaseWillBeReplaced))
        return {RestoreOutcome::Declined, {}};
    if (std::optional<Failure> failure = replace(copy))
        return Fail(*failure);
    ReportProgress(options.progress, 1.0);
    return {RestoreOutcome::Restored, {}};
}

// The checked copy goes to the temporary folder; the server takes its rows.
RestoreResult RestoreServerRegister(const std::string& archivePath, const std::string& url,
                                    const BackupOptions& options) {
    return CheckAskReplace(archivePath, fs::temp_directory_path() / kBackupEntryName, options,
                           [&](WorkFile& copy) -> std::optional<Failure> {
                               std::string reason;
                               if (ReplaceServerRegister(url, copy.path(), options, reason))
                                   return std::nullopt;
                               return Unchanged(texts::kCannotReplace, reason);
                           });
}

} // namespace

RestoreResult RestoreDatabase(const std::string& archivePath, const DatabaseLocation& database,
                              const BackupOptions& options) {
    if (database.engine == DbEngine::PostgreSQL)
        return RestoreServerRegister(archivePath, database.target, options);
    return RestoreDatabase(archivePath, database.target, options);
}

RestoreResult RestoreDatabase(const std::string& archivePath, const std::string& databasePath,
                              const BackupOptions& options) {
    const fs::path live = databasePath;
    const fs::path folder = live.parent_path().empty() ? fs::path(".") : live.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return Fail(Unchanged(texts::kNoDatabaseFolder, folder.string()));

    return CheckAskReplace(archivePath, live, options, [&](WorkFile& copy) {
        return ReplaceLiveDatabase(live, copy, options);
    });
}

} // namespace hv
