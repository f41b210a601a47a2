#include "AdminCommands.h"
#include "data/AdoDb.h"
#include "data/DatabaseLocation.h"
#include "data/DeliveredDatabase.h"
#include "data/RegisterCopy.h"
#include "data/SchemaCheck.h"

#include <filesystem>
#include <iostream>

namespace {

bool OpenSource(hv::CAdoDb& db, const std::string& file) {
    db.KeepFailures(true);
    if (!std::filesystem::is_regular_file(file)) {
        std::cerr << "halvoret-admin: there is no database file " << file << '\n';
        return false;
    }
    if (!db.Open(file)) {
        std::cerr << "halvoret-admin: " << db.LastError() << '\n';
        return false;
    }
    if (const auto problem = hv::SchemaProblem(db)) {
        std::cerr << "halvoret-admin: " << file << " is not a register: " << *problem << '\n';
        return false;
    }
    return true;
}

bool OpenEmptyTarget(hv::CAdoDb& db, const std::string& url) {
    const std::string where = hv::DescribeDatabase(hv::LocationOf(url));
    if (!OpenServerRegister(db, url))
        return false;
    const auto tables = hv::ExistingTables(db);
    if (!tables) {
        std::cerr << "halvoret-admin: " << db.LastError() << '\n';
        return false;
    }
    if (!tables->empty()) {
        std::cerr << "halvoret-admin: refusing to migrate into " << where
                  << ": it already holds tables of the register (" << tables->front()
                  << " ...); migrate needs an empty database\n";
        return false;
    }
    return true;
}

} // namespace

int RunMigrate(const AdminArgs& args) {
    if (args.size() != 2 || hv::IsServerUrl(args[0]) || !hv::IsServerUrl(args[1])) {
        std::cerr << "usage: halvoret-admin migrate FILE URL\n";
        return 2;
    }
    const std::string& file = args[0];
    const std::string& url = args[1];
    if (const auto problem = hv::ServerUrlProblem(url)) {
        std::cerr << "halvoret-admin: " << url << " is not a database URL (" << *problem << ")\n";
        return 2;
    }
    hv::CAdoDb source, target;
    if (!OpenSource(source, file) || !OpenEmptyTarget(target, url))
        return 1;
    // One transaction on the server: every table and row, or nothing.
    std::string error;
    std::vector<hv::CopiedTable> copied;
    const bool done = source.Execute("BEGIN") && target.Execute("BEGIN") &&
                      hv::CreateRegisterTables(target, error) &&
                      hv::CopyRegister(source, target, copied, error) && target.Execute("COMMIT");
    if (!done) {
        std::cerr << "halvoret-admin: the migration failed, nothing was written: "
                  << (error.empty() ? target.LastError() : error) << '\n';
        return 1;
    }
    source.Execute("ROLLBACK");
    std::int64_t rows = 0;
    for (const hv::CopiedTable& table : copied) {
        std::cout << table.table << ": " << table.rows << " rows\n";
        rows += table.rows;
    }
    std::cout << "migrated " << file << " to " << hv::DescribeDatabase(hv::LocationOf(url)) << ": "
              << copied.size() << " tables, " << rows << " rows, every key kept\n";
    return 0;
}
