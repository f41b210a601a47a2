// Several stations on one register, run by hand: 1, 2, 4 and 8 station processes at once,
// each registering persons, storing tests and analysing them, for a fixed count each. Every
// station is a process of its own with its own working folder, as on separate machines.
//
//   station_load --server URL [--count N] [--stations 1,2,4,8]
//
// URL names a server database in which the program may create schemas (each run gets a
// fresh register in a schema of its own, dropped afterwards). The first line is one station
// on the SQLite file, the baseline. For every run it prints the analyses per second and the
// median and 95th percentile of one analysis (Prepare and Run of CAnalysisRun), then checks
// that no row was lost or duplicated: every table's row count and a checksum over its rows
// must match what the stations stored, and no operation may have failed.

#include "analysis/AnalysisRun.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/DeliveredDatabase.h"
#include "data/MessageSink.h"
#include "data/Schema.h"
#include "persons/PersonStore.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Every message is a failed operation; they are counted, never shown in a box.
class CountingSink final : public hv::MessageSink {
public:
    void ShowMessage(const std::string& text) override {
        ++failures;
        std::cerr << "station: " << text << '\n';
    }
    bool AskYesNo(const std::string&) override { return false; }
    int failures = 0;
};

// The order-independent checksum of a set of rows: the sum of one hash per row.
std::uint64_t RowHash(const hv::CAdoDb& db) {
    std::uint64_t hash = 1469598103934665603ull;
    for (int c = 0; c < db.FieldCount(); ++c) {
        const std::string text =
            std::to_string(static_cast<int>(db.Field(c).type())) + ":" + db.Field(c).AsText() + "|";
        for (unsigned char ch : text)
            hash = (hash ^ ch) * 1099511628211ull;
    }
    return hash;
}

std::string Columns(const hv::TableDef& table) {
    std::string list;
    for (const hv::ColumnDef& column : table.columns)
        list += (list.empty() ? "" : ", ") + column.name;
    return list;
}

// Rows and checksum per table, of the rows that belong to the given tests and persons (all
// rows when both are empty). The delivered rows, which no station writes, are left out.
struct TableSums {
    std::map<std::string, std::int64_t> rows;
    std::map<std::string, std::uint64_t> sums;
};

bool Delivered(const std::string& table) {
    return table == "ReportList" || table == "Product" || table == "SetValue";
}

void AddRows(hv::CAdoDb& db, const std::string& table, const std::string& sql,
             const hv::DbParams& params, TableSums& out) {
    if (!db.OpenRecordset(sql, params))
        return;
    for (; !db.IsEOF(); db.MoveNext()) {
        ++out.rows[table];
        out.sums[table] += RowHash(db);
    }
}

// What one station stored, read back right after it stored it.
void SumStation(hv::CAdoDb& db, int group, const std::vector<std::int32_t>& tests, TableSums& out) {
    for (const hv::TableDef& table : hv::SchemaTables()) {
        if (Delivered(table.name))
            continue;
        const std::string select = "SELECT " + Columns(table) + " FROM " + table.name;
        if (table.name == "GroupList") {
            AddRows(db, table.name, select + " WHERE GroupID=?", {group}, out);
        } else if (table.name == "Examer") {
            AddRows(db, table.name, select + " WHERE GroupID=?", {group}, out);
        } else {
            for (std::int32_t measId : tests)
                AddRows(db, table.name, select + " WHERE MeasID=?", {measId}, out);
        }
    }
}

void SumAll(hv::CAdoDb& db, TableSums& out) {
    for (const hv::TableDef& table : hv::SchemaTables())
        if (!Delivered(table.name))
            AddRows(db, table.name, "SELECT " + Columns(table) + " FROM " + table.name, {}, out);
}

