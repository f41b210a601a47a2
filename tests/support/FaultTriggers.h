#pragma once

#include "data/DatabaseLocation.h"
#include "data/OperatorTexts.h"

#include <cctype>
#include <string>

namespace hv::test {

// Triggers that make the database refuse a write, as a full disk or a row another program
// keeps would: the real engine fails the statement, nothing is simulated in the program.
// Each returns a script for CAdoDb::ExecuteScript.

// Every `event` ("INSERT", "UPDATE" or "DELETE") on table fails with message, while the
// condition on NEW or OLD holds (always when empty). Only the statement fails; an open
// transaction goes on.
inline std::string RefusingTrigger(DbEngine engine, const std::string& name,
                                   const std::string& event, const std::string& table,
                                   const std::string& message, const std::string& condition = "") {
    if (engine == DbEngine::SQLite)
        return "CREATE TRIGGER " + name + " BEFORE " + event + " ON " + table +
               (condition.empty() ? "" : " WHEN " + condition) + " BEGIN SELECT RAISE(ABORT, '" +
               message + "'); END";
    return "CREATE FUNCTION " + name + "() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE " +
           "EXCEPTION '" + message + "'; END$$; CREATE TRIGGER " + name + " BEFORE " + event +
           " ON " + table + " FOR EACH ROW " +
           (condition.empty() ? "" : "WHEN (" + condition + ") ") + "EXECUTE FUNCTION " + name +
           "()";
}

// Every `event` on table ends the whole transaction, as a failure the engine treats as fatal:
// the file's RAISE(ROLLBACK), on the server the connection ending under the statement.
inline std::string EndingTrigger(DbEngine engine, const std::string& name, const std::string& event,
                                 const std::string& table, const std::string& message) {
    if (engine == DbEngine::SQLite)
        return "CREATE TRIGGER " + name + " BEFORE " + event + " ON " + table +
               " BEGIN SELECT RAISE(ROLLBACK, '" + message + "'); END";
    return "CREATE FUNCTION " + name +
           "() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN PERFORM "
           "pg_terminate_backend(pg_backend_pid()); RETURN NEW; END$$; CREATE TRIGGER " +
           name + " BEFORE " + event + " ON " + table + " FOR EACH ROW EXECUTE FUNCTION " + name +
           "()";
}

// Removes a trigger made by RefusingTrigger or EndingTrigger.
inline std::string DropTrigger(DbEngine engine, const std::string& name, const std::string& table) {
    if (engine == DbEngine::SQLite)
        return "DROP TRIGGER " + name;
    return "DROP TRIGGER " + name + " ON " + table + "; DROP FUNCTION " + name + "()";
}

// The engine's words for a query of a table that is not there.
inline std::string NoSuchTableText(DbEngine engine, const std::string& table) {
    if (engine == DbEngine::SQLite)
        return "no such table: " + table;
    std::string lower;
    for (char c : table)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return "relation \"" + lower + "\" does not exist";
}

// What the operator is told when an EndingTrigger fires.
inline std::string EndingText(DbEngine engine, const std::string& message) {
    return engine == DbEngine::SQLite ? message : std::string(texts::kServerConnectionLost);
}

} // namespace hv::test
