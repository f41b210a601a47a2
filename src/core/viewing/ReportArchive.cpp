#include "viewing/ReportArchive.h"

#include "data/OperatorTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <minizip/zip.h>

namespace hv {
namespace fs = std::filesystem;

namespace {

// Bytes handed to the archive per write.
constexpr std::size_t kArchiveBlock = 102400;
// General-purpose flag telling readers that an entry name is UTF-8.
constexpr uLong kUtf8NameFlag = 0x800;
constexpr int kDeflateLevel = 9;
constexpr int kDeflateMemLevel = 8;

std::string ErrnoText(int error) {
    return error != 0 ? std::strerror(error) : std::string("unknown error");
}

bool ReadWholeFile(const fs::path& file, std::string& bytes, std::string& reason) {
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reason = ErrnoText(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = "read error";
        return false;
    }
    return true;
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The same file, whether or not it exists yet.
bool SamePath(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::weakly_canonical(fs::absolute(a), ec) == fs::weakly_canonical(fs::absolute(b), ec);
}

// The plain files of the folder in name order, leaving out the archive's own path.
bool ListFolder(const fs::path& folder, const fs::path& archive, std::vector<fs::path>& files,
                std::string& error) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (it->is_regular_file(statusError) && !SamePath(it->path(), archive))
            files.push_back(it->path());
    }
    if (ec) {
        error = "the folder " + folder.string() + " cannot be read (" + ec.message() + ")";
        return false;
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return true;
}

class ArchiveWriter {
public:
    ArchiveWriter(const ReportArchiveAccess& access, ReportArchiveResult& result)
        : m_access(access), m_result(result) {}

    bool Create(const fs::path& file) {
        errno = 0;
        m_zip = zipOpen64(file.string().c_str(), APPEND_STATUS_CREATE);
        if (m_zip == nullptr)
            m_result.error = "the archive cannot be created (" + ErrnoText(errno) + ")";
        return m_zip != nullptr;
    }

    // Adds one entry; false when the archive could not be written.
    bool Add(const std::string& name, const std::string& bytes) {
        zip_fileinfo info{}; // no date, no attributes
        const uLong flags = IsAscii(name) ? 0 : kUtf8NameFlag;
        if (zipOpenNewFileInZip4_64(m_zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    Z_DEFLATED, kDeflateLevel, 0, -MAX_WBITS, kDeflateMemLevel,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags, 0) != ZIP_OK)
            return Failed();
        bool ok = true;
        for (std::size_t done = 0; ok && done < bytes.size(); done += kArchiveBlock) {
            const std::size_t size = std::min(kArchiveBlock, bytes.size() - done);
            ok = !(m_access.writeRefused && m_access.writeRefused()) &&
                 zipWriteInFileInZip(m_zip, bytes.data() + done, static_cast<unsigned>(size)) ==
                     ZIP_OK;
        }
        const bool closed = zipCloseFileInZip(m_zip) == ZIP_OK;
        if (!ok || !closed)
            return Failed();
        m_result.stored.push_back(name);
        return true;
    }

    // Writes the archive's directory and closes the file, also after a failure.
    bool Close() {
        errno = 0;
        const bool ok = zipClose(m_zip, nullptr) == ZIP_OK;
        m_zip = nullptr;
        return ok || Failed();
    }

    ~ArchiveWriter() {
        if (m_zip != nullptr)
            zipClose(m_zip, nullptr);
    }
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

private:
    bool Failed() {
        if (m_result.error.empty())
            m_result.error = "the archive cannot be written (" + ErrnoText(errno) + ")";
        return false;
    }

    const ReportArchiveAccess& m_access;
    ReportArchiveResult& m_result;
    zipFile m_zip = nullptr;
};

bool WriteEntries(ArchiveWriter& writer, const std::vector<fs::path>& files,
                  const ReportArchiveAccess& access, ReportArchiveResult& result) {
    for (const fs::path& file : files) {
        std::string bytes, reason;
        const bool read = access.readFile ? access.readFile(file, bytes, reason)
                                          : ReadWholeFile(file, bytes, reason);
        if (!read) {
            result.unreadable.push_back(file.filename().string() + " (" + reason + ")");
            continue;
        }
        if (!writer.Add(file.filename().string(), bytes))
            return false;
    }
    return true;
}

} // namespace

ReportArchiveResult SaveReportArchive(const fs::path& archive, const fs::path& folder,
                                      const ReportArchiveAccess& access) {
    ReportArchiveResult result;
    std::vector<fs::path> files;
    if (!ListFolder(folder, archive, files, result.error))
        return result;

    fs::path partial = archive;
    partial += ".part";
    bool ok;
    {
        ArchiveWriter writer(access, result);
        if (!writer.Create(partial))
            return result;
        ok = WriteEntries(writer, files, access, result);
        ok = writer.Close() && ok;
    }
    std::error_code ec;
    if (ok) {
        fs::rename(partial, archive, ec);
        if (ec)
            result.error = "the archive cannot be put in place (" + ec.message() + ")";
    }
    if (!ok || ec) {
        fs::remove(partial, ec);
        result.stored.clear();
        return result;
    }
    result.written = true;
    return result;
}

std::string ReportArchiveMessage(const ReportArchiveResult& result, const fs::path& archive) {
    if (!result.written)
        return texts::FillText(texts::kReportsNotSaved, {archive.string(), result.error});
    if (result.unreadable.empty())
        return {};
    std::string text = texts::FillText(texts::kReportsSavedWithoutSome, {archive.string()});
    for (const std::string& file : result.unreadable)
        text += "\n" + file;
    return text;
}

} // namespace hv
