#pragma once

#include "backup/BackupOptions.h"

#include <string>

namespace hv {

// Writes the backup archive of a database: a zip file at archivePath with one entry,
// "DataBase.mdb", holding a consistent snapshot of the database at databasePath. The
// snapshot is taken through the engine's online backup, so rows committed by another
// connection are in it and a transaction still open is not; the database is checked
// before it is packed, so every archive made is one that restores.
//
// The archive is built beside its target and renamed into place only when complete: an
// existing archive of that name is replaced in one step, or, when anything fails, left as
// it was. No work file stays behind. A failure is shown through the message sink and
// returned; "Backup finished!" is for the caller to show.
BackupResult BackupDatabase(const std::string& databasePath, const std::string& archivePath,
                            const BackupOptions& options = {});

} // namespace hv
