// Speed of the person pane's database work: filling the tree, searching by name, opening a
// person with many tests. Run by hand:  ./persons_bench
#include "PersonsBenchData.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/MessageSink.h"
#include "persons/PersonSearch.h"
#include "persons/PersonStore.h"
#include "persons/TestRecords.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace persons_bench;

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
    const int examerId = AddPersonWith500Tests();
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
