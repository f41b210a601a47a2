// Speed of the person pane as the operator sees it: the same work as persons_bench, with
// the windows filled (tree items, search result rows, test list rows). Run by hand:
//   ./persons_window_bench        (draws off screen unless QT_QPA_PLATFORM says otherwise)
#include "PersonsBenchData.h"
#include "common/Clock.h"
#include "ui/persons/CChildList.h"
#include "ui/persons/CEditSearch.h"
#include "ui/persons/CTabPage1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

using namespace persons_bench;

// 1,000 groups with 20 persons each, read and put into the tree.
void BM_PaneFillsTree(benchmark::State& state) {
    Installation install;
    AddPersons(1000, 20, 0);
    CChildList pane;
    pane.resize(1200, 800);
    int items = 0;
    for (auto _ : state) {
        pane.FillTree();
        items = pane.Tree()->topLevelItemCount();
    }
    state.counters["groups"] = items;
}
BENCHMARK(BM_PaneFillsTree)->Unit(benchmark::kMillisecond);

// 100,000 persons, 100 of them with "Zyx" in their name: searched and listed.
void BM_SearchDialogListsHits(benchmark::State& state) {
    Installation install;
    AddPersons(100, 1000, 1000);
    CEditSearch dialog;
    dialog.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Zyx"));
    int rows = 0;
    for (auto _ : state) {
        dialog.OnSearch();
        rows = dialog.ResultList()->rowCount();
    }
    state.counters["hits"] = rows;
}
BENCHMARK(BM_SearchDialogListsHits)->Unit(benchmark::kMillisecond);

// A person with 500 tests among 20,000 persons and 100,000 other tests: the test list.
void BM_RecordPageListsTests(benchmark::State& state) {
    Installation install;
    const int examerId = AddPersonWith500Tests();
    CTabPage1 page;
    page.resize(1200, 600);
    int rows = 0;
    for (auto _ : state) {
        page.FillRecordList(examerId);
        rows = page.RowCount();
    }
    state.counters["tests"] = rows;
}
BENCHMARK(BM_RecordPageListsTests)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
