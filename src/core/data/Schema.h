#pragma once

#include "data/DatabaseLocation.h"
#include "data/DbValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The tables and columns of the database, in the column order of the delivered file. The
// program itself never creates a table: this description serves the admin tool that
// writes the delivered database, and the checks that a database is one of ours.
//
// Both engines hold the same tables, columns, keys and indexes. On the server the names are
// unquoted, so it folds them to lower case; field lookups ignore letter case. Autonumbers
// are identity columns there, dates double precision, and text compares and sorts byte by
// byte as in the file. ReportValueAll has one more column on the server, rowid, the
// insertion order the file keeps by itself.

enum class ColumnKind {
    Key,        // autonumber primary key: assigned on insert, never reused
    Long,       // 32-bit integer
    YesNo,      // -1 for yes, 0 for no, whatever a statement writes
    Date,       // automation date
    Double,     // floating point
    Text,       // text of any length
    UniqueText, // text, not null, one row per value
    UniqueLong, // integer, not null, one row per value
};

struct ColumnDef {
    std::string name;
    ColumnKind kind;
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
};

// The column that keeps the insertion order of ReportValueAll ("ORDER BY rowid" on both
// engines: the file's own row id, a column of that name on the server).
inline constexpr const char* kInsertionOrderColumn = "rowid";
inline constexpr const char* kSummaryTable = "ReportValueAll";

// The report numbers whose values have a table: 1..39 and 99.
const std::vector<int>& ValueReportNumbers();
// "ReportValue%02d".
std::string ValueTableName(int reportNumber);
// How many value columns a report's table has (0 for an unknown number).
int ValueColumnCount(int reportNumber);
// "Value%02d" of a 1-based item number.
std::string ValueColumnName(int item);

// All 47 tables, in creation order.
const std::vector<TableDef>& SchemaTables();
// A table by name in any letter case; nullptr when it is not one of ours.
const TableDef* FindTable(std::string_view name);
// The table's autonumber column; empty when it has none.
std::string KeyColumn(const TableDef& table);
// A column name as the schema spells it ("measid" gives "MeasID"); a name the schema does
// not know comes back unchanged.
std::string CanonicalColumnName(std::string_view name);

// The statements that create the tables, indexes and the triggers that keep Yes/No columns
// at -1 or 0, for one engine.
std::vector<std::string> SchemaStatements(DbEngine engine);

// Examer.Sex: any non-zero value is male, 0 is female. A NULL, which only a row written
// outside the program can hold, reads as male wherever the column is read, as the person
// editor shows it.
inline bool SexIsMale(const DbValue& sex) {
    return sex.IsNull() || sex.AsInt64() != 0;
}

} // namespace hv
