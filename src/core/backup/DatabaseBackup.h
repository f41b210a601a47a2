#pragma once

#include "backup/BackupOptions.h"
#include "data/DatabaseLocation.h"

#include <string>

namespace hv {

struct BackupResult {
    bool ok = false;      // the archive has been written
    bool damaged = false; // ... but the database in it failed its check
    std::string message;  // what the operator was told: why it failed, or the damage
};

// Writes the backup archive of a database: a zip file at archivePath with one entry,
// "DataBase.mdb", holding a consistent snapshot of the database at databasePath. The
// snapshot is taken through the engine's online backup, so rows committed by another
// connection are in it and a transaction still open is not. The snapshot is checked before
// it is packed: a database that fails the check (a damaged file) is packed all the same,
// since a copy is worth most exactly then, and the operator is told plainly that the
// archive holds a damaged database that a restore will refuse. A target that is the
// database itself or one of the files beside it is refused before anything is written.
//
// The archive is built beside its target and renamed into place only when complete: an
// existing archive of that name is replaced in one step, or, when anything fails, left as
// it was. No work file stays behind. A failure is shown through the message sink and
// returned; "Backup finished!" is for the caller to show.
//
// A register on a server is packed the same way: its rows, as one REPEATABLE READ READ ONLY
// transaction sees them, are written into a new database file first (ServerRegister.h).
BackupResult BackupDatabase(const DatabaseLocation& database, const std::string& archivePath,
                            const BackupOptions& options = {});
// The database file at databasePath.
BackupResult BackupDatabase(const std::string& databasePath, const std::string& archivePath,
                            const BackupOptions& options = {});

} // namespace hv
