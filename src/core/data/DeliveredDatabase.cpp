#include "data/DeliveredDatabase.h"

#include "data/Schema.h"
#include "data/SeedData.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace hv {
namespace {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

bool Exec(sqlite3* db, const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

// Runs one statement per row of bound values.
class Inserter {
public:
    Inserter(sqlite3* db, const char* sql) : m_db(db) {
        sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Inserter() { sqlite3_finalize(m_stmt); }
    Inserter(const Inserter&) = delete;
    Inserter& operator=(const Inserter&) = delete;

    template <typename... Values> bool Run(std::string& error, const Values&... values) {
        if (!m_stmt) {
            error = sqlite3_errmsg(m_db);
            return false;
        }
        sqlite3_reset(m_stmt);
        int index = 0;
        (Bind(++index, values), ...);
        if (sqlite3_step(m_stmt) != SQLITE_DONE) {
            error = sqlite3_errmsg(m_db);
            return false;
        }
        return true;
    }

private:
    void Bind(int index, int value) { sqlite3_bind_int(m_stmt, index, value); }
    void Bind(int index, std::string_view value) {
        sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

bool InsertSeedRows(sqlite3* db, std::string& error) {
    Inserter report(db, "INSERT INTO ReportList (ReportNo, ReportName, Sex, ShowOrder, IfShow_M, "
                        "IfShow_F) VALUES (?, ?, ?, ?, -1, -1)");
    Inserter advice(db, "INSERT INTO Product (OrderNo, Type, System, Suggest) VALUES (?, ?, ?, ?)");
    int slot = 0;
    for (const SeedReport& r : SeedReports()) {
        if (!report.Run(error, r.reportNo, r.name, r.sex, slot + 1) ||
            !advice.Run(error, kAdviceOrderBaseA + slot, std::string_view("A"), r.name,
                        r.adviceA) ||
            !advice.Run(error, kAdviceOrderBaseB + slot, std::string_view("B"), r.name, r.adviceB))
            return false;
        ++slot;
    }
    return Exec(db,
                "INSERT INTO SetValue (ReportStandard, ReportShuoMing, IfCanChu, IfProg, "
                "MachineLM, PageHead, PageFoot) VALUES (1, 1, 0, 0, 20, '', '')",
                error);
}

bool WriteDatabase(const std::string& path, std::string& error) {
    sqlite3* raw = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        error = raw ? sqlite3_errmsg(raw) : "cannot create the database file";
        return false;
    }
    if (!Exec(db.get(), "BEGIN", error))
        return false;
    for (const std::string& sql : SchemaStatements())
        if (!Exec(db.get(), sql, error))
            return false;
    if (!InsertSeedRows(db.get(), error) || !Exec(db.get(), "COMMIT", error))
        return false;
    // Write-ahead logging lets the analysis write while the windows read.
    return Exec(db.get(), "PRAGMA journal_mode=WAL", error);
}

} // namespace

bool CreateDeliveredDatabase(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        error = "refusing to overwrite the existing file " + path;
        return false;
    }
    const std::string temporary = path + ".new";
    fs::remove(temporary, ec);
    if (!WriteDatabase(temporary, error)) {
        fs::remove(temporary, ec);
        return false;
    }
    // Closing the last connection folded the log into the file; publish it complete. A link
    // refuses an existing target, so a file that appeared meanwhile is never replaced.
    fs::create_hard_link(temporary, path, ec);
    fs::remove(temporary);
    if (ec) {
        error = "cannot create " + path + ": " + ec.message();
        return false;
    }
    return true;
}

bool CheckDatabaseIntegrity(const std::string& path, std::string& error) {
    sqlite3* raw = nullptr;
    // Read-write without create: a read-only connection would leave the log files behind.
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        error = raw ? sqlite3_errmsg(raw) : "cannot open the database file";
        return false;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.get(), "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db.get());
        return false;
    }
    std::string result;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        result += result.empty() ? "" : "\n";
        result += text ? text : "";
    }
    sqlite3_finalize(stmt);
    if (result != "ok") {
        error = result.empty() ? sqlite3_errmsg(db.get()) : result;
        return false;
    }
    return true;
}

} // namespace hv
