#include "AdminCommands.h"
#include "common/StationSettings.h"
#include "data/AdoDb.h"
#include "data/DatabaseLocation.h"
#include "data/SchemaCheck.h"

#include <cstdlib>
#include <iostream>

namespace {

void PrintUsage() {
    std::cerr << "usage: halvoret-admin connect URL\n"
                 "       halvoret-admin connect --local\n";
}

// The register must be whole and this role must be able to read every table of it (the
// server checks the right when a query starts, so reading no row is enough).
bool CheckRegister(const std::string& url) {
    hv::CAdoDb db;
    const std::string where = hv::DescribeDatabase(hv::LocationOf(url));
    if (!OpenServerRegister(db, url))
        return false;
    if (const auto problem = hv::SchemaProblem(db)) {
        std::cerr << "halvoret-admin: " << where << " does not hold the register: " << *problem
                  << ". Create it with halvoret-admin init-db URL or migrate FILE URL.\n";
        return false;
    }
    for (const char* table :
         {"GroupList", "Examer", "MeasData", "ReportValueAll", "ReportList", "Product", "SetValue"})
        if (!db.Execute(std::string("SELECT * FROM ") + table + " LIMIT 0")) {
            std::cerr << "halvoret-admin: " << where << " refused to let this role read the "
                      << "register: " << db.LastError() << '\n';
            return false;
        }
    return true;
}

bool WriteUrl(std::optional<std::string_view> url) {
    std::string error;
    if (!hv::WriteStationSetting(hv::kDatabaseSection, hv::kDatabaseUrlKey, url, error)) {
        std::cerr << "halvoret-admin: " << error << '\n';
        return false;
    }
    return true;
}

void WarnAboutEnvironment() {
    if (const char* named = std::getenv(hv::kDatabaseEnvironment); named && *named)
        std::cerr << "halvoret-admin: note: " << hv::kDatabaseEnvironment
                  << " is set in this environment and names the register ahead of "
                  << hv::kStationSettingsFile << ".\n";
}

} // namespace

bool OpenServerRegister(hv::CAdoDb& db, const std::string& url) {
    db.KeepFailures(true);
    if (db.Open(url))
        return true;
    std::cerr << "halvoret-admin: cannot connect to " << hv::DescribeDatabase(hv::LocationOf(url))
              << ": " << db.LastError() << '\n';
    return false;
}

int RunConnect(const AdminArgs& args) {
    if (args.size() != 1) {
        PrintUsage();
        return 2;
    }
    if (args[0] == "--local") {
        if (!WriteUrl(std::nullopt))
            return 1;
        std::cout << hv::kStationSettingsFile << " names no server: this station uses "
                  << hv::kLocalDatabasePath << " again.\n";
        WarnAboutEnvironment();
        return 0;
    }
    const std::string& url = args[0];
    if (const auto problem = hv::ServerUrlProblem(url)) {
        std::cerr << "halvoret-admin: " << url << " is not a database URL (" << *problem
                  << "). Write it as postgresql://ROLE@HOST/DATABASE, for example "
                     "postgresql://station@server/halvoret?sslmode=verify-full\n";
        return 2;
    }
    if (hv::UrlHoldsPassword(url)) {
        std::cerr << "halvoret-admin: the URL holds a password, and passwords are never "
                     "stored. Leave it out: the program asks for it, or libpq finds it in "
                     "~/.pgpass.\n";
        return 2;
    }
    if (!CheckRegister(url) || !WriteUrl(url))
        return 1;
    std::cout << hv::kStationSettingsFile << " now names "
              << hv::DescribeDatabase(hv::LocationOf(url))
              << ": this station uses it from the program's next start.\n";
    WarnAboutEnvironment();
    return 0;
}
