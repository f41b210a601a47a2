// Backup and restore of large databases: time, and the process's peak memory, which must
// stay flat when the database grows tenfold (both stream the file in fixed-size chunks).
//
//   build-*/bench/backup_bench                       all sizes, smallest first
//   /usr/bin/time -v build-*/bench/backup_bench --benchmark_filter='/200'

#include "backup/DatabaseBackup.h"
#include "backup/DatabaseRestore.h"
#include "data/DeliveredDatabase.h"
#include "data/MessageSink.h"

#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// Answers the replacement question Yes and keeps quiet otherwise, as a confirmed restore.
class ConfirmingSink final : public hv::MessageSink {
public:
    void ShowMessage(const std::string& text) override { lastMessage = text; }
    bool AskYesNo(const std::string&) override { return true; }
    std::string lastMessage;
};

// Notes when the backup passes its stage marks: the snapshot ends at 0.3 of the work, the
// check of the snapshot at 0.35, the compression at 1.
class StageClock final : public hv::BackupProgress {
public:
    void Start() {
        m_start = Clock::now();
        m_marks = {};
    }
    void OnProgress(double fraction) override {
        for (std::size_t i = 0; i < kMarks.size(); ++i)
            if (fraction >= kMarks[i] && m_marks[i] == Clock::time_point{})
                m_marks[i] = Clock::now();
    }
    // Seconds spent in stage i (0 snapshot, 1 check, 2 compression).
    double StageSeconds(std::size_t i) const {
        const Clock::time_point from = i == 0 ? m_start : m_marks[i - 1];
        return std::chrono::duration<double>(m_marks[i] - from).count();
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::array<double, 3> kMarks{0.3, 0.35, 1.0};
    Clock::time_point m_start;
    std::array<Clock::time_point, 3> m_marks{};
};

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A delivered database grown with tests until its file reaches the wanted size. The
// measurements are pseudo-random numbers like the ones a test stores, so the archive
// compresses as a real one would.
class BenchDatabase {
public:
    explicit BenchDatabase(int megabytes)
        : m_folder(fs::temp_directory_path() / ("halvoret-bench-" + std::to_string(megabytes))) {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        std::string error;
        if (!hv::CreateDeliveredDatabase(database().string(), error))
            throw std::runtime_error(error);
        Grow(static_cast<std::uintmax_t>(megabytes) << 20);
    }
    ~BenchDatabase() {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    fs::path database() const { return m_folder / "DataBase.mdb"; }
    fs::path archive() const { return m_folder / "Backup.zip"; }

private:
    void Grow(std::uintmax_t bytes) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(database().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO MeasData (ExamerID, MeasDate, MeasValue) VALUES (1, ?, ?)",
                           -1, &insert, nullptr);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> value(0, 299);
        const std::uintmax_t rows = bytes / 560; // one row and its share of the pages
        for (std::uintmax_t row = 0; row < rows; ++row) {
            std::string measurement;
            for (int n = 0; n < 128; ++n)
                measurement += std::to_string(value(random)) + "-";
            sqlite3_bind_double(insert, 1, 45000.0 + static_cast<double>(row) / 100.0);
            sqlite3_bind_text(insert, 2, measurement.data(), static_cast<int>(measurement.size()),
                              SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }

    fs::path m_folder;
};

// One database at a time on the disk: the one of the size asked for last.
BenchDatabase& DatabaseOf(int megabytes) {
    static std::unique_ptr<BenchDatabase> current;
    static int currentSize = 0;
    if (!current || currentSize != megabytes) {
        current.reset();
        current = std::make_unique<BenchDatabase>(megabytes);
        currentSize = megabytes;
    }
    return *current;
}

void ReportFigures(benchmark::State& state, const fs::path& database, const fs::path& archive) {
    const auto size = static_cast<int64_t>(fs::file_size(database));
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["db_MB"] = static_cast<double>(size) / (1 << 20);
    state.counters["zip_MB"] = static_cast<double>(fs::file_size(archive)) / (1 << 20);
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentKiB()) / 1024;
}

void BM_Backup(benchmark::State& state) {
    BenchDatabase& bench = DatabaseOf(static_cast<int>(state.range(0)));
    ConfirmingSink sink;
    hv::SetMessageSink(&sink);
    StageClock stages;
    hv::BackupOptions options;
    options.progress = &stages;
    for (auto _ : state) {
        stages.Start();
        if (!hv::BackupDatabase(bench.database().string(), bench.archive().string(), options).ok)
            state.SkipWithError(sink.lastMessage.c_str());
    }
    hv::SetMessageSink(nullptr);
    ReportFigures(state, bench.database(), bench.archive());
    state.counters["snapshot_s"] = stages.StageSeconds(0);
    state.counters["check_s"] = stages.StageSeconds(1);
    state.counters["deflate_s"] = stages.StageSeconds(2);
}

void BM_Restore(benchmark::State& state) {
    BenchDatabase& bench = DatabaseOf(static_cast<int>(state.range(0)));
    ConfirmingSink sink;
    hv::SetMessageSink(&sink);
    if (!fs::exists(bench.archive()))
        hv::BackupDatabase(bench.database().string(), bench.archive().string());
    for (auto _ : state) {
        const hv::RestoreResult result =
            hv::RestoreDatabase(bench.archive().string(), bench.database().string());
        if (result.outcome != hv::RestoreOutcome::Restored)
            state.SkipWithError(sink.lastMessage.c_str());
    }
    hv::SetMessageSink(nullptr);
    ReportFigures(state, bench.database(), bench.archive());
}

// Sizes in megabytes; each runs its backup before its restore, smallest size first, so the
// peak memory after the small size can be compared with the peak after the large one.
BENCHMARK(BM_Backup)->Arg(20)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Restore)->Arg(20)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Backup)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Restore)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
