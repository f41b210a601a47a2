#pragma once

#include "data/DbValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The tables and columns of the database, in the column order of the delivered file. The
// program itself never creates a table: this description serves the admin tool that
// writes the delivered file, and the checks that a file is one of ours.

struct ColumnDef {
    std::string name;
    std::string type; // SQLite column declaration
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
};

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

// The statements that create the tables, indexes and the triggers that keep Yes/No columns
// at -1 or 0.
std::vector<std::string> SchemaStatements();

// Examer.Sex: any non-zero value is male, 0 is female. A NULL, which only a row written
// outside the program can hold, reads as male wherever the column is read, as the person
// editor shows it.
inline bool SexIsMale(const DbValue& sex) {
    return sex.IsNull() || sex.AsInt64() != 0;
}

} // namespace hv
