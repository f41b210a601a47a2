#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace hv::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        for (;;) {
            m_path =
                std::filesystem::temp_directory_path() / ("halvoret-test-" + std::to_string(rd()));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Makes a folder the working directory for a scope (the program resolves every data path
// against it).
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::filesystem::path& dir)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedWorkingDir() {
        std::error_code ec;
        std::filesystem::current_path(m_previous, ec);
    }
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::filesystem::path m_previous;
};

} // namespace hv::test
