#pragma once

// The person register the person benchmarks work on: a folder with its own delivered
// database, made the working directory while it lives, and bulk rows of groups, persons
// and tests.

#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace persons_bench {

namespace fs = std::filesystem;

// A folder with its own delivered database, made the working directory while it lives.
class Installation {
public:
    Installation() {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("halvoret-bench-" + std::to_string(rd()));
        fs::create_directories(m_dir / "DataBase");
        std::string error;
        if (!hv::CreateDeliveredDatabase((m_dir / hv::CAdoDb::kDatabasePath).string(), error))
            throw std::runtime_error(error);
        m_previous = fs::current_path();
        fs::current_path(m_dir);
    }
    ~Installation() {
        std::error_code ec;
        fs::current_path(m_previous, ec);
        fs::remove_all(m_dir, ec);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

private:
    fs::path m_dir;
    fs::path m_previous;
};

inline void Check(bool ok) {
    if (!ok)
        throw std::runtime_error("writing the benchmark data failed");
}

// groups x personsPerGroup persons; every stride-th person's name contains "Zyx".
inline void AddPersons(int groups, int personsPerGroup, int stride) {
    hv::CAdoDb db;
    Check(db.Open() && db.Execute("BEGIN"));
    int n = 0;
    for (int g = 0; g < groups; ++g) {
        Check(
            db.AddRow("GroupList", {{"Name", "Group " + std::to_string(g)}, {"Description", ""}}));
        const int groupId = db.LastInsertKey();
        for (int p = 0; p < personsPerGroup; ++p, ++n) {
            const std::string name =
                (stride && n % stride == 0 ? "Zyx Person " : "Person ") + std::to_string(n);
            Check(db.AddRow("Examer", {{"GroupID", groupId},
                                       {"Name", name},
                                       {"Sex", n % 2},
                                       {"Birthday", 29000.0 + n % 9000},
                                       {"Height", "170"},
                                       {"Weight", "65"},
                                       {"Result", "Standard body weight"},
                                       {"Mobile", "0170 " + std::to_string(n)}}));
        }
    }
    Check(db.Execute("COMMIT"));
}

inline void AddTests(int examerId, int count, double firstDate) {
    hv::CAdoDb db;
    Check(db.Open() && db.Execute("BEGIN"));
    for (int i = 0; i < count; ++i)
        Check(db.AddRow("MeasData", {{"ExamerID", examerId},
                                     {"MeasDate", firstDate + i * 0.5},
                                     {"MeasValue", std::string(512, '7')}}));
    Check(db.Execute("COMMIT"));
}

// 20,000 persons, 100 of them with 1,000 tests each, and one more person with 500 tests,
// whose key is returned.
inline int AddPersonWith500Tests() {
    AddPersons(1000, 20, 0);
    for (int other = 2; other <= 20000; other += 200)
        AddTests(other, 1000, 40000.0);
    const int examerId = 10001;
    AddTests(examerId, 500, 44000.0);
    return examerId;
}

} // namespace persons_bench
