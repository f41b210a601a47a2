#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The commands of halvoret-admin. Each takes its arguments (after the command name) and
// returns the process exit status: 0 only on success. Messages go to stdout, failures to
// stderr.
using AdminArgs = std::vector<std::string>;

struct AdminCommand {
    const char* name;
    const char* usage;   // the arguments, for the help text
    const char* summary; // one line
    int (*run)(const AdminArgs& args);
};

int RunInitDb(const AdminArgs& args);
int RunConnect(const AdminArgs& args);
int RunMigrate(const AdminArgs& args);
int RunAnalyze(const AdminArgs& args);
int RunBackup(const AdminArgs& args);
int RunRestore(const AdminArgs& args);
int RunImportPersons(const AdminArgs& args);
int RunExport(const AdminArgs& args);
int RunPdf(const AdminArgs& args);

namespace hv {
class CAdoDb;
class CAnalysisRun;
} // namespace hv

// Opens the database at url for a command, keeping its failures; false (the reason on
// stderr) when it cannot be reached.
bool OpenServerRegister(hv::CAdoDb& db, const std::string& url);
// Runs the analysis of a test as "Get Report" does. False when it could not start (the
// reason is on stderr).
bool AnalyseTest(hv::CAnalysisRun& run, std::int32_t measId);

// A test's key as typed: a whole positive number and nothing else.
bool ParseMeasId(const std::string& text, std::int32_t& measId);
