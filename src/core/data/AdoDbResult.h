#pragma once

#include "data/AdoDb.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hv {

// What one statement gave back, whichever engine ran it.
struct CAdoDb::Result {
    std::vector<std::string> names;
    std::vector<std::vector<DbValue>> rows;
    std::int64_t insertKey = 0; // the file's row id of the latest insert
};

// Whether a server connection is inside a usable transaction.
bool ServerInTransaction(pg_conn* conn);

} // namespace hv
