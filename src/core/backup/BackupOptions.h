#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace hv {

// The name of the one entry of a backup archive.
inline constexpr const char* kBackupEntryName = "DataBase.mdb";

// Told how far a backup or a restore has come. Called on the thread that runs the
// operation, so a window must hand the figure over to its own thread.
class BackupProgress {
public:
    virtual ~BackupProgress() = default;
    // The share of the work done so far, from 0.0 to 1.0, never decreasing.
    virtual void OnProgress(double fraction) = 0;
};

// The points at which a test can make a backup or a restore fail as the file system would
// (a full disk, a folder that refuses writing), so every failure path can be shown to
// leave the files as they were.
enum class FaultPoint {
    CreateArchive,   // creating the new archive beside its target
    WriteArchive,    // writing the compressed entry
    PublishArchive,  // moving the finished archive to its name
    AfterExtraction, // the entry has been extracted beside the database
    AfterCheck,      // the extracted database has passed its checks
    Replace,         // moving the extracted database over the live one
};

struct BackupOptions {
    BackupProgress* progress = nullptr;
    // How long a restore waits for another connection to let go of the live database.
    std::chrono::milliseconds busyTimeout{5000};
    // Test seam: asked at each fault point; true makes that step fail.
    std::function<bool(FaultPoint)> injectFault;
};

struct BackupResult {
    bool ok = false;
    std::string message; // what the operator was told on failure
};

enum class RestoreOutcome {
    Restored, // the live database has been replaced
    Declined, // the operator answered No; nothing changed
    Failed,   // nothing changed; the operator has been told why
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Failed;
    std::string message; // what the operator was told on failure
};

} // namespace hv
