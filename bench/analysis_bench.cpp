// Speed of the analysis of one test on a small (1,000 tests) and a large (100,000 tests)
// database: a first analysis (value rows created, every page written) and a re-analysis of
// an analysed test.
//
// The run keeps one connection and stores its rows in one transaction. Measured against a
// connection for each report's queries with every row stored on its own (an earlier
// version of this benchmark, on this 2-core machine), that way was 8 to 12 times slower:
// first analysis 64.7 ms against 7.7 ms (1,000 tests), re-analysis 56.0 ms against 4.7 ms.
//
// The databases are built on the first use of their size in a folder below the working
// directory (HALVORET_BENCH_DIR chooses another), filled as if every earlier test had been
// analysed, and removed at the end. With HALVORET_BENCH_SERVER set to a server database's
// URI, they are built on that server instead (a schema each, dropped at the end). Run from
// a Release or RelWithDebInfo build:
//   analysis_bench --benchmark_filter=Analysis
//   HALVORET_BENCH_SERVER=postgresql://halvoret_owner@localhost/halvoret analysis_bench

#include "analysis/AnalysisRun.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "data/MessageSink.h"
#include "data/Schema.h"
#include "data/SeedData.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

constexpr int kTestsPerPerson = 5;
constexpr int kSummaryRowsPerTest = 6;

// Messages would only slow the measurement down; a failure stops the program instead.
class FailingSink final : public hv::MessageSink {
public:
    void ShowMessage(const std::string& text) override {
        std::cerr << "analysis_bench: " << text << '\n';
        std::exit(1);
    }
    bool AskYesNo(const std::string&) override { return false; }
};

void Run(hv::CAdoDb& db, const std::string& sql, const hv::DbParams& params = {}) {
    if (!db.Execute(sql, params))
        throw std::runtime_error("cannot build the benchmark database: " + sql);
}

// A value for every column: a spread around the item ranges' usual sizes. The engines'
// random() differ: an integer in the file, a fraction below 1 on the server.
std::string ValueColumnsSelect(int reportNumber, hv::DbEngine engine) {
    const char* random = engine == hv::DbEngine::PostgreSQL ? ", floor(random() * 100000) / 1000.0"
                                                            : ", abs(random() % 100000) / 1000.0";
    std::string columns = "MeasID";
    std::string values = "m.MeasID";
    for (int item = 1; item <= hv::ValueColumnCount(reportNumber); ++item) {
        columns += ", " + hv::ValueColumnName(item);
        values += reportNumber == 9 ? ", 'u0.15'" : random;
    }
    return "INSERT INTO " + hv::ValueTableName(reportNumber) + " (" + columns + ") SELECT " +
           values + " FROM MeasData m";
}

// Persons, their tests and what analysing every test left behind.
void Fill(int tests) {
    hv::CAdoDb db;
    if (!db.Open())
        throw std::runtime_error("cannot open the benchmark database");
    Run(db, "BEGIN");
    Run(db,
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "INSERT INTO Examer (GroupID, Name, Sex, Birthday, Height, Weight, Result) "
        "SELECT 1, 'Person ' || i, i % 2, 25000 + i % 15000, '172', '66', "
        "'Standard body weight' FROM n",
        {tests / kTestsPerPerson});
    Run(db,
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ? - 1) "
        "INSERT INTO MeasData (ExamerID, MeasDate, MeasValue) "
        "SELECT i % ? + 1, 44000 + i * 0.02, '12-200-7-' FROM n",
        {tests, tests / kTestsPerPerson});
    for (int number : hv::ValueReportNumbers())
        Run(db, ValueColumnsSelect(number, db.Engine()));
    for (int k = 0; k < kSummaryRowsPerTest; ++k)
        Run(db,
            "INSERT INTO ReportValueAll (MeasID, System, Item, ValueRange, Value, ValueResult, "
            "Type) SELECT MeasID, ?, 'Blood Viscosity', '48.264 - 65.371', 70.5, "
            "'Moderately Abnormal(++)', 'B' FROM MeasData",
            {hv::SeedReports()[static_cast<std::size_t>(k * 3)].name});
    Run(db, "COMMIT");
    // A server keeps statistics of its tables (autovacuum); here they are made at once.
    if (db.IsServer())
        for (const hv::TableDef& table : hv::SchemaTables())
            Run(db, "ANALYZE " + table.name);
}

