#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hv {

// Where the register lives: the embedded SQLite file (one station, nothing to set up) or a
// PostgreSQL server that several stations share.
enum class DbEngine { SQLite, PostgreSQL };

struct DatabaseLocation {
    DbEngine engine = DbEngine::SQLite;
    std::string target; // the file path, or the server's connection URI
};

// The file the program uses when nothing else is configured, relative to the working folder.
inline constexpr const char* kLocalDatabasePath = "DataBase/DataBase.mdb";
// The environment variable that names the register, ahead of halvoret.ini.
inline constexpr const char* kDatabaseEnvironment = "HALVORET_DATABASE";
// The entry of halvoret.ini that names the register.
inline constexpr const char* kDatabaseSection = "Database";
inline constexpr const char* kDatabaseUrlKey = "Url";

// A libpq connection URI ("postgresql://..." or "postgres://...") names a server; anything
// else is a file path.
bool IsServerUrl(std::string_view text);
DatabaseLocation LocationOf(std::string_view text);

// HALVORET_DATABASE when set and not empty, else the [Database] Url= entry of halvoret.ini in
// the working folder, else DataBase/DataBase.mdb. Read at every call, so a changed setting
// counts from the next operation on.
DatabaseLocation ConfiguredDatabase();

// How the operator sees the register in use: the file path, or the database and its host
// ("halvoret on db.example.org:5432"). A password in the URI never appears.
std::string DescribeDatabase(const DatabaseLocation& location);

// Checks that a server URI is one libpq accepts; nullopt when it is, otherwise the reason.
std::optional<std::string> ServerUrlProblem(std::string_view url);
// Whether a server URI carries a password (which is never to be stored).
bool UrlHoldsPassword(std::string_view url);

} // namespace hv
