// Speed and memory of printed documents: a whole test (the composite report and every report
// of a woman's test, 38 in all) and one report made into a finished PDF, and the finished
// pages drawn for a printer at 300 dots per inch (a PDF writer stands in for the printer).
// Run by hand, on the machine's own cores:
//   build/bench/print_window_bench
// Peak memory is the high-water mark of resident memory during the run (reset before each),
// of this process and of the browser engine's helper processes.

#include "analysis/AnalysisRun.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "print/DocumentJob.h"
#include "print/HeadlessWebEngine.h"
#include "print/PdfPages.h"
#include "printing/DocumentPlan.h"

#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A folder with the delivered database, the report pictures of the installation and one
// analysed test of a woman, made the working directory while it lives.
class Installation {
public:
    Installation() {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("halvoret-print-bench-" + std::to_string(rd()));
        fs::create_directories(m_dir / "DataBase");
        fs::copy(fs::path(HALVORET_STAGE_DIR) / "Reports", m_dir / "Reports",
                 fs::copy_options::recursive);
        std::string error;
        if (!hv::CreateDeliveredDatabase((m_dir / hv::CAdoDb::kDatabasePath).string(), error))
            throw std::runtime_error(error);
        m_previous = fs::current_path();
        fs::current_path(m_dir);
        m_measId = AddAnalysedTest();
    }
    ~Installation() {
        std::error_code ec;
        fs::current_path(m_previous, ec);
        fs::remove_all(m_dir, ec);
    }
    int MeasId() const { return m_measId; }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

private:
    static int AddAnalysedTest() {
        hv::CAdoDb db;
        if (!db.Open() || !db.AddRow("Examer", {{"GroupID", 0},
                                                {"Name", std::string("Ann Example")},
                                                {"Sex", 0},
                                                {"Birthday", hv::ToOleDate({1979, 5, 4, 0, 0, 0})},
                                                {"Height", std::string("165")},
                                                {"Weight", std::string("60")},
                                                {"Result", std::string("Standard body weight")}}))
            throw std::runtime_error("no person");
        const int examer = db.LastInsertKey();
        if (!db.AddRow("MeasData", {{"ExamerID", examer},
                                    {"MeasDate", hv::ToOleDate({2023, 3, 15, 12, 0, 0})},
                                    {"MeasValue", std::string("1-2-")}}))
            throw std::runtime_error("no test");
        const int meas = db.LastInsertKey();
        hv::CAnalysisRun run(meas);
        if (run.Prepare() != hv::PrepareResult::Ready)
            throw std::runtime_error("no analysis");
        run.Run();
        return meas;
    }

    fs::path m_dir;
    fs::path m_previous;
    int m_measId = 0;
};

Installation* g_install = nullptr;

// --- Memory ---

std::vector<int> Descendants(int root) {
    std::vector<int> found{root};
    for (std::size_t i = 0; i < found.size(); ++i)
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            std::getline(stat, line);
            const std::size_t close = line.rfind(')');
            if (close == std::string::npos)
                continue;
            int parent = 0;
            char state = 0;
            if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 &&
                parent == found[i])
                found.push_back(std::stoi(name));
        }
    return found;
}

long HighWaterKiB(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// Resets the high-water marks of this process and its helpers (Linux: clear_refs 5).
void ResetPeaks() {
    for (int pid : Descendants(getpid()))
        std::ofstream("/proc/" + std::to_string(pid) + "/clear_refs") << "5";
}

void ReportPeaks(benchmark::State& state) {
    const std::vector<int> pids = Descendants(getpid());
    long helpers = 0;
    for (std::size_t i = 1; i < pids.size(); ++i)
        helpers += HighWaterKiB(pids[i]);
    state.counters["peak_MiB"] = double(HighWaterKiB(pids.front())) / 1024;
    state.counters["helpers_peak_MiB"] = double(helpers) / 1024;
}

// --- Documents ---

hv::DocumentPlan WholeTest() {
    const auto plan = hv::WholeTestPlan(g_install->MeasId());
    if (!plan)
        throw std::runtime_error("no report list");
    return *plan;
}

hv::DocumentPlan OneReport() {
    hv::DocumentPlan whole = WholeTest();
    return {whole.parts[1].title, {whole.parts[1]}};
}

QPageLayout A4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

int MakePdf(const hv::DocumentPlan& plan, const std::string& target) {
    hv::DocumentJob job(plan, hv::StationPrintOptions(A4()), QString::fromStdString(target));
    QEventLoop loop;
    QObject::connect(&job, &hv::DocumentJob::finished, &loop, &QEventLoop::quit);
    job.Start();
    if (job.IsRunning())
        loop.exec();
    if (job.PageCount() == 0)
        throw std::runtime_error(job.Error().toStdString());
    return job.PageCount();
}

void BM_DocumentPdf(benchmark::State& state, hv::DocumentPlan (*makePlan)()) {
    const hv::DocumentPlan plan = makePlan();
    const std::string target = g_install->File("bench.pdf");
    int pages = 0;
    ResetPeaks();
    for (auto _ : state)
        pages = MakePdf(plan, target);
    ReportPeaks(state);
    state.counters["reports"] = double(plan.parts.size());
    state.counters["pages"] = pages;
    state.counters["file_MiB"] = double(fs::file_size(target)) / (1 << 20);
}
BENCHMARK_CAPTURE(BM_DocumentPdf, whole_test, WholeTest)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_DocumentPdf, one_report, OneReport)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseRealTime();

// The finished pages drawn for a printer, as Print and Print All draw them.
void BM_PrintAt300Dpi(benchmark::State& state, hv::DocumentPlan (*makePlan)()) {
    const std::string source = g_install->File("source.pdf");
    MakePdf(makePlan(), source);
    hv::PdfPages pages;
    if (!pages.Open(QString::fromStdString(source)))
        throw std::runtime_error("unreadable");
    ResetPeaks();
    for (auto _ : state) {
        QPdfWriter printer(QString::fromStdString(g_install->File("printed.pdf")));
        printer.setResolution(300);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF());
        QPainter painter(&printer);
        const QRectF paper(QPointF(), printer.pageLayout().fullRectPixels(300).size());
        pages.Paint(painter, printer, paper, 0, pages.PageCount() - 1);
    }
    ReportPeaks(state);
    state.counters["pages"] = pages.PageCount();
}
BENCHMARK_CAPTURE(BM_PrintAt300Dpi, whole_test, WholeTest)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PrintAt300Dpi, one_report, OneReport)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    hv::PrepareHeadlessWebEngine();
    QGuiApplication app(argc, argv);
    Installation install;
    g_install = &install;
    // The browser engine starts its helpers with the first page; that is not measured.
    MakePdf(OneReport(), install.File("warm.pdf"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