class Installation {
public:
    explicit Installation(int tests) {
        const char* base = std::getenv("HALVORET_BENCH_DIR");
        m_dir = fs::absolute(base ? fs::path(base) : fs::path("analysis-bench-data")) /
                std::to_string(tests);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "DataBase");
        fs::create_directories(m_dir / "Reports");
        std::string error;
        if (const char* server = std::getenv("HALVORET_BENCH_SERVER")) {
            m_server = server;
            m_schema = "analysis_bench_" + std::to_string(tests);
            hv::CAdoDb admin;
            if (!admin.Open(m_server))
                throw std::runtime_error("cannot reach " + m_server);
            Run(admin, "DROP SCHEMA IF EXISTS " + m_schema + " CASCADE");
            Run(admin, "CREATE SCHEMA " + m_schema);
            m_url = m_server + (m_server.find('?') == std::string::npos ? "?" : "&") +
                    "options=-csearch_path%3D" + m_schema;
            if (!hv::CreateDeliveredDatabase(m_url, error))
                throw std::runtime_error(error);
        } else if (!hv::CreateDeliveredDatabase((m_dir / hv::CAdoDb::kDatabasePath).string(),
                                                error)) {
            throw std::runtime_error(error);
        }
        Enter();
        Fill(tests);
        m_tests = tests;
    }
    ~Installation() {
        std::error_code ec;
        fs::current_path(m_dir.parent_path().parent_path(), ec);
        fs::remove_all(m_dir, ec);
        fs::remove(m_dir.parent_path(), ec); // only once it is empty
        if (!m_schema.empty()) {
            hv::CAdoDb::CloseIdleConnections();
            hv::CAdoDb admin;
            if (admin.Open(m_server))
                admin.Execute("DROP SCHEMA " + m_schema + " CASCADE");
        }
    }

    // The installation's folder becomes the working folder; a server register is named by
    // the environment.
    void Enter() const {
        fs::current_path(m_dir);
        if (!m_url.empty())
            setenv(hv::kDatabaseEnvironment, m_url.c_str(), 1);
    }

    // A new test of a person with a history: the follow-up path of every report.
    std::int32_t NewTest() {
        hv::CAdoDb db;
        db.Open();
        const std::int32_t person = ++m_nextPerson % (m_tests / kTestsPerPerson) + 1;
        db.AddRow("MeasData", {{"ExamerID", person}, {"MeasDate", 45500.0}, {"MeasValue", "1-"}});
        return db.LastInsertKey();
    }

private:
    fs::path m_dir;
    std::string m_server;
    std::string m_schema;
    std::string m_url;
    int m_tests = 0;
    int m_nextPerson = 0;
};

// Removed before main returns: a server register is dropped through a connection, which
// must not outlive the thread's connections.
std::map<int, std::unique_ptr<Installation>> g_installations;

Installation& InstallationFor(int tests) {
    auto& slot = g_installations[tests];
    if (!slot)
        slot = std::make_unique<Installation>(tests);
    slot->Enter();
    return *slot;
}

void Analyse(std::int32_t measId) {
    hv::CAnalysisRun run(measId);
    if (run.Prepare() != hv::PrepareResult::Ready)
        throw std::runtime_error("preparation failed");
    run.Run();
    benchmark::DoNotOptimize(run.PagesWritten().data());
}

void BM_FirstAnalysis(benchmark::State& state) {
    Installation& install = InstallationFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        const std::int32_t measId = install.NewTest();
        state.ResumeTiming();
        Analyse(measId);
    }
}

void BM_Reanalysis(benchmark::State& state) {
    Installation& install = InstallationFor(static_cast<int>(state.range(0)));
    const std::int32_t measId = install.NewTest();
    Analyse(measId);
    for (auto _ : state)
        Analyse(measId);
}

// Arg: database size in tests. Each repetition times one analysis.
void Sizes(benchmark::internal::Benchmark* b) {
    for (int tests : {1000, 100000})
        b->Args({tests});
    b->ArgNames({"tests"});
    b->Iterations(1)->Repetitions(31)->ReportAggregatesOnly(true);
    b->Unit(benchmark::kMillisecond);
    b->UseRealTime();
}

BENCHMARK(BM_FirstAnalysis)->Apply(Sizes);
BENCHMARK(BM_Reanalysis)->Apply(Sizes);

} // namespace

int main(int argc, char** argv) {
    FailingSink sink;
    hv::SetMessageSink(&sink);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_installations.clear();
    return 0;
}
