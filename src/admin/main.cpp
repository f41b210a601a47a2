// halvoret-admin: the operator's command-line companion for scripts and scheduled jobs.
// It works in the current folder like the program itself (the register that
// HALVORET_DATABASE or halvoret.ini names, else DataBase/DataBase.mdb; Reports/).

#include "AdminCommands.h"
#include "TerminalPrompt.h"
#include "common/Version.h"
#include "data/MessageSink.h"

#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

constexpr std::array kCommands{
    AdminCommand{"init-db", "PATH | URL [--station-role NAME]",
                 "create the delivered database: a new file (never overwrites one), or the "
                 "tables and rows in an empty server database; --station-role grants a server "
                 "role the rights a station needs (also on a register made earlier)",
                 &RunInitDb},
    AdminCommand{"connect", "URL | --local",
                 "check that a server holds the register and this role can read it, then "
                 "write its URL to halvoret.ini; --local goes back to DataBase/DataBase.mdb",
                 &RunConnect},
    AdminCommand{"migrate", "FILE URL",
                 "copy the register of a database file into an empty server database in one "
                 "transaction, every key kept, every table's row count checked",
                 &RunMigrate},
    AdminCommand{"analyze", "MEASID",
                 "analyse a test: write its report pages to Reports/ and its summary rows",
                 &RunAnalyze},
    AdminCommand{"pdf", "MEASID FILE.pdf",
                 "analyse a test and write the composite report and all its reports into one "
                 "PDF file, with header, footer and page numbers (an existing FILE is replaced "
                 "only once the new one is complete)",
                 &RunPdf},
    AdminCommand{"backup", "ZIP",
                 "write a backup archive of the register (an existing ZIP is replaced only "
                 "once the new one is complete); a damaged database is packed all the same, "
                 "with a warning and exit status 3",
                 &RunBackup},
    AdminCommand{"restore", "--yes ZIP",
                 "replace the register by the database in a backup archive; --yes confirms the "
                 "replacement (run it while the program is closed)",
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

// One entry of the help: the tag, then its text wrapped beside it (or below it, when the
// tag is too long to leave room), the way manual-page tools read an option list.
void PrintEntry(std::ostream& out, std::string_view tag, std::string_view text) {
    constexpr std::size_t kTextColumn = 24, kWidth = 80;
    const std::string indent(kTextColumn, ' ');
    const std::string head = "  " + std::string(tag);
    out << head;
    if (head.size() + 2 <= kTextColumn)
        out << std::string(kTextColumn - head.size(), ' ');
    else
        out << '\n' << indent;
    std::size_t column = kTextColumn;
    bool first = true;
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word; first = false) {
        if (!first && column + 1 + word.size() > kWidth) {
            out << '\n' << indent;
            column = kTextColumn;
        } else if (!first) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
    }
    out << '\n';
}

void PrintUsage(std::ostream& out) {
    out << "Usage: halvoret-admin COMMAND [ARGS]\n"
           "The command-line companion of Halvoret, for operators and scripts. It works in\n"
           "the current folder like the program itself (DataBase/DataBase.mdb, Reports/).\n"
           "\nCommands:\n";
    for (const AdminCommand& c : kCommands)
        PrintEntry(out, std::string(c.name) + ' ' + c.usage, c.summary);
    PrintEntry(out, "--help", "show this help and exit");
    PrintEntry(out, "--version", "show the version and exit");
    out << "\nExit status:\n"
           "  0 on success, 1 when the command failed (the reason is printed), 2 for a\n"
           "  command line that is not understood; a backup of a damaged database that\n"
           "  was written all the same ends with 3.\n";
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
    if (name == "--version") {
        std::cout << "halvoret-admin " << hv::ProgramVersion() << '\n';
        return 0;
    }
    TerminalSink sink;
    hv::SetMessageSink(&sink);
    TerminalPasswordPrompt prompt;
    hv::SetPasswordPrompt(&prompt);
    for (const AdminCommand& c : kCommands)
        if (name == c.name)
            return c.run(AdminArgs(argv + 2, argv + argc));
    std::cerr << "halvoret-admin: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return 2;
}
