#include "data/SchemaCheck.h"

#include "data/Schema.h"

#include <algorithm>
#include <cctype>

namespace hv {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The columns a table must have on the engine of db, in order.
std::vector<std::string> ExpectedColumns(const CAdoDb& db, const TableDef& table) {
    std::vector<std::string> names;
    for (const ColumnDef& column : table.columns)
        names.push_back(column.name);
    if (db.IsServer() && table.name == kSummaryTable)
        names.emplace_back(kInsertionOrderColumn);
    return names;
}

} // namespace

std::optional<std::vector<std::string>> ReadTableColumns(CAdoDb& db, const std::string& table) {
    // The server's own catalogue, which every role may read, in the schemas of the search
    // path (the register's tables are found as the program's statements find them).
    const char* sql = db.IsServer()
                          ? "SELECT a.attname AS name FROM pg_catalog.pg_attribute a WHERE "
                            "a.attrelid = to_regclass(lower(?)) AND a.attnum > 0 AND NOT "
                            "a.attisdropped ORDER BY a.attnum"
                          : "SELECT name FROM pragma_table_info(?) ORDER BY cid";
    if (!db.OpenRecordset(sql, {table}))
        return std::nullopt;
    std::vector<std::string> names;
    for (; !db.IsEOF(); db.MoveNext())
        names.push_back(db.GetText("name"));
    db.CloseRecordset();
    return names;
}

std::optional<std::vector<std::string>> ExistingTables(CAdoDb& db) {
    std::vector<std::string> found;
    for (const TableDef& table : SchemaTables()) {
        const auto columns = ReadTableColumns(db, table.name);
        if (!columns)
            return std::nullopt;
        if (!columns->empty())
            found.push_back(table.name);
    }
    return found;
}

std::optional<std::string> SchemaProblem(CAdoDb& db) {
    for (const TableDef& table : SchemaTables()) {
        const auto columns = ReadTableColumns(db, table.name);
        if (!columns)
            return "the tables cannot be read (" + db.LastError() + ")";
        if (columns->empty())
            return "the table " + table.name + " is missing";
        const std::vector<std::string> expected = ExpectedColumns(db, table);
        if (!std::equal(columns->begin(), columns->end(), expected.begin(), expected.end(),
                        SameName))
            return "the table " + table.name + " does not have the expected columns";
    }
    return std::nullopt;
}

} // namespace hv
