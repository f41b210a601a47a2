#pragma once

#include "backup/BackupOptions.h"
#include "data/DatabaseLocation.h"

#include <string>

namespace hv {

enum class RestoreOutcome {
    Restored, // the live database has been replaced
    Declined, // the operator answered No; nothing changed
    Failed,   // nothing changed; the operator has been told why
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Failed;
    std::string message; // what the operator was told on failure
};

// Replaces the database at databasePath with the one in a backup archive, so that the next
// start of the program uses the restored data.
//
// 1. The archive's first entry must be named exactly "DataBase.mdb"; it is extracted beside
//    the live file (same folder, so the same file system), every byte read through and
//    checked against the entry's size and checksum.
// 2. The copy must be a database of ours: every table with its columns, and a clean
//    integrity check.
// 3. Only then is the operator asked (string 61246). Nothing has changed before the answer
//    Yes; No removes the copy.
// 4. Replacement: any committed change still in the live database's write-ahead log is
//    folded into the file, so the log and its index carry nothing; they and any rollback
//    journal are removed so they can never be replayed onto the restored file; then the
//    copy is renamed over the live file, which is atomic: at every moment the path holds
//    either the old database or the new one.
//
// Whatever fails at whatever step, the work file is removed, the live database is left as
// it was, and the operator is told through the message sink. "Restore finished! …" is for
// the caller to show.
//
// Other connections: the program keeps no connection open beyond one operation, so none is
// open while its modal restore runs. Another process (halvoret-admin restore running while
// the program is in use) holding the database in a transaction makes the restore wait up
// to options.busyTimeout and then fail with "in use"; an idle connection another process
// keeps open goes on with the old file, which no longer has a name, so what it writes
// afterwards is lost. Run the command-line restore while the program is closed.
RestoreResult RestoreDatabase(const std::string& archivePath, const std::string& databasePath,
                              const BackupOptions& options = {});

// The same for the configured register. On a server the archive's database is extracted to
// the temporary folder and checked as above; after the answer Yes every row of the server
// register is replaced by the copy's in one transaction (ServerRegister.h), so any failure
// leaves the register as it was. Other stations go on working and see the restored rows
// from then on.
RestoreResult RestoreDatabase(const std::string& archivePath, const DatabaseLocation& database,
                              const BackupOptions& options = {});

} // namespace hv
