#include "data/DeliveredDatabase.h"

#include "data/AdoDb.h"
#include "data/Schema.h"
#include "data/SchemaCheck.h"
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

// One statement that inserts many rows: "INSERT ... VALUES (?, ?), (?, ?)".
struct RowsInsert {
    std::string sql;
    DbParams params;
    void Add(std::initializer_list<DbValue> row) {
        std::string marks;
        for (const DbValue& value : row) {
            marks += marks.empty() ? "?" : ", ?";
            params.push_back(value);
        }
        sql += (sql.back() == ' ' ? "(" : ", (") + marks + ")";
    }
};

bool Run(CAdoDb& db, const RowsInsert& insert, std::string& error) {
    if (db.Execute(insert.sql, insert.params))
        return true;
    error = db.LastError();
    return false;
}

bool InsertSeedRows(CAdoDb& db, std::string& error) {
    RowsInsert reports{"INSERT INTO ReportList (ReportNo, ReportName, Sex, ShowOrder, IfShow_M, "
                       "IfShow_F) VALUES ",
                       {}};
    RowsInsert advice{"INSERT INTO Product (OrderNo, Type, System, Suggest) VALUES ", {}};
    int slot = 0;
    for (const SeedReport& r : SeedReports()) {
        reports.Add({r.reportNo, r.name, r.sex, slot + 1, -1, -1});
        advice.Add({kAdviceOrderBaseA + slot, "A", r.name, r.adviceA});
        advice.Add({kAdviceOrderBaseB + slot, "B", r.name, r.adviceB});
        ++slot;
    }
    return Run(db, reports, error) && Run(db, advice, error) &&
           Run(db,
               {"INSERT INTO SetValue (ReportStandard, ReportShuoMing, IfCanChu, IfProg, "
                "MachineLM, PageHead, PageFoot) VALUES (1, 1, 0, 0, 20, '', '')",
                {}},
               error);
}

// The tables, indexes, triggers and seed rows, in one transaction.
bool WriteRegister(CAdoDb& db, std::string& error) {
    const bool written = db.Execute("BEGIN") && CreateRegisterTables(db, error) &&
                         InsertSeedRows(db, error) && db.Execute("COMMIT");
    if (!written && error.empty())
        error = db.LastError();
    return written;
}

bool WriteDatabaseFile(const std::string& path, std::string& error) {
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path.c_str(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        DbHandle created(raw);
        if (rc != SQLITE_OK) {
            error = raw ? sqlite3_errmsg(raw) : "cannot create the database file";
            return false;
        }
    }
    CAdoDb db;
    db.KeepFailures(true);
    if (!db.Open(path) || !WriteRegister(db, error)) {
        if (error.empty())
            error = db.LastError();
        return false;
    }
    // Write-ahead logging lets the analysis write while the windows read.
    if (!db.Execute("PRAGMA journal_mode=WAL")) {
        error = db.LastError();
        return false;
    }
    return true;
}

bool CreateDatabaseFile(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        error = "refusing to overwrite the existing file " + path;
        return false;
    }
    const std::string temporary = path + ".new";
    fs::remove(temporary, ec);
    if (!WriteDatabaseFile(temporary, error)) {
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

bool CreateServerRegister(const std::string& url, std::string& error) {
    CAdoDb db;
    db.KeepFailures(true);
    if (!db.Open(url)) {
        error = db.LastError();
        return false;
    }
    const auto existing = ExistingTables(db);
    if (!existing) {
        error = db.LastError();
        return false;
    }
    if (!existing->empty()) {
        error = "refusing to write into " + DescribeDatabase(db.Location()) +
                ": it already holds tables of the register (" + existing->front() + " ...)";
        return false;
    }
    return WriteRegister(db, error);
}

} // namespace

bool CreateRegisterTables(CAdoDb& db, std::string& error) {
    std::string script;
    for (const std::string& sql : SchemaStatements(db.Engine()))
        script += sql + ";\n";
    if (db.ExecuteScript(script))
        return true;
    error = db.LastError();
    return false;
}

bool CreateDeliveredDatabase(const std::string& pathOrUrl, std::string& error) {
    return IsServerUrl(pathOrUrl) ? CreateServerRegister(pathOrUrl, error)
                                  : CreateDatabaseFile(pathOrUrl, error);
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
