#include "backup/ServerRegister.h"

#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "data/OperatorTexts.h"
#include "data/RegisterCopy.h"
#include "data/Transaction.h"

namespace hv {
namespace {

bool Open(CAdoDb& db, const std::string& location, std::string& error) {
    db.KeepFailures(true);
    if (db.Open(location))
        return true;
    error = db.LastError();
    return false;
}

bool Run(CAdoDb& db, const char* sql, std::string& error) {
    if (db.Execute(sql))
        return true;
    error = db.LastError();
    return false;
}

} // namespace

bool SnapshotServerRegister(const std::string& url, const std::filesystem::path& file,
                            const std::function<void(double)>& onProgress, std::string& error) {
    CAdoDb server, copy;
    std::string reason;
    if (!Open(server, url, reason) ||
        !Run(server, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", reason)) {
        error = "the database cannot be read (" + reason + ")";
        return false;
    }
    // The copy keeps its log beside it, as the delivered file does.
    std::vector<CopiedTable> copied;
    if (!Open(copy, file.string(), reason) || !Run(copy, "PRAGMA journal_mode=WAL", reason) ||
        !Run(copy, "BEGIN", reason) || !CreateRegisterTables(copy, reason) ||
        !CopyRegister(server, copy, copied, reason, onProgress) || !Run(copy, "COMMIT", reason)) {
        error = "copying the database failed (" + reason + ")";
        return false;
    }
    server.Execute("ROLLBACK");
    return true;
}

bool ReplaceServerRegister(const std::string& url, const std::filesystem::path& file,
                           const BackupOptions& options, std::string& error) {
    CAdoDb copy, server;
    if (!Open(copy, file.string(), error) || !Open(server, url, error))
        return false;
    WriteTransaction transaction(server);
    std::vector<CopiedTable> copied;
    if (!transaction.Begin()) {
        error = server.LastError();
        return false;
    }
    if (!EmptyRegister(server, error) ||
        !CopyRegister(copy, server, copied, error, ProgressStage(options.progress, 0.9, 1.0)))
        return false;
    if (options.Refused(FaultPoint::Replace)) {
        error = texts::kRefused;
        return false;
    }
    if (!transaction.Commit()) {
        error = server.LastError();
        return false;
    }
    return true;
}

} // namespace hv
