#pragma once

#include "data/AdoDb.h"

#include <optional>
#include <string>
#include <vector>

namespace hv {

// Reading back which of our tables an open database holds, on either engine.

// The columns of a table in the open database, in order (the server's names in lower case);
// empty when there is no such table. nullopt when the catalogue could not be read (the
// wrapper has shown or kept why).
std::optional<std::vector<std::string>> ReadTableColumns(CAdoDb& db, const std::string& table);

// The tables of ours that the open database holds, in schema order; nullopt as above.
std::optional<std::vector<std::string>> ExistingTables(CAdoDb& db);

// nullopt when every table of ours is there with its columns in order; otherwise what is
// wrong, in a sentence part ("the table Examer is missing").
std::optional<std::string> SchemaProblem(CAdoDb& db);

} // namespace hv
