#pragma once

#include "TempDir.h"
#include "data/AdoDb.h"
#include "data/DatabaseLocation.h"
#include "data/DeliveredDatabase.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace hv::test {

// The server the database tests use for their PostgreSQL runs: the URI of a database in
// which they may create and drop schemas (./build.sh test starts a throwaway server and
// sets it). Without it the server runs of the tests are skipped, unless
// HALVORET_TEST_SERVER_REQUIRED is set, which makes them fail.
inline constexpr const char* kTestServerEnvironment = "HALVORET_TEST_SERVER";
inline constexpr const char* kTestServerRequiredEnvironment = "HALVORET_TEST_SERVER_REQUIRED";

inline std::optional<std::string> TestServerUrl() {
    const char* url = std::getenv(kTestServerEnvironment);
    if (!url || !*url)
        return std::nullopt;
    return std::string(url);
}

inline bool TestServerRequired() {
    const char* required = std::getenv(kTestServerRequiredEnvironment);
    return required && *required && std::string(required) != "0";
}

// The URI with one more parameter.
inline std::string WithParameter(const std::string& url, const std::string& parameter) {
    return url + (url.find('?') == std::string::npos ? "?" : "&") + parameter;
}

// Sets an environment variable for a scope and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* before = std::getenv(name))
            m_previous = before;
        Set(value);
    }
    ~ScopedEnvironment() { Set(m_previous); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(m_name, value->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_previous;
};

// An installation folder with a fresh delivered database, made the working directory for
// the lifetime of the object, so code that opens the configured register finds it.
//
// On SQLite the register is DataBase/DataBase.mdb in the folder. On PostgreSQL it is a
// schema of its own in the test server's database, named by HALVORET_DATABASE for the
// lifetime of the object, and dropped at the end. When no server is available the
// installation is not ready (ready(), problem()) and the test should skip.
class TestInstallation {
public:
    explicit TestInstallation(DbEngine engine = DbEngine::SQLite)
        : m_engine(engine), m_database(kDatabaseEnvironment, std::nullopt) {
        std::filesystem::create_directories(m_dir.path() / "DataBase");
        std::filesystem::create_directories(m_dir.path() / "Reports");
        m_cwd = std::make_unique<ScopedWorkingDir>(m_dir.path());
        if (engine == DbEngine::PostgreSQL) {
            CreateServerRegister();
            return;
        }
        std::string error;
        if (!CreateDeliveredDatabase(databasePath(), error))
            throw std::runtime_error(error);
    }

    ~TestInstallation() {
        // Connections kept open for later operations would only find the schema gone.
        CAdoDb::CloseIdleConnections();
        if (!m_schema.empty())
            RunOnServer("DROP SCHEMA " + m_schema + " CASCADE");
    }

    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    DbEngine engine() const { return m_engine; }
    bool server() const { return m_engine == DbEngine::PostgreSQL; }
    // Whether the register exists; otherwise problem() says why.
    bool ready() const { return m_problem.empty(); }
    const std::string& problem() const { return m_problem; }

    const std::filesystem::path& path() const { return m_dir.path(); }
    // The database file (SQLite).
    std::string databasePath() const { return (m_dir.path() / CAdoDb::kDatabasePath).string(); }
    // The register's URI (PostgreSQL).
    const std::string& databaseUrl() const { return m_url; }
    // What CAdoDb::Open takes to reach the register.
    std::string location() const { return server() ? m_url : databasePath(); }
    // The schema on the server that holds the register.
    const std::string& schema() const { return m_schema; }

    // Takes the register out of reach, as a deleted file or a server that does not answer.
    void MakeUnreachable() {
        if (!server()) {
            for (const char* suffix : {"", "-wal", "-shm"})
                std::filesystem::remove(databasePath() + suffix);
            return;
        }
        CAdoDb::CloseIdleConnections();
        m_database.Set("postgresql:///halvoret?host=" + (m_dir.path() / "no-server").string());
    }
    // Makes the register reachable again after MakeUnreachable (server only).
    void MakeReachable() { m_database.Set(m_url); }

    // Runs statements on the server's database as the test server's own role.
    bool RunOnServer(const std::string& sql) const {
        const std::optional<std::string> base = TestServerUrl();
        if (!base)
            return false;
        CAdoDb db;
        db.KeepFailures(true);
        return db.Open(*base) && db.ExecuteScript(sql);
    }

private:
    void CreateServerRegister() {
        const std::optional<std::string> base = TestServerUrl();
        if (!base) {
            m_problem = std::string("no PostgreSQL server for the tests: ") +
                        kTestServerEnvironment +
                        " is not set (./build.sh test starts one and sets it)";
            return;
        }
        static std::atomic<int> counter{0};
        const std::string schema =
            "hv_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
        CAdoDb db;
        db.KeepFailures(true);
        if (!db.Open(*base) || !db.Execute("CREATE SCHEMA " + schema)) {
            m_problem =
                "the PostgreSQL test server cannot be used (" + *base + "): " + db.LastError();
            return;
        }
        m_schema = schema;
        m_url = WithParameter(*base, "options=-csearch_path%3D" + schema);
        std::string error;
        if (!CreateDeliveredDatabase(m_url, error))
            throw std::runtime_error(error);
        m_database.Set(m_url);
    }

    DbEngine m_engine;
    TempDir m_dir;
    ScopedEnvironment m_database;
    std::unique_ptr<ScopedWorkingDir> m_cwd;
    std::string m_schema;
    std::string m_url;
    std::string m_problem;
};

} // namespace hv::test
