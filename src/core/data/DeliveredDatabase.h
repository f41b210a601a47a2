#pragma once

#include <string>

namespace hv {

// Writes the database file the program is delivered with: every table, index and trigger,
// the 40 reports, two advice texts per report and the one settings row. Refuses to touch
// an existing file. The file appears at path only when it is complete.
// Returns false with a reason in error.
bool CreateDeliveredDatabase(const std::string& path, std::string& error);

// Runs the engine's integrity check on a database file; true when it reports "ok".
bool CheckDatabaseIntegrity(const std::string& path, std::string& error);

} // namespace hv
