#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace hv {

// The zip archive of a backup: one entry holding the database file.

// The name of the one entry of a backup archive.
inline constexpr const char* kBackupEntryName = "DataBase.mdb";

// Writes a new archive at archive (replacing whatever that file held) with one entry named
// entryName holding the bytes of content, deflated at level 9 with zeroed file information
// and no extra fields or comments. The content is streamed in fixed-size chunks, so memory
// does not grow with its size. writeRefused, when set, is asked before each chunk and
// makes the write fail as a full disk would.
bool WriteSingleEntryArchive(const std::filesystem::path& archive, const char* entryName,
                             const std::filesystem::path& content,
                             const std::function<void(double)>& onProgress,
                             const std::function<bool()>& writeRefused, std::string& error);

enum class ArchiveProblem {
    None,
    NotABackup,  // not a zip archive, or its first entry is not the database
    Damaged,     // the entry's data does not match its checksum or its size
    CannotWrite, // the extracted copy could not be written
};

// Copies the first entry of a backup archive into destination, provided the entry is named
// exactly entryName (byte for byte: no other letter case, no folder). Every byte is read
// through and checked against the entry's size and checksum. On failure destination may
// hold part of the entry; the caller removes it.
ArchiveProblem ExtractBackupEntry(const std::filesystem::path& archive, const char* entryName,
                                  const std::filesystem::path& destination,
                                  const std::function<void(double)>& onProgress,
                                  std::string& error);

} // namespace hv
