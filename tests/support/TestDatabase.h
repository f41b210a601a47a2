#pragma once

#include "TempDir.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"

#include <filesystem>
#include <stdexcept>

namespace hv::test {

// An installation folder with a fresh delivered database, made the working directory for
// the lifetime of the object, so code that opens DataBase/DataBase.mdb finds it.
class TestInstallation {
public:
    TestInstallation() {
        std::filesystem::create_directories(m_dir.path() / "DataBase");
        std::filesystem::create_directories(m_dir.path() / "Reports");
        std::string error;
        if (!CreateDeliveredDatabase(databasePath(), error))
            throw std::runtime_error(error);
        m_cwd = std::make_unique<ScopedWorkingDir>(m_dir.path());
    }

    const std::filesystem::path& path() const { return m_dir.path(); }
    std::string databasePath() const { return (m_dir.path() / CAdoDb::kDatabasePath).string(); }

private:
    TempDir m_dir;
    std::unique_ptr<ScopedWorkingDir> m_cwd;
};

} // namespace hv::test
