#pragma once

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
