#pragma once

#include "data/AdoDb.h"

#include <string>

namespace hv {

// Grants a server role what a station's program needs on the register in the open server
// database, and nothing more: reading every table; adding, changing and deleting groups and
// persons; adding and deleting tests; adding value rows (never changed or deleted);
// replacing a test's summary rows; changing only the settings columns the settings windows
// edit. Creating or dropping tables, changing the delivered rows otherwise, and a restore
// stay with the register's owner. The role must exist. False with the server's reason.
bool GrantStationRights(CAdoDb& db, const std::string& role, std::string& error);

} // namespace hv
