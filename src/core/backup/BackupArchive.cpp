#include "backup/BackupArchive.h"

#include "common/ProgressThrottle.h"
#include "common/ZipWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <minizip/unzip.h>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

// Bytes taken from the entry per read while extracting.
constexpr unsigned kExtractChunk = 8192;
// The longest entry name looked at; longer names are not ours anyway.
constexpr unsigned kEntryNameBuffer = 256;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

struct UnzipCloser {
    void operator()(void* archive) const { unzClose(static_cast<unzFile>(archive)); }
};
using UnzipHandle = std::unique_ptr<void, UnzipCloser>;

} // namespace

bool WriteSingleEntryArchive(const fs::path& archive, const char* entryName,
                             const fs::path& content, const std::function<void(double)>& onProgress,
                             const std::function<bool()>& writeRefused, std::string& error) {
    ZipWriter zip;
    zip.writeRefused = writeRefused;
    zip.onProgress = onProgress;
    if (!zip.Create(archive, error))
        return false;
    std::string reason;
    switch (zip.AddFile(entryName, content, reason)) {
    case ZipWriter::AddResult::Added:
        return zip.Close(error);
    case ZipWriter::AddResult::Unreadable:
        error = "the database copy cannot be read (" + reason + ")";
        return false;
    case ZipWriter::AddResult::Failed:
        break;
    }
    error = reason;
    return false;
}

namespace {

ArchiveProblem CheckFirstEntry(unzFile unzip, const char* entryName, unz_file_info64& info,
                               std::string& error) {
    char name[kEntryNameBuffer] = {};
    if (unzGoToFirstFile(unzip) != UNZ_OK ||
        unzGetCurrentFileInfo64(unzip, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
        error = "the archive holds no entry";
        return ArchiveProblem::NotABackup;
    }
    const std::size_t length = std::strlen(entryName);
    if (info.size_filename != length || std::memcmp(name, entryName, length) != 0) {
        error = "the first entry is not " + std::string(entryName);
        return ArchiveProblem::NotABackup;
    }
    if (info.flag & 1u) {
        error = "the entry is encrypted";
        return ArchiveProblem::Damaged;
    }
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) {
        error = "the entry uses an unknown compression method";
        return ArchiveProblem::Damaged;
    }
    return ArchiveProblem::None;
}

bool HasRoomFor(const fs::path& destination, std::uintmax_t size, std::string& error) {
    std::error_code ec;
    const fs::space_info space = fs::space(fs::absolute(destination).parent_path(), ec);
    if (!ec && space.available < size) {
        error = "not enough free space: the database needs " + std::to_string(size) + " bytes";
        return false;
    }
    return true;
}

// Reads the open entry to its end into out; the entry is checked by the caller's close.
ArchiveProblem CopyEntryData(unzFile unzip, std::FILE* out, std::uintmax_t size,
                             const std::function<void(double)>& onProgress, std::string& error) {
    std::vector<char> buffer(kExtractChunk);
    ProgressThrottle progress(onProgress);
    std::uintmax_t done = 0;
    for (;;) {
        const int got = unzReadCurrentFile(unzip, buffer.data(), kExtractChunk);
        if (got == 0)
            break;
        if (got < 0) {
            error = "the compressed data cannot be read (code " + std::to_string(got) + ")";
            return ArchiveProblem::Damaged;
        }
        if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(got), out) !=
            static_cast<std::size_t>(got)) {
            error = std::string("the copy cannot be written (") + std::strerror(errno) + ")";
            return ArchiveProblem::CannotWrite;
        }
        done += static_cast<std::uintmax_t>(got);
        progress.Report(done, size);
    }
    if (done != size) {
        error =
            "the entry holds " + std::to_string(done) + " bytes instead of " + std::to_string(size);
        return ArchiveProblem::Damaged;
    }
    return ArchiveProblem::None;
}

} // namespace

ArchiveProblem ExtractBackupEntry(const fs::path& archive, const char* entryName,
                                  const fs::path& destination,
                                  const std::function<void(double)>& onProgress,
                                  std::string& error) {
    UnzipHandle unzip(unzOpen64(archive.string().c_str()));
    if (!unzip) {
        error = "the file is not a zip archive";
        return ArchiveProblem::NotABackup;
    }
    unz_file_info64 info{};
    ArchiveProblem problem = CheckFirstEntry(unzip.get(), entryName, info, error);
    if (problem != ArchiveProblem::None)
        return problem;
    if (!HasRoomFor(destination, info.uncompressed_size, error))
        return ArchiveProblem::CannotWrite;
    if (unzOpenCurrentFile(unzip.get()) != UNZ_OK) {
        error = "the entry cannot be opened";
        return ArchiveProblem::NotABackup;
    }
    FileHandle out(std::fopen(destination.string().c_str(), "wb"));
    if (!out) {
        unzCloseCurrentFile(unzip.get());
        error = std::string("the copy cannot be created (") + std::strerror(errno) + ")";
        return ArchiveProblem::CannotWrite;
    }
    problem = CopyEntryData(unzip.get(), out.get(), info.uncompressed_size, onProgress, error);
    // Closing the entry compares the checksum of everything read with the stored one.
    const int closed = unzCloseCurrentFile(unzip.get());
    if (problem != ArchiveProblem::None)
        return problem;
    if (closed == UNZ_CRCERROR) {
        error = "the entry's data does not match its checksum";
        return ArchiveProblem::Damaged;
    }
    if (closed != UNZ_OK) {
        error = "the entry cannot be read to its end";
        return ArchiveProblem::Damaged;
    }
    if (std::fflush(out.get()) != 0 || std::fclose(out.release()) != 0) {
        error = std::string("the copy cannot be written (") + std::strerror(errno) + ")";
        return ArchiveProblem::CannotWrite;
    }
    return ArchiveProblem::None;
}

} // namespace hv
