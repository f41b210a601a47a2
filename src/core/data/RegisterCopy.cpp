#include "data/RegisterCopy.h"

#include "data/Schema.h"

#include <algorithm>
#include <cctype>

namespace hv {
namespace {

// Rows per insert statement, within the server's limit of bound values.
constexpr std::size_t kMaxValuesPerStatement = 8000;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsSummary(const TableDef& table) {
    return table.name == kSummaryTable;
}

// The columns copied: the summary keeps its insertion order column too, which both engines
// let a statement name and set.
std::vector<std::string> CopiedColumns(const TableDef& table) {
    std::vector<std::string> columns;
    if (IsSummary(table))
        columns.emplace_back(kInsertionOrderColumn);
    for (const ColumnDef& column : table.columns)
        columns.push_back(column.name);
    return columns;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

bool Fail(const CAdoDb& db, const std::string& what, std::string& error) {
    error = what + ": " + db.LastError();
    return false;
}

// The rows of a table as the source keeps them: the file in row order, the server's summary
// in its insertion order.
std::string SelectAll(const CAdoDb& source, const TableDef& table) {
    const std::string sql = "SELECT " + Joined(CopiedColumns(table)) + " FROM " + table.name;
    return !source.IsServer() || IsSummary(table) ? sql + " ORDER BY rowid" : sql;
}

bool InsertRows(CAdoDb& target, const TableDef& table, CAdoDb& rows, std::string& error) {
    const std::vector<std::string> columns = CopiedColumns(table);
    const std::string head = "INSERT INTO " + table.name + " (" + Joined(columns) + ") VALUES ";
    std::string marks = "(";
    for (std::size_t c = 0; c < columns.size(); ++c)
        marks += c ? ", ?" : "?";
    marks += ")";
    const std::size_t perStatement =
        std::max<std::size_t>(1, kMaxValuesPerStatement / columns.size());
    for (rows.MoveFirst(); !rows.IsEOF();) {
        std::string sql = head;
        DbParams params;
        for (std::size_t k = 0; k < perStatement && !rows.IsEOF(); ++k, rows.MoveNext()) {
            sql += k ? ", " + marks : marks;
            for (int c = 0; c < rows.FieldCount(); ++c)
                params.push_back(rows.Field(c));
        }
        if (!target.Execute(sql, params))
            return Fail(target, "cannot write the rows of " + table.name, error);
    }
    return true;
}

bool CountRows(CAdoDb& db, const TableDef& table, std::int64_t& count, std::string& error) {
    if (!db.OpenRecordset("SELECT count(*) AS cnt FROM " + table.name))
        return Fail(db, "cannot count the rows of " + table.name, error);
    count = db.Field("cnt").AsInt64();
    db.CloseRecordset();
    return true;
}

// The highest key a table's counter has given out (at least the highest key it holds).
bool ReadCounter(CAdoDb& db, const TableDef& table, const std::string& column,
                 std::int64_t& counter, std::string& error) {
    std::string sql = "SELECT max(" + column + ") AS high FROM " + table.name;
    DbParams params;
    if (db.IsServer()) {
        sql = "SELECT greatest((" + sql +
              "), pg_sequence_last_value(pg_get_serial_sequence(?, "
              "?)::regclass)) AS high";
        params = {Lower(table.name), Lower(column)};
    } else if (!IsSummary(table)) {
        sql = "SELECT max(coalesce((" + sql +
              "), 0), coalesce((SELECT seq FROM sqlite_sequence WHERE name=?), 0)) AS high";
        params = {table.name};
    }
    if (!db.OpenRecordset(sql, params))
        return Fail(db, "cannot read the key counter of " + table.name, error);
    counter = db.Field("high").AsInt64();
    db.CloseRecordset();
    return true;
}

bool WriteCounter(CAdoDb& db, const TableDef& table, const std::string& column,
                  std::int64_t counter, std::string& error) {
    bool written = true;
    if (db.IsServer()) {
        // Setting a counter is not undone with the transaction; never setting one back keeps
        // a failed copy from ever giving a key out twice.
        const std::string sequence = "pg_get_serial_sequence(?, ?)";
        if (counter > 0)
            written = db.Execute(
                "SELECT setval(" + sequence +
                    ", greatest(?, coalesce("
                    "pg_sequence_last_value(" +
                    sequence + "::regclass), 0)), true)",
                {Lower(table.name), Lower(column), counter, Lower(table.name), Lower(column)});
    } else if (!IsSummary(table)) {
        written = db.Execute("DELETE FROM sqlite_sequence WHERE name=?", {table.name}) &&
                  db.Execute("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)",
                             {table.name, counter});
    }
    return written || Fail(db, "cannot set the key counter of " + table.name, error);
}

bool CopyCounter(CAdoDb& source, CAdoDb& target, const TableDef& table, std::string& error) {
    const std::string key = IsSummary(table) ? kInsertionOrderColumn : KeyColumn(table);
    if (key.empty())
        return true;
    std::int64_t counter = 0;
    return ReadCounter(source, table, key, counter, error) &&
           WriteCounter(target, table, key, counter, error);
}

bool CopyTable(CAdoDb& source, CAdoDb& target, const TableDef& table, std::int64_t& rows,
               std::string& error) {
    if (!source.OpenRecordset(SelectAll(source, table)))
        return Fail(source, "cannot read the rows of " + table.name, error);
    rows = static_cast<std::int64_t>(source.RecordCount());
    const bool inserted = InsertRows(target, table, source, error);
    source.CloseRecordset();
    if (!inserted)
        return false;
    std::int64_t stored = 0;
    if (!CountRows(target, table, stored, error))
        return false;
    if (stored != rows) {
        error = table.name + " holds " + std::to_string(stored) + " rows after the copy, not " +
                std::to_string(rows);
        return false;
    }
    return CopyCounter(source, target, table, error);
}

} // namespace

bool CopyRegister(CAdoDb& source, CAdoDb& target, std::vector<CopiedTable>& copied,
                  std::string& error, const std::function<void(double)>& onProgress) {
    copied.clear();
    const std::vector<TableDef>& tables = SchemaTables();
    for (const TableDef& table : tables) {
        CopiedTable done{table.name, 0};
        if (!CopyTable(source, target, table, done.rows, error))
            return false;
        copied.push_back(done);
        if (onProgress)
            onProgress(static_cast<double>(copied.size()) / static_cast<double>(tables.size()));
    }
    return true;
}

bool EmptyRegister(CAdoDb& db, std::string& error) {
    for (const TableDef& table : SchemaTables())
        if (!db.Execute("DELETE FROM " + table.name))
            return Fail(db, "cannot empty " + table.name, error);
    return true;
}

} // namespace hv
