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
    AdminCommand{"pdf", "MEASID FILE.pdf",
                 "analyse a test and write the composite report and all its reports into one "
                 "PDF file, with header, footer and page numbers (an existing FILE is replaced "
                 "only once the new one is complete)",
                 &RunPdf},
    AdminCommand{"backup", "ZIP",
                 "write a backup archive of DataBase/DataBase.mdb (an existing ZIP is replaced "
                 "only once the new one is complete); a damaged database is packed all the "
                 "same, with a warning and exit status 3",
                 &RunBackup},
    AdminCommand{"restore", "--yes ZIP",
                 "replace DataBase/DataBase.mdb by the database in a backup archive; --yes "
                 "confirms the replacement (run it while the program is closed)",
                 &RunRestore},
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
