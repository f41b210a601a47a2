// Speed and memory of the register exchange: importing a file of persons in one transaction
// and writing a group's persons out again. Run by hand:
//   ./exchange_bench                      (100,000 and 300,000 rows)
// Peak memory is the process's maximum resident set after the run (ru_maxrss); compare the
// two file sizes, or run one size at a time with --benchmark_filter=.../100000.
#include "PersonsBenchData.h"
#include "exchange/PersonImport.h"
#include "exchange/RegisterExport.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

using namespace persons_bench;

// A file as a spreadsheet saves it: every column filled, some fields quoted.
std::string WritePersonsFile(long rows) {
    const std::string path = "persons-" + std::to_string(rows) + ".csv";
    std::ofstream out(path, std::ios::binary);
    out << "\xEF\xBB\xBFName;Sex;Birthday;Height;Weight;Telephone;Mobile;Email;Company;Job;"
           "Address;Remark\r\n";
    for (long i = 0; i < rows; ++i)
        out << "Person " << i << ';' << (i % 2 ? 'M' : 'F') << ';' << 1950 + i % 60 << "-0"
            << 1 + i % 9 << '-' << 10 + i % 18 << ';' << 150 + i % 50 << ';' << 45 + i % 60
            << ";+49 30 " << i << ";0170 " << i << ";p" << i << "@example.org;"
            << "\"Works; Inc\";Engineer;\"Street " << i << "\r\nTown\";\"said \"\"hi\"\"\"\r\n";
    return path;
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportPersons(benchmark::State& state) {
    Installation install;
    const long rows = state.range(0);
    const std::string file = WritePersonsFile(rows);
    int run = 0;
    for (auto _ : state) {
        hv::ImportTarget target{0, "Import " + std::to_string(++run)};
        const hv::ImportOutcome outcome = hv::ImportPersonsFile(file, target, false, {});
        if (!outcome.committed || outcome.summary.valid != rows)
            state.SkipWithError("the import failed");
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_ImportPersons)->Arg(100000)->Arg(300000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_ExportPersons(benchmark::State& state) {
    Installation install;
    const long rows = state.range(0);
    hv::ImportTarget target{0, "Exported"};
    hv::ImportPersonsFile(WritePersonsFile(rows), target, false, {});
    for (auto _ : state) {
        const hv::ExportOutcome outcome = hv::ExportPersons(target.groupId, "out.csv");
        if (!outcome.written || outcome.rows != rows)
            state.SkipWithError("the export failed");
    }
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_ExportPersons)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
