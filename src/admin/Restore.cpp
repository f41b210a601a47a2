#include "AdminCommands.h"
#include "backup/DatabaseRestore.h"
#include "data/DatabaseLocation.h"
#include "data/MessageSink.h"

#include <iostream>

namespace {

// The operator confirmed on the command line: the replacement question is answered Yes,
// and messages still reach the terminal.
class ConfirmedSink final : public hv::MessageSink {
public:
    ConfirmedSink() : m_previous(hv::SetMessageSink(this)) {}
    ~ConfirmedSink() override { hv::SetMessageSink(m_previous); }
    ConfirmedSink(const ConfirmedSink&) = delete;
    ConfirmedSink& operator=(const ConfirmedSink&) = delete;

    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
    bool AskYesNo(const std::string& text) override {
        std::cerr << text << " [Yes: --yes given]\n";
        return true;
    }

private:
    hv::MessageSink* m_previous;
};

void PrintUsage() {
    std::cerr << "usage: halvoret-admin restore --yes ZIP\n";
}

} // namespace

int RunRestore(const AdminArgs& args) {
    bool confirmed = false;
    std::string archive;
    for (const std::string& arg : args) {
        if (arg == "--yes") {
            confirmed = true;
        } else if (archive.empty() && !arg.starts_with("--")) {
            archive = arg;
        } else {
            PrintUsage();
            return 2;
        }
    }
    if (archive.empty()) {
        PrintUsage();
        return 2;
    }
    const hv::DatabaseLocation database = hv::ConfiguredDatabase();
    const std::string where = hv::DescribeDatabase(database);
    if (!confirmed) {
        std::cerr << "halvoret-admin: restore replaces " << where << " with the database in "
                  << archive << "; nothing was changed. Run it again with --yes to confirm.\n";
        return 2;
    }
    ConfirmedSink sink;
    const hv::RestoreResult result = hv::RestoreDatabase(archive, database);
    if (result.outcome != hv::RestoreOutcome::Restored)
        return 1;
    std::cout << "Restore finished: " << where << " now holds the database of " << archive << ".\n";
    return 0;
}
