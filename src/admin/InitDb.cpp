#include "AdminCommands.h"
#include "data/AdoDb.h"
#include "data/DatabaseLocation.h"
#include "data/DeliveredDatabase.h"
#include "data/SchemaCheck.h"
#include "data/StationRights.h"

#include <iostream>

namespace {

void PrintUsage() {
    std::cerr << "usage: halvoret-admin init-db PATH\n"
                 "       halvoret-admin init-db URL [--station-role NAME]\n";
}

// On a register that exists only the rights are granted, so a role can be added later.
int GrantRights(const std::string& url, const std::string& role) {
    hv::CAdoDb db;
    db.KeepFailures(true);
    std::string error;
    if (!db.Open(url)) {
        std::cerr << "halvoret-admin: " << db.LastError() << '\n';
        return 1;
    }
    if (const auto problem = hv::SchemaProblem(db)) {
        std::cerr << "halvoret-admin: " << *problem << '\n';
        return 1;
    }
    if (!hv::GrantStationRights(db, role, error)) {
        std::cerr << "halvoret-admin: the rights of " << role << " were not granted: " << error
                  << '\n';
        return 1;
    }
    std::cout << "granted " << role << " the rights of a station on "
              << hv::DescribeDatabase(hv::LocationOf(url)) << '\n';
    return 0;
}

bool HoldsTables(const std::string& url) {
    hv::CAdoDb db;
    db.KeepFailures(true);
    if (!db.Open(url))
        return false;
    const auto tables = hv::ExistingTables(db);
    return tables && !tables->empty();
}

} // namespace

int RunInitDb(const AdminArgs& args) {
    std::string target, role;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--station-role" && i + 1 < args.size() && role.empty()) {
            role = args[++i];
        } else if (target.empty() && !args[i].starts_with("--")) {
            target = args[i];
        } else {
            PrintUsage();
            return 2;
        }
    }
    const bool server = hv::IsServerUrl(target);
    if (target.empty() || (!role.empty() && !server)) {
        PrintUsage();
        return 2;
    }
    if (server) {
        if (const auto problem = hv::ServerUrlProblem(target)) {
            std::cerr << "halvoret-admin: " << target << " is not a database URL (" << *problem
                      << ")\n";
            return 2;
        }
    }
    // A register made earlier may still get a station role.
    if (server && !role.empty() && HoldsTables(target))
        return GrantRights(target, role);
    std::string error;
    if (!hv::CreateDeliveredDatabase(target, error)) {
        std::cerr << "halvoret-admin: " << error << '\n';
        return 1;
    }
    std::cout << "created the register in " << hv::DescribeDatabase(hv::LocationOf(target)) << '\n';
    return role.empty() ? 0 : GrantRights(target, role);
}
