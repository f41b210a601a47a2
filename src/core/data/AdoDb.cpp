#include "data/AdoDb.h"

#include "data/AdoDbResult.h"
#include "data/MessageSink.h"
#include "data/Schema.h"
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

// The server folds unquoted names to lower case; quoting the folded name finds the same
// table and column the program's unquoted statements find.
std::string QuoteIdentifier(std::string_view name, DbEngine engine) {
    std::string out = "\"";
    for (char c : name) {
        if (engine == DbEngine::PostgreSQL)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
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

// Another connection stored the same key at the same moment.
bool IsFileConflict(sqlite3* db) {
    const int code = sqlite3_extended_errcode(db);
    return code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY;
}

} // namespace

CAdoDb::CAdoDb() = default;

CAdoDb::~CAdoDb() {
    Close();
}

void CAdoDb::SetBusyTimeout(std::chrono::milliseconds timeout) {
    g_busyTimeoutMs = static_cast<int>(timeout.count());
}

std::chrono::milliseconds CAdoDb::BusyTimeout() {
    return std::chrono::milliseconds(g_busyTimeoutMs.load());
}

bool CAdoDb::Open() {
    return Open(ConfiguredDatabase());
}

bool CAdoDb::Open(const std::string& pathOrUrl) {
    return Open(LocationOf(pathOrUrl));
}

bool CAdoDb::Open(const DatabaseLocation& location) {
    Close();
    m_location = location;
    m_connectionFailureShown = false;
    m_lastInsertKey = 0;
    m_changedRows = 0;
    return location.engine == DbEngine::PostgreSQL ? OpenServer(location.target)
                                                   : OpenFile(location.target);
}

bool CAdoDb::OpenFile(const std::string& path) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, g_busyTimeoutMs.load());
        // Opening is lazy: reading the schema proves the file is a database we can use.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const std::string reason = db ? sqlite3_errmsg(db) : "cannot open " + path;
        sqlite3_close_v2(db);
        return FailToConnect(path + ": " + reason);
    }
    m_db = db;
    return true;
}

bool CAdoDb::Fail(const std::string& text, bool conflict) {
    m_lastError = text;
    if (conflict && m_holdConflicts)
        m_conflictHeldBack = true;
    else if (!m_keepFailures)
        ShowMessage(text);
    return false;
}

bool CAdoDb::FailToConnect(const std::string& reason) {
    m_lastError = reason;
    if (!m_keepFailures)
        ShowMessage(ids::DatabaseConnectionError);
    return false;
}

bool CAdoDb::FailUnopened() {
    if (m_connectionFailureShown)
        return false;
    return Fail(std::string(LoadString(ids::DatabaseConnectionError)));
}

void CAdoDb::HoldBackConflicts(bool hold) {
    m_holdConflicts = hold;
    m_conflictHeldBack = false;
}

bool CAdoDb::Run(std::string_view sql, const DbParams& params, Result* result) {
    if (IsServer())
        return RunOnServer(sql, params, result);
    if (!m_db)
        return FailUnopened();
    return RunOnFile(sql, params, result);
}

bool CAdoDb::RunOnFile(std::string_view sql, const DbParams& params, Result* result) {
    Statement stmt;
    std::string errorText;
    if (!stmt.Prepare(m_db, sql, params, errorText))
        return Fail(errorText.empty() ? std::string(sqlite3_errmsg(m_db)) : errorText);
    if (result) {
        const int columns = sqlite3_column_count(stmt.get());
        for (int c = 0; c < columns; ++c)
            result->names.emplace_back(sqlite3_column_name(stmt.get(), c));
    }
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        if (!result)
            continue;
        std::vector<DbValue> row;
        row.reserve(result->names.size());
        for (std::size_t c = 0; c < result->names.size(); ++c)
            row.push_back(ColumnValue(stmt.get(), static_cast<int>(c)));
        result->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        return Fail(sqlite3_errmsg(m_db), IsFileConflict(m_db));
    if (!sqlite3_stmt_readonly(stmt.get()))
        m_changedRows = sqlite3_changes(m_db);
    if (result)
        result->insertKey = sqlite3_last_insert_rowid(m_db);
    return true;
}

bool CAdoDb::Execute(std::string_view sql, const DbParams& params) {
    return Run(sql, params, nullptr);
}

bool CAdoDb::ExecuteScript(const std::string& sql) {
    if (m_server.conn)
        return RunScriptOnServer(sql);
    if (!m_db)
        return FailUnopened();
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    const std::string text = message ? message : sqlite3_errmsg(m_db);
    sqlite3_free(message);
    return Fail(text);
}

bool CAdoDb::OpenRecordset(std::string_view sql, const DbParams& params) {
    CloseRecordset();
    Result result;
    if (!Run(sql, params, &result))
        return false;
    m_columnNames = std::move(result.names);
    m_rows = std::move(result.rows);
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
    CloseServer();
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
    const DbEngine engine = Engine();
    std::string sql = "INSERT INTO " + QuoteIdentifier(table, engine);
    if (columns.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, marks;
        for (const auto& [name, value] : columns) {
            names += (names.empty() ? "" : ", ") + QuoteIdentifier(name, engine);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql += " (" + names + ") VALUES (" + marks + ")";
    }
    const TableDef* definition = FindTable(table);
    const std::string key = definition ? KeyColumn(*definition) : std::string();
    // The server names the new key in its answer; the file keeps it on the connection.
    if (!key.empty() && engine == DbEngine::PostgreSQL)
        sql += " RETURNING " + QuoteIdentifier(key, engine);
    DbParams params;
    params.reserve(columns.size());
    for (const auto& column : columns)
        params.push_back(column.second);
    Result result;
    if (!Run(sql, params, &result))
        return false;
    if (!key.empty())
        m_lastInsertKey = static_cast<std::int32_t>(
            engine == DbEngine::PostgreSQL
                ? (result.rows.empty() ? 0 : result.rows.front().front().AsInt64())
                : result.insertKey);
    return true;
}

bool CAdoDb::UpdateRow(std::string_view table, std::string_view keyColumn, const DbValue& key,
                       const DbColumns& columns) {
    if (columns.empty())
        return true;
    const DbEngine engine = Engine();
    std::string sql = "UPDATE " + QuoteIdentifier(table, engine) + " SET ";
    DbParams params;
    params.reserve(columns.size() + 1);
    for (const auto& [name, value] : columns) {
        sql += (params.empty() ? "" : ", ") + QuoteIdentifier(name, engine) + "=?";
        params.push_back(value);
    }
    sql += " WHERE " + QuoteIdentifier(keyColumn, engine) + "=?";
    params.push_back(key);
    return Execute(sql, params);
}

bool CAdoDb::InTransaction() const {
    if (m_server.conn)
        return ServerInTransaction(m_server.conn);
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

int CAdoDb::ChangedRows() const {
    return IsOpen() ? m_changedRows : 0;
}

std::int32_t CAdoDb::LastInsertKey() const {
    return m_lastInsertKey;
}

} // namespace hv