// One station: a group of its own; count persons, each with a test that is analysed; every
// second person comes back for a second test, analysed from the first one's values.
int RunStation(int station, int count, const fs::path& out) {
    CountingSink sink;
    hv::SetMessageSink(&sink);
    hv::GroupRecord group{0, "Station " + std::to_string(station), ""};
    if (!hv::SaveGroup(group))
        return 1;
    std::vector<std::int32_t> tests;
    std::vector<double> millis;
    int failed = 0;
    const auto analyse = [&](std::int32_t measId) {
        const auto start = Clock::now();
        hv::CAnalysisRun run(measId);
        if (run.Prepare() != hv::PrepareResult::Ready) {
            ++failed;
            return;
        }
        run.Run();
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        failed += run.PagesLost().empty() ? 0 : 1;
    };
    const auto storeTest = [&](int examerId, double when) {
        hv::CAdoDb db;
        std::string measurement;
        for (int n = 0; n < 128; ++n)
            measurement += std::to_string((station * 37 + n * 11) % 300) + "-";
        if (!db.Open() ||
            !db.AddRow("MeasData",
                       {{"ExamerID", examerId}, {"MeasDate", when}, {"MeasValue", measurement}})) {
            ++failed;
            return 0;
        }
        return db.LastInsertKey();
    };
    for (int i = 0; i < count; ++i) {
        hv::PersonRecord person;
        person.groupId = group.groupId;
        person.name = "Person " + std::to_string(station) + "-" + std::to_string(i);
        person.male = i % 2 == 0;
        person.birthday = hv::ToOleDate({1950 + i % 50, 1 + i % 12, 1 + i % 28});
        person.height = std::to_string(150 + i % 40);
        person.weight = std::to_string(50 + i % 40);
        person.result = "Standard body weight";
        if (!hv::SavePerson(person)) {
            ++failed;
            continue;
        }
        const int passes = i % 2 == 0 ? 2 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const std::int32_t measId = storeTest(person.examerId, 45000.0 + i + pass * 180);
            if (measId == 0)
                continue;
            tests.push_back(measId);
            analyse(measId);
        }
    }
    TableSums sums;
    hv::CAdoDb db;
    if (db.Open())
        SumStation(db, group.groupId, tests, sums);
    std::ofstream file(out);
    file << "failed " << failed + sink.failures << '\n';
    for (double ms : millis)
        file << "ms " << std::setprecision(17) << ms << '\n';
    for (const auto& [table, rows] : sums.rows)
        file << "table " << table << ' ' << rows << ' ' << sums.sums[table] << '\n';
    return 0;
}

struct RunFigures {
    std::string engine;
    int stations = 0;
    std::size_t analyses = 0;
    double seconds = 0;
    double median = 0, p95 = 0;
    int failed = 0;
    bool intact = false;
};

double Percentile(std::vector<double> values, double share) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t at =
        std::min(values.size() - 1, static_cast<std::size_t>(share * (values.size() - 1) + 0.5));
    return values[at];
}

