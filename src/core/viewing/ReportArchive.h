#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hv {

// The saved report archive: every file of the Reports folder in one zip archive.

// Test seams: by default every file can be read and every write goes through.
struct ReportArchiveAccess {
    // Asked before a file is opened; a reason makes the file unreadable.
    std::function<std::optional<std::string>(const std::filesystem::path& file)> readRefused;
    // Asked before each block written into the archive; true makes the write fail as a full
    // disk would.
    std::function<bool()> writeRefused;
};

struct ReportArchiveResult {
    // The archive exists at the chosen path and holds every file listed in stored.
    bool written = false;
    std::vector<std::string> stored;     // entry names, in the order written
    std::vector<std::string> unreadable; // files of the folder left out, with their reasons
    std::string error;                   // why no archive was written; empty when written
};

// Writes every plain file of folder (subfolders and their contents are left out) into a new
// zip archive at archive, each entry named by the file name alone, deflated at level 9 with
// zeroed dates and attributes, in name order, each file streamed rather than read whole.
// The archive is written beside its final name, flushed to the disk and takes that name
// only when it is complete, so a failure never leaves a damaged archive and never destroys
// an existing one. A file that cannot be read is left out and named in
// unreadable; the others are still saved. The archive itself is never taken into itself,
// even when it is saved into folder.
ReportArchiveResult SaveReportArchive(const std::filesystem::path& archive,
                                      const std::filesystem::path& folder,
                                      const ReportArchiveAccess& access = {});

// What to tell the operator about an archive: empty when every file was saved.
std::string ReportArchiveMessage(const ReportArchiveResult& result,
                                 const std::filesystem::path& archive);

} // namespace hv
