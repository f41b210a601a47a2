#include "data/AdoDb.h"

#include "data/MessageSink.h"
#include "data/StringTable.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <sqlite3.h>

namespace hv {
namespace {

std::atomic<int> g_busyTimeoutMs{5000};

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string QuoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    out.push_back('"');
    return out;
}

bool IsBlank(const char* text) {
    for (; *text; ++text)
        if (!std::isspace(static_cast<unsigned char>(*text)))
            return false;
    return true;
}

class Statement {
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Prepares exactly one statement and binds the parameters. On failure the
    // connection's error text describes it (or, for a second statement, errorText).
    bool Prepare(sqlite3* db, std::string_view sql, const DbParams& params,
                 std::string& errorText) {
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, &tail) !=
            SQLITE_OK)
            return false;
        if (tail && tail < sql.data() + sql.size() &&
            !IsBlank(std::string(tail, sql.data() + sql.size()).c_str())) {
            errorText = "only one SQL statement can run at a time";
            return false;
        }
        if (!m_stmt) {
            errorText = "empty SQL statement";
            return false;
        }
        for (std::size_t i = 0; i < params.size(); ++i)
            if (!Bind(static_cast<int>(i) + 1, params[i]))
                return false;
        return true;
    }

    sqlite3_stmt* get() const { return m_stmt; }

private:
    bool Bind(int index, const DbValue& v) {
        switch (v.type()) {
        case DbValue::Type::Null:
            return sqlite3_bind_null(m_stmt, index) == SQLITE_OK;
        case DbValue::Type::Integer:
            return sqlite3_bind_int64(m_stmt, index, v.AsInt64()) == SQLITE_OK;
        case DbValue::Type::Real:
            return sqlite3_bind_double(m_stmt, index, v.AsDouble()) == SQLITE_OK;
        case DbValue::Type::Text: {
            std::string text = v.AsText();
            return sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT) == SQLITE_OK;
        }
        }
        return false;
    }

    sqlite3_stmt* m_stmt = nullptr;
};

DbValue ColumnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return DbValue(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return DbValue(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return DbValue(std::string(text ? text : "",
                                   static_cast<std::size_t>(sqlite3_column_bytes(stmt, column))));
    }
    default:
        return DbValue();
    }
}

} // namespace

CAdoDb::CAdoDb() = default;

CAdoDb::~CAdoDb() {
    Close();
}

void CAdoDb::SetBusyTimeout(std::chrono::milliseconds timeout) {
    g_busyTimeoutMs = static_cast<int>(timeout.count());
}

bool CAdoDb::Open() {
    return Open(kDatabasePath);
}

bool CAdoDb::Open(const std::string& path) {
    Close();
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, g_busyTimeoutMs.load());
        // Opening is lazy: reading the schema proves the file is a database we can use.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        ShowMessage(ids::DatabaseConnectionError);
        return false;
    }
    m_db = db;
    return true;
}

bool CAdoDb::Fail() {
    ShowMessage(
        std::string(m_db ? sqlite3_errmsg(m_db) : LoadString(ids::DatabaseConnectionError)));
    return false;
}

bool CAdoDb::Execute(std::string_view sql, const DbParams& params) {
    if (!m_db)
        return Fail();
    Statement stmt;
    std::string errorText;
    if (!stmt.Prepare(m_db, sql, params, errorText)) {
        if (!errorText.empty()) {
            ShowMessage(errorText);
            return false;
        }
        return Fail();
    }
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? true : Fail();
}

bool CAdoDb::OpenRecordset(std::string_view sql, const DbParams& params) {
    CloseRecordset();
    if (!m_db)
        return Fail();
    Statement stmt;
    std::string errorText;
    if (!stmt.Prepare(m_db, sql, params, errorText)) {
        if (!errorText.empty()) {
            ShowMessage(errorText);
            return false;
        }
        return Fail();
    }
    const int columns = sqlite3_column_count(stmt.get());
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c)
        names.emplace_back(sqlite3_column_name(stmt.get(), c));
    std::vector<std::vector<DbValue>> rows;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        std::vector<DbValue> row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(ColumnValue(stmt.get(), c));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        return Fail();
    m_columnNames = std::move(names);
    m_rows = std::move(rows);
    m_row = 0;
    m_recordsetOpen = true;
    return true;
}

void CAdoDb::CloseRecordset() {
    m_recordsetOpen = false;
    m_columnNames.clear();
    m_rows.clear();
    m_row = 0;
}

void CAdoDb::Close() {
    CloseRecordset();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void CAdoDb::MoveNext() {
    if (m_row < m_rows.size())
        ++m_row;
}

const std::string& CAdoDb::FieldName(int position) const {
    static const std::string empty;
    return position >= 0 && position < FieldCount()
               ? m_columnNames[static_cast<std::size_t>(position)]
               : empty;
}

const DbValue& CAdoDb::NullValue() const {
    static const DbValue null;
    return null;
}

const DbValue& CAdoDb::Field(int position) const {
    if (IsEOF() || position < 0 || position >= FieldCount())
        return NullValue();
    return m_rows[m_row][static_cast<std::size_t>(position)];
}

const DbValue& CAdoDb::Field(std::string_view name) const {
    for (int c = 0; c < FieldCount(); ++c)
        if (EqualsIgnoreCase(m_columnNames[static_cast<std::size_t>(c)], name))
            return Field(c);
    return NullValue();
}

bool CAdoDb::AddRow(std::string_view table, const DbColumns& columns) {
    std::string sql = "INSERT INTO " + QuoteIdentifier(table);
    if (columns.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, marks;
        for (const auto& [name, value] : columns) {
            names += (names.empty() ? "" : ", ") + QuoteIdentifier(name);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql += " (" + names + ") VALUES (" + marks + ")";
    }
    DbParams params;
    params.reserve(columns.size());
    for (const auto& column : columns)
        params.push_back(column.second);
    return Execute(sql, params);
}

bool CAdoDb::UpdateRow(std::string_view table, std::string_view keyColumn, const DbValue& key,
                       const DbColumns& columns) {
    if (columns.empty())
        return true;
    std::string sql = "UPDATE " + QuoteIdentifier(table) + " SET ";
    DbParams params;
    params.reserve(columns.size() + 1);
    for (const auto& [name, value] : columns) {
        sql += (params.empty() ? "" : ", ") + QuoteIdentifier(name) + "=?";
        params.push_back(value);
    }
    sql += " WHERE " + QuoteIdentifier(keyColumn) + "=?";
    params.push_back(key);
    return Execute(sql, params);
}

bool CAdoDb::InTransaction() const {
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

int CAdoDb::ChangedRows() const {
    return m_db ? sqlite3_changes(m_db) : 0;
}

std::int32_t CAdoDb::LastInsertKey() const {
    return m_db ? static_cast<std::int32_t>(sqlite3_last_insert_rowid(m_db)) : 0;
}

} // namespace hv
