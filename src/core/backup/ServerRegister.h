#pragma once

#include "backup/BackupOptions.h"

#include <filesystem>
#include <functional>
#include <string>

namespace hv {

// Backup and restore of a register on a server. The archive holds a database file in every
// case, so a backup taken on one engine restores on the other.

// Writes every table and row of the server register into the empty file `file`, as one
// REPEATABLE READ READ ONLY transaction sees them: rows other stations commit meanwhile are
// not in it, and no half of a transaction is. The key counters go with the rows.
bool SnapshotServerRegister(const std::string& url, const std::filesystem::path& file,
                            const std::function<void(double)>& onProgress, std::string& error);

// Replaces every row of the server register by the rows of a checked database file, in one
// transaction holding the register's write lock: when anything fails, nothing has changed.
// The key counters never go back, so no key given out before is given again.
bool ReplaceServerRegister(const std::string& url, const std::filesystem::path& file,
                           const BackupOptions& options, std::string& error);

} // namespace hv
