#pragma once

#include "backup/BackupProgress.h"

#include <chrono>
#include <functional>

namespace hv {

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

// How a backup or a restore runs: who is told of its progress, how long it waits for the
// database, and (for tests) where it is made to fail.
struct BackupOptions {
    BackupProgress* progress = nullptr;
    // How long a restore waits for another connection to let go of the live database.
    std::chrono::milliseconds busyTimeout{5000};
    // Test seam: asked at each fault point; true makes that step fail.
    std::function<bool(FaultPoint)> injectFault;

    bool Refused(FaultPoint point) const { return injectFault && injectFault(point); }
};

} // namespace hv
