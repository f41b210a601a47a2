// halvoret-admin: the operator's command-line companion for scripts and scheduled jobs.
// It works in the current folder like the program itself (DataBase/DataBase.mdb, Reports/).

#include "AdminCommands.h"
#include "data/MessageSink.h"

#include <array>
#include <iostream>
#include <string_view>

namespace {

constexpr std::array kCommands{
    AdminCommand{"init-db", "PATH",
                 "create the delivered database file (never overwrites an existing file)",
                 &RunInitDb},
    AdminCommand{"analyze", "MEASID",
                 "analyse a test: write its report pages to Reports/ and its summary rows",
                 &RunAnalyze},
    AdminCommand{"backup", "ZIP",
                 "write a backup archive of DataBase/DataBase.mdb (an existing ZIP is replaced "
                 "only once the new one is complete)",
                 &RunBackup},
    AdminCommand{"restore", "--yes ZIP",
                 "replace DataBase/DataBase.mdb by the database in a backup archive; --yes "
                 "confirms the replacement (run it while the program is closed)",
                 &RunRestore},
    AdminCommand{"import-persons", "[--create-group] [--dry-run] GROUP FILE",
                 "import the persons of a CSV file into a group (its name, or # and its "
                 "GroupID): every row, or none when any row is not valid",
                 &RunImportPersons},
    AdminCommand{"export", "persons GROUP FILE | results MEASID FILE | summary GROUP FILE",
                 "write a CSV file: a group's persons, a test's results, or the latest "
                 "results of a group's persons",
                 &RunExport},
};

void PrintUsage(std::ostream& out) {
    out << "usage: halvoret-admin COMMAND [ARGS]\n\ncommands:\n";
    for (const AdminCommand& c : kCommands)
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

// Messages of the core reach the terminal; questions are answered No so that nothing
// destructive happens without the operator's explicit command.
class TerminalSink final : public hv::MessageSink {
public:
    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
    bool AskYesNo(const std::string& text) override {
        std::cerr << text << " [answered No]\n";
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    TerminalSink sink;
    hv::SetMessageSink(&sink);
    for (const AdminCommand& c : kCommands)
        if (name == c.name)
            return c.run(AdminArgs(argv + 2, argv + argc));
    std::cerr << "halvoret-admin: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return 2;
}
