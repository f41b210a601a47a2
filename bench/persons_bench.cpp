// Speed of the person pane's database work: filling the tree, searching by name, opening a
// person with many tests. Run by hand:  ./persons_bench
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "data/MessageSink.h"
#include "persons/PersonSearch.h"
#include "persons/PersonStore.h"
#include "persons/TestRecords.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

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

void Check(bool ok) {
    if (!ok)
        throw std::runtime_error("writing the benchmark data failed");
}

// groups x personsPerGroup persons; every stride-th person's name contains "Zyx".
void AddPersons(int groups, int personsPerGroup, int stride) {
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

void AddTests(int examerId, int count, double firstDate) {
    hv::CAdoDb db;
    Check(db.Open() && db.Execute("BEGIN"));
    for (int i = 0; i < count; ++i)
        Check(db.AddRow("MeasData", {{"ExamerID", examerId},
                                     {"MeasDate", firstDate + i * 0.5},
                                     {"MeasValue", std::string(512, '7')}}));
    Check(db.Execute("COMMIT"));
}

// What every operation pays before its first query: opening the file.
void BM_OpenConnection(benchmark::State& state) {
    Installation install;
    for (auto _ : state) {
        hv::CAdoDb db;
        benchmark::DoNotOptimize(db.Open());
    }
}
BENCHMARK(BM_OpenConnection)->Unit(benchmark::kMillisecond);

// 1,000 groups with 20 persons each.
void BM_FillTree(benchmark::State& state) {
    Installation install;
    AddPersons(1000, 20, 0);
    std::size_t persons = 0;
    for (auto _ : state) {
        auto tree = hv::LoadPersonTree();
        persons = 0;
        for (const auto& group : *tree)
            persons += group.persons.size();
        benchmark::DoNotOptimize(tree);
    }
    state.counters["persons"] = static_cast<double>(persons);
}
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond);

// The same tree read with one query of persons per group.
void BM_FillTreeQueryPerGroup(benchmark::State& state) {
    Installation install;
    AddPersons(1000, 20, 0);
    for (auto _ : state) {
        hv::CAdoDb groups, persons;
        groups.Open();
        persons.Open();
        groups.OpenRecordset("SELECT * FROM GroupList ORDER BY GroupID");
        std::size_t count = 0;
        for (; !groups.IsEOF(); groups.MoveNext()) {
            persons.OpenRecordset("SELECT * FROM Examer WHERE GroupID=? ORDER BY ExamerID",
                                  {groups.GetLong("GroupID")});
            for (; !persons.IsEOF(); persons.MoveNext())
                benchmark::DoNotOptimize(persons.GetText("Name"));
            count += persons.RecordCount();
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_FillTreeQueryPerGroup)->Unit(benchmark::kMillisecond);

// 100,000 persons, 100 of them with "Zyx" in their name.
void BM_SearchByName(benchmark::State& state) {
    Installation install;
    AddPersons(100, 1000, 1000);
    hv::SearchCriteria criteria;
    criteria.name = "Zyx";
    std::size_t hits = 0;
    for (auto _ : state) {
        auto result = hv::SearchPersons(criteria);
        hits = result->size();
        std::size_t cells = 0;
        for (std::size_t i = 0; i < result->size(); ++i)
            cells += hv::SearchRowTexts((*result)[i], static_cast<int>(i)).size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchByName)->Unit(benchmark::kMillisecond);

// Selecting a person with 500 tests among 20,000 persons and 100,000 other tests: the
// person's row for the basic-info page and the test list.
void BM_OpenPersonWith500Tests(benchmark::State& state) {
    Installation install;
    AddPersons(1000, 20, 0);
    for (int other = 2; other <= 20000; other += 200)
        AddTests(other, 1000, 40000.0);
    const int examerId = 10001;
    AddTests(examerId, 500, 44000.0);
    const double now = hv::ToOleDate({2024, 6, 1, 12, 0, 0});
    std::size_t rows = 0;
    for (auto _ : state) {
        hv::PersonRecord person;
        hv::LoadPerson(examerId, person);
        auto tests = hv::LoadTestRecords(examerId, now);
        rows = tests->size();
        benchmark::DoNotOptimize(tests);
    }
    state.counters["tests"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenPersonWith500Tests)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