pid_t Spawn(const std::string& self, const std::vector<std::string>& args, const fs::path& dir,
            const std::string& database) {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    fs::current_path(dir);
    setenv(hv::kDatabaseEnvironment, database.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(self.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(self.c_str(), argv.data());
    _exit(127);
}

RunFigures RunLoad(const std::string& self, const std::string& engine, const std::string& database,
                   int stations, int count, const fs::path& work) {
    RunFigures figures{engine, stations};
    std::vector<pid_t> children;
    const auto start = Clock::now();
    for (int s = 1; s <= stations; ++s) {
        const fs::path dir = work / ("station-" + std::to_string(s));
        fs::create_directories(dir / "Reports");
        children.push_back(Spawn(self,
                                 {"--station", std::to_string(s), "--count", std::to_string(count),
                                  "--out", (dir / "figures.txt").string()},
                                 dir, database));
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ++figures.failed;
    }
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::vector<double> millis;
    TableSums stored;
    for (int s = 1; s <= stations; ++s) {
        std::ifstream in(work / ("station-" + std::to_string(s)) / "figures.txt");
        for (std::string kind; in >> kind;) {
            if (kind == "failed") {
                int n = 0;
                in >> n;
                figures.failed += n;
            } else if (kind == "ms") {
                double ms = 0;
                in >> ms;
                millis.push_back(ms);
            } else if (kind == "table") {
                std::string table;
                std::int64_t rows = 0;
                std::uint64_t sum = 0;
                in >> table >> rows >> sum;
                stored.rows[table] += rows;
                stored.sums[table] += sum;
            }
        }
    }
    figures.analyses = millis.size();
    figures.median = Percentile(millis, 0.5);
    figures.p95 = Percentile(millis, 0.95);

    TableSums found;
    hv::CAdoDb db;
    if (db.Open(database))
        SumAll(db, found);
    figures.intact = found.rows == stored.rows && found.sums == stored.sums;
    if (!figures.intact)
        for (const auto& [table, rows] : found.rows)
            if (stored.rows[table] != rows || stored.sums[table] != found.sums[table])
                std::cerr << "station_load: " << table << " holds " << rows << " rows, the "
                          << "stations stored " << stored.rows[table] << '\n';
    return figures;
}

std::vector<int> ParseCounts(const std::string& text) {
    std::vector<int> counts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        counts.push_back(std::stoi(part));
    return counts;
}

void Print(const RunFigures& f) {
    std::cout << std::left << std::setw(12) << f.engine << std::right << std::setw(9) << f.stations
              << std::setw(10) << f.analyses << std::fixed << std::setprecision(1) << std::setw(10)
              << f.seconds << std::setw(12) << f.analyses / f.seconds << std::setw(11) << f.median
              << std::setw(9) << f.p95 << std::setw(8) << f.failed << "   "
              << (f.intact ? "intact" : "ROWS DIFFER") << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> options{{"--count", "25"}, {"--stations", "1,2,4,8"}};
    for (int i = 1; i + 1 < argc; i += 2)
        options[argv[i]] = argv[i + 1];
    const int count = std::stoi(options["--count"]);
    if (options.count("--station"))
        return RunStation(std::stoi(options["--station"]), count, options["--out"]);
    if (!options.count("--server")) {
        std::cerr << "usage: station_load --server URL [--count N] [--stations 1,2,4,8]\n";
        return 2;
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path work = fs::absolute("station-load-work");
    fs::remove_all(work);
    CountingSink sink;
    hv::SetMessageSink(&sink);

    std::cout << "engine      stations  analyses   seconds  analyses/s  median ms   p95 ms  "
                 "failed   rows\n";
    bool allIntact = true;
    const auto run = [&](const std::string& engine, const std::string& database, int stations) {
        const RunFigures figures = RunLoad(self, engine, database, stations, count, work);
        Print(figures);
        allIntact = allIntact && figures.intact && figures.failed == 0;
        fs::remove_all(work);
    };
    {
        fs::create_directories(work / "file");
        const std::string file = (work / "file" / "DataBase.mdb").string();
        std::string error;
        if (!hv::CreateDeliveredDatabase(file, error)) {
            std::cerr << "station_load: " << error << '\n';
            return 1;
        }
        run("sqlite", file, 1);
    }
    const std::string server = options["--server"];
    for (int stations : ParseCounts(options["--stations"])) {
        const std::string schema = "station_load_" + std::to_string(getpid());
        hv::CAdoDb admin;
        if (!admin.Open(server) || !admin.Execute("DROP SCHEMA IF EXISTS " + schema + " CASCADE") ||
            !admin.Execute("CREATE SCHEMA " + schema))
            return 1;
        admin.Close();
        const std::string url = server + (server.find('?') == std::string::npos ? "?" : "&") +
                                "options=-csearch_path%3D" + schema;
        std::string error;
        if (!hv::CreateDeliveredDatabase(url, error)) {
            std::cerr << "station_load: " << error << '\n';
            return 1;
        }
        hv::CAdoDb::CloseIdleConnections(); // the stations are processes of their own
        run("postgresql", url, stations);
        hv::CAdoDb::CloseIdleConnections();
        if (admin.Open(server))
            admin.Execute("DROP SCHEMA " + schema + " CASCADE");
    }
    std::cout << (allIntact ? "every run: no failed operation, every table's rows and checksum "
                              "as stored\n"
                            : "FAILURES or differing rows, see above\n");
    return allIntact ? 0 : 1;
}
