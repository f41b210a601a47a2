#include "AdminCommands.h"
#include "backup/DatabaseBackup.h"
#include "data/DatabaseLocation.h"
#include "data/StringTable.h"

#include <iostream>

int RunBackup(const AdminArgs& args) {
    if (args.size() != 1) {
        std::cerr << "usage: halvoret-admin backup ZIP\n";
        return 2;
    }
    // A failure, or the damage of a database packed all the same, has been printed by the
    // message sink.
    const hv::BackupResult result = hv::BackupDatabase(hv::ConfiguredDatabase(), args[0]);
    if (!result.ok)
        return 1;
    if (result.damaged)
        return 3;
    std::cout << hv::LoadString(hv::ids::BackupFinished) << '\n';
    return 0;
}
