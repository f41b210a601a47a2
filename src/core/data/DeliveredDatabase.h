#pragma once

#include <string>

namespace hv {

class CAdoDb;

// Creates every table, index and trigger of the register, without rows, in the open
// database (inside the caller's transaction). False with the engine's reason.
bool CreateRegisterTables(CAdoDb& db, std::string& error);

// Writes the database the program is delivered with: every table, index and trigger, the 40
// reports, two advice texts per report and the one settings row.
// - A file path: refuses to touch an existing file; the file appears at path only when it
//   is complete.
// - A server URI: writes into an existing, empty server database in one transaction;
//   refuses a database that already holds any table of ours.
// Returns false with a reason in error.
bool CreateDeliveredDatabase(const std::string& pathOrUrl, std::string& error);

// Runs the engine's integrity check on a database file; true when it reports "ok".
bool CheckDatabaseIntegrity(const std::string& path, std::string& error);

} // namespace hv
