#include "common/WorkFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace hv {
namespace fs = std::filesystem;

namespace {

std::string RandomHex() {
    static thread_local std::random_device device;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", device(), device());
    return text;
}

} // namespace

bool CreateSiblingFile(const fs::path& target, std::string_view tag, fs::path& created,
                       std::string& error) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = target;
        candidate += "." + std::string(tag) + "-" + RandomHex();
        // "x": fail rather than open a file that exists.
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            const bool closed = std::fclose(file) == 0;
            if (!closed) {
                error = std::strerror(errno);
                std::error_code ec;
                fs::remove(candidate, ec);
                return false;
            }
            created = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) {
            error = "cannot create a file in " + target.parent_path().string() + ": " +
                    std::strerror(errno);
            return false;
        }
    }
    error = "cannot find a free file name beside " + target.string();
    return false;
}

std::array<fs::path, 3> DatabaseCompanions(const fs::path& database) {
    std::array<fs::path, 3> companions{database, database, database};
    companions[0] += "-wal";
    companions[1] += "-shm";
    companions[2] += "-journal";
    return companions;
}

bool RemoveDatabaseCompanions(const fs::path& database, std::string& error) {
    for (const fs::path& companion : DatabaseCompanions(database)) {
        std::error_code ec;
        fs::remove(companion, ec);
        if (ec) {
            error = "cannot remove " + companion.string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}

bool SyncFile(const fs::path& file, std::string& error) {
#ifdef _WIN32
    std::FILE* stream = _wfopen(file.c_str(), L"r+b");
    const bool ok = stream && std::fflush(stream) == 0 && _commit(_fileno(stream)) == 0;
    if (stream)
        std::fclose(stream);
#else
    const int fd = ::open(file.c_str(), O_RDONLY);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (fd >= 0)
        ::close(fd);
    errno = savedErrno;
#endif
    if (!ok)
        error = "cannot write " + file.string() + " to the disk: " + std::strerror(errno);
    return ok;
}

void SyncFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

bool ReplaceFile(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) {
        error = "cannot move " + from.string() + " to " + to.string() + ": " + ec.message();
        return false;
    }
    SyncFolder(to.parent_path());
    return true;
}

bool PublishedFile::Create(const fs::path& target, std::string_view tag, std::string& error) {
    m_work.Discard();
    fs::path created;
    if (!CreateSiblingFile(target, tag, created, error))
        return false;
    m_target = target;
    m_work.Adopt(std::move(created));
    return true;
}

bool PublishedFile::Publish(std::string& error) {
    if (m_work.path().empty()) {
        error = "there is no finished file to put in place";
        return false;
    }
    if (!SyncFile(m_work.path(), error) || !ReplaceFile(m_work.path(), m_target, error))
        return false;
    m_work.Keep();
    return true;
}

void WorkFile::Discard() {
    if (m_path.empty())
        return;
    std::error_code ec;
    fs::remove(m_path, ec);
    for (const fs::path& companion : DatabaseCompanions(m_path))
        fs::remove(companion, ec);
    m_path.clear();
}

} // namespace hv
