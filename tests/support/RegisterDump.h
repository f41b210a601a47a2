#pragma once

#include "data/AdoDb.h"
#include "data/Schema.h"

#include <gtest/gtest.h>
#include <string>

namespace hv::test {

// Every row of every table of ours in an open database, as text with the type of every
// value, in a fixed order: two registers with equal dumps hold the same data, on either
// engine. The summary's insertion order column is included.
inline std::string DumpRegister(CAdoDb& db) {
    std::string out;
    for (const TableDef& table : SchemaTables()) {
        std::string columns = table.name == kSummaryTable ? kInsertionOrderColumn : "";
        for (const ColumnDef& column : table.columns)
            columns += (columns.empty() ? "" : ", ") + column.name;
        const std::string key = KeyColumn(table);
        const std::string order = table.name == kSummaryTable ? kInsertionOrderColumn
                                  : !key.empty()              ? key
                                                              : table.columns.front().name;
        out += "[" + table.name + "]\n";
        EXPECT_TRUE(
            db.OpenRecordset("SELECT " + columns + " FROM " + table.name + " ORDER BY " + order))
            << table.name;
        for (; !db.IsEOF(); db.MoveNext()) {
            for (int c = 0; c < db.FieldCount(); ++c)
                out += std::to_string(static_cast<int>(db.Field(c).type())) + ":" +
                       db.Field(c).AsText() + "|";
            out += "\n";
        }
        db.CloseRecordset();
    }
    return out;
}

inline std::string DumpRegister(const std::string& location) {
    CAdoDb db;
    EXPECT_TRUE(db.Open(location)) << location;
    return DumpRegister(db);
}

} // namespace hv::test
