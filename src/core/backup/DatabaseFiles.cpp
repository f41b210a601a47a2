#include "backup/DatabaseFiles.h"

#include "data/AdoDb.h"
#include "data/SchemaCheck.h"

#include <array>
#include <cstring>
#include <fstream>
#include <memory>
#include <sqlite3.h>

namespace hv {
namespace fs = std::filesystem;

namespace {

// Pages copied per step of the online backup: 1 MB at the default page size.
constexpr int kSnapshotPagesPerStep = 256;
constexpr std::chrono::milliseconds kSnapshotBusyTimeout{5000};

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

struct StmtFinalizer {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// Opens an existing database file read-write; never creates one. A read-only connection
// could not clean up the log files of a database in write-ahead mode.
DbHandle OpenExisting(const fs::path& path, std::chrono::milliseconds busyTimeout, int& rc,
                      std::string& error) {
    sqlite3* raw = nullptr;
    rc = sqlite3_open_v2(path.string().c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        error = raw ? sqlite3_errmsg(raw) : "cannot open the file";
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), static_cast<int>(busyTimeout.count()));
    return db;
}

bool Exec(sqlite3* db, const char* sql, std::string& error) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = sqlite3_errmsg(db);
    return false;
}

StmtHandle Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    return StmtHandle(stmt);
}

bool HasDatabaseHeader(const fs::path& path) {
    static constexpr char kMagic[] = "SQLite format 3"; // with its terminating zero
    std::array<char, sizeof kMagic> header{};
    std::ifstream in(path, std::ios::binary);
    in.read(header.data(), header.size());
    return in && std::memcmp(header.data(), kMagic, sizeof kMagic) == 0;
}

// Holds the engine's "ok", or the first problems it found.
bool RunIntegrityCheck(sqlite3* db, std::string& error) {
    StmtHandle stmt = Prepare(db, "PRAGMA integrity_check(5)");
    if (!stmt) {
        error = sqlite3_errmsg(db);
        return false;
    }
    std::string report;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        const auto* line = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        report += report.empty() ? "" : "; ";
        report += line ? line : "";
    }
    if (rc != SQLITE_DONE) {
        error = std::string("the database is damaged: ") + sqlite3_errmsg(db);
        return false;
    }
    if (report != "ok") {
        error = "the database is damaged: " + report;
        return false;
    }
    return true;
}

} // namespace

bool SnapshotDatabase(const fs::path& source, const fs::path& destination,
                      const std::function<void(double)>& onProgress, std::string& error) {
    int rc = SQLITE_OK;
    std::string detail;
    DbHandle src = OpenExisting(source, kSnapshotBusyTimeout, rc, detail);
    // A read transaction held over every step keeps the copy at one moment of the
    // database: writers of other connections go on into the log, unseen by the copy.
    if (!src || !Exec(src.get(), "BEGIN", detail) ||
        !Exec(src.get(), "SELECT count(*) FROM sqlite_master", detail)) {
        error = "the database cannot be read (" + detail + ")";
        return false;
    }
    DbHandle dst = OpenExisting(destination, kSnapshotBusyTimeout, rc, detail);
    // The copy is read once and thrown away: no need to wait for the disk.
    if (!dst || !Exec(dst.get(), "PRAGMA synchronous=OFF", detail)) {
        error = "cannot write " + destination.string() + " (" + detail + ")";
        return false;
    }
    sqlite3_backup* backup = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
    if (!backup) {
        error = "cannot write " + destination.string() + " (" + sqlite3_errmsg(dst.get()) + ")";
        return false;
    }
    while ((rc = sqlite3_backup_step(backup, kSnapshotPagesPerStep)) == SQLITE_OK) {
        const int total = sqlite3_backup_pagecount(backup);
        if (onProgress && total > 0)
            onProgress(static_cast<double>(total - sqlite3_backup_remaining(backup)) / total);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        // Reading a page and writing it fail alike here; the engine's text says which.
        error = std::string("copying the database failed (") + sqlite3_errstr(rc) + ")";
        return false;
    }
    Exec(src.get(), "COMMIT", detail);
    // Closing reports a write the engine could not finish.
    if (sqlite3_close(dst.release()) != SQLITE_OK) {
        error = "cannot write " + destination.string();
        return false;
    }
    if (onProgress)
        onProgress(1.0);
    return true;
}

bool CheckRestorableDatabase(const fs::path& path, std::string& error) {
    if (!HasDatabaseHeader(path)) {
        error = "the file is not a database";
        return false;
    }
    int rc = SQLITE_OK;
    std::string detail;
    DbHandle db = OpenExisting(path, kSnapshotBusyTimeout, rc, detail);
    if (!db) {
        error = "the database cannot be opened (" + detail + ")";
        return false;
    }
    if (!RunIntegrityCheck(db.get(), error))
        return false;
    db.reset();
    CAdoDb copy;
    copy.KeepFailures(true);
    if (!copy.Open(path.string())) {
        error = "the database cannot be opened (" + copy.LastError() + ")";
        return false;
    }
    if (const auto problem = SchemaProblem(copy)) {
        error = *problem;
        return false;
    }
    return true;
}

SettleResult SettleDatabase(const fs::path& path, std::chrono::milliseconds busyTimeout,
                            std::string& error) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        return SettleResult::Settled;
    int rc = SQLITE_OK;
    DbHandle db = OpenExisting(path, busyTimeout, rc, error);
    if (!db)
        return rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? SettleResult::InUse
                                                        : SettleResult::Unreadable;
    // Opening is lazy; this read rolls back a hot journal or replays the log, as any
    // connection would on its first read.
    rc = sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    StmtHandle stmt;
    if (rc == SQLITE_OK) {
        stmt = Prepare(db.get(), "PRAGMA wal_checkpoint(TRUNCATE)");
        rc = stmt ? sqlite3_step(stmt.get()) : sqlite3_errcode(db.get());
    }
    if (rc == SQLITE_ROW && sqlite3_column_int(stmt.get(), 0) == 0)
        return SettleResult::Settled;
    if (rc == SQLITE_ROW || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        error = "another connection is using the database";
        return SettleResult::InUse;
    }
    error = sqlite3_errmsg(db.get());
    return SettleResult::Unreadable;
}

} // namespace hv
