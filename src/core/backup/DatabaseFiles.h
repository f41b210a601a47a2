#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace hv {

// Whole-file operations on database files, beneath the backup and the restore.

// Copies a consistent snapshot of the database at source into the empty file destination,
// through the engine's online backup: every row committed when the copy starts, none of a
// transaction still open, and no half-written page, even while other connections use the
// database. onProgress gets the share copied so far. The reason of a failure is prefixed
// so the caller can tell a source it cannot read from a destination it cannot write.
bool SnapshotDatabase(const std::filesystem::path& source, const std::filesystem::path& destination,
                      const std::function<void(double)>& onProgress, std::string& error);

// True when path holds a database of ours: the engine's file format, every table with its
// columns in order, and a clean integrity check. Otherwise false with the reason.
bool CheckRestorableDatabase(const std::filesystem::path& path, std::string& error);

enum class SettleResult {
    Settled,    // no log left to replay, or no file at all
    Unreadable, // not a database the engine can open; there is nothing to keep
    InUse,      // another connection kept its hold longer than the wait allowed
};

// Folds every committed change of the database's write-ahead log into the file itself and
// empties the log, so the companions beside the file carry nothing that could be lost or
// replayed onto another file.
SettleResult SettleDatabase(const std::filesystem::path& path,
                            std::chrono::milliseconds busyTimeout, std::string& error);

} // namespace hv
