#include "common/ZipWriter.h"

#include "common/ProgressThrottle.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <minizip/zip.h>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

// Bytes read from a file per block written into the archive.
constexpr std::size_t kBlock = 102400;
// General-purpose flag telling readers that an entry name is UTF-8.
constexpr uLong kUtf8NameFlag = 0x800;
constexpr int kDeflateLevel = 9;
constexpr int kDeflateMemLevel = 8;
// Sizes from here on need the 64-bit extension of the zip format.
constexpr std::uintmax_t kZip64Threshold = 0xFFFFFFFFu;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string ErrnoText(int error) {
    return error != 0 ? std::strerror(error) : std::string("unknown error");
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

zipFile Zip(void* zip) {
    return static_cast<zipFile>(zip);
}

} // namespace

ZipWriter::~ZipWriter() {
    if (m_zip != nullptr)
        zipClose(Zip(m_zip), nullptr);
}

bool ZipWriter::Create(const fs::path& archive, std::string& error) {
    errno = 0;
    m_zip = zipOpen64(archive.string().c_str(), APPEND_STATUS_CREATE);
    if (m_zip == nullptr)
        error = "the archive cannot be created (" + ErrnoText(errno) + ")";
    return m_zip != nullptr;
}

ZipWriter::AddResult ZipWriter::AddFile(const std::string& name, const fs::path& file,
                                        std::string& error) {
    if (readRefused) {
        if (std::optional<std::string> reason = readRefused(file)) {
            error = *reason;
            return AddResult::Unreadable;
        }
    }
    errno = 0;
    FileHandle in(std::fopen(file.string().c_str(), "rb"));
    std::error_code ec;
    const std::uintmax_t size = in ? fs::file_size(file, ec) : 0;
    if (!in || ec) {
        error = in ? ec.message() : ErrnoText(errno);
        return AddResult::Unreadable;
    }
    zip_fileinfo info{}; // no date, no attributes
    const uLong flags = IsAscii(name) ? 0 : kUtf8NameFlag;
    const int zip64 = size >= kZip64Threshold ? 1 : 0;
    if (zipOpenNewFileInZip4_64(Zip(m_zip), name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, kDeflateLevel, 0, -MAX_WBITS, kDeflateMemLevel,
                                Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags, zip64) != ZIP_OK) {
        error = "the archive cannot be written (" + ErrnoText(errno) + ")";
        return AddResult::Failed;
    }
    const bool written = WriteEntryData(in.get(), size, error);
    const bool closed = zipCloseFileInZip(Zip(m_zip)) == ZIP_OK;
    if (written && !closed)
        error = "the archive cannot be written (" + ErrnoText(errno) + ")";
    return written && closed ? AddResult::Added : AddResult::Failed;
}

bool ZipWriter::WriteEntryData(std::FILE* in, std::uintmax_t size, std::string& error) {
    std::vector<char> buffer(kBlock);
    ProgressThrottle progress(onProgress);
    std::uintmax_t done = 0;
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        if (got == 0)
            break;
        if (writeRefused && writeRefused()) {
            error = "the archive cannot be written (refused)";
            return false;
        }
        errno = 0;
        if (zipWriteInFileInZip(Zip(m_zip), buffer.data(), static_cast<unsigned>(got)) != ZIP_OK) {
            error = "the archive cannot be written (" + ErrnoText(errno) + ")";
            return false;
        }
        done += got;
        progress.Report(done, size);
    }
    if (std::ferror(in)) {
        error = "a file broke off while it was read";
        return false;
    }
    return true;
}

bool ZipWriter::Close(std::string& error) {
    errno = 0;
    const bool ok = zipClose(Zip(m_zip), nullptr) == ZIP_OK;
    m_zip = nullptr;
    if (!ok)
        error = "the archive cannot be written (" + ErrnoText(errno) + ")";
    return ok;
}

} // namespace hv
