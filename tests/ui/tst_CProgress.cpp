#include "PersonsUiSupport.h"
#include "common/Clock.h"
#include "ui/persons/CProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>
#include <filesystem>

using namespace persons_ui;

namespace {

std::vector<std::string> PageFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Notes that a window was shown, however briefly.
class ShowWatcher : public QObject {
public:
    bool shown = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        shown = shown || event->type() == QEvent::Show;
        return false;
    }
};

class TestCProgress : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        m_sink = std::make_unique<hv::test::RecordingSink>();
        m_clock = std::make_unique<hv::FixedClock>(
            std::chrono::sys_days{std::chrono::year{2024} / 6 / 1});
        m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
        CProgress::SetPacing(std::chrono::milliseconds(0));
    }
    void cleanup() {
        CProgress::SetPacing(std::chrono::milliseconds(50));
        m_scopedClock.reset();
        m_sink.reset();
        m_install.reset();
    }

    void runsTheAnalysisStepByStepAndClosesWithOk();
    void enterEscapeAndCloseDoNothingWhileItRuns();
    void aTestThatCannotBeAnalysedEndsWithCancelBeforeShowing();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
};

void TestCProgress::runsTheAnalysisStepByStepAndClosesWithOk() {
    // A child gets the five children's reports and the composite page.
    const int child =
        AddPerson(AddGroup("G"), "Kim", true, {{"Birthday", hv::ToOleDate({2015, 1, 1})}});
    const int test = AddTest(child, {2024, 5, 30, 10, 0, 0});
    CProgress progress;
    progress.m_MeasID = test;
    QList<int> values;
    connect(progress.ProgressBar(), &QProgressBar::valueChanged,
            [&values](int value) { values << value; });
    QVERIFY(!(progress.windowFlags() & Qt::WindowTitleHint));
    QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("progressText"))->text(),
             QStringLiteral("Processing information, please wait..."));
    // Without pacing the dialog may close before a poll would see it: watch it show.
    ShowWatcher watcher;
    progress.installEventFilter(&watcher);
    QCOMPARE(progress.exec(), int(QDialog::Accepted));
    QVERIFY(watcher.shown);
    QList<int> expected;
    for (int step = 1; step <= 41; ++step)
        expected << step * 2;
    QCOMPARE(values, expected);
    QCOMPARE(progress.ProgressBar()->value(), progress.ProgressBar()->maximum());
    const std::vector<std::string> pages = PageFiles(m_install->path() / "Reports");
    QStringList prefixes;
    for (const std::string& page : pages)
        prefixes << QString::fromStdString(page.substr(0, 3));
    QCOMPARE(prefixes, QStringList({"00-", "15-", "23-", "24-", "30-", "39-"}));
    QCOMPARE(pages.front(), std::string("00-Compositive Report.htm"));
}

void TestCProgress::enterEscapeAndCloseDoNothingWhileItRuns() {
    const int person = AddPerson(AddGroup("G"), "Ann");
    const int test = AddTest(person, {2024, 5, 30, 10, 0, 0});
    // Slow enough that the keys arrive while the worker is still writing pages.
    CProgress::SetPacing(std::chrono::milliseconds(10));
    CProgress progress;
    progress.m_MeasID = test;
    bool stillRunning = false;
    auto driver = Drive<CProgress>([&](CProgress& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        QTest::keyClick(&d, Qt::Key_Return);
        d.close();
        d.reject();
        stillRunning = d.isVisible() && d.ProgressBar()->value() < d.ProgressBar()->maximum();
    });
    QCOMPARE(progress.exec(), int(QDialog::Accepted));
    QVERIFY(driver->Handled());
    QVERIFY(stillRunning);
}

void TestCProgress::aTestThatCannotBeAnalysedEndsWithCancelBeforeShowing() {
    CProgress progress;
    progress.m_MeasID = 4711;
    auto driver = Drive<CProgress>([](CProgress&) {});
    QCOMPARE(progress.exec(), int(QDialog::Rejected));
    QVERIFY(!driver->Handled());
    QCOMPARE(m_sink->messages.size(), 1u);
    QVERIFY(QString::fromStdString(m_sink->messages[0]).contains(QStringLiteral("4711")));
    QVERIFY(PageFiles(m_install->path() / "Reports").empty());

    std::filesystem::remove(m_install->databasePath());
    m_sink->messages.clear();
    QCOMPARE(progress.exec(), int(QDialog::Rejected));
    QCOMPARE(m_sink->messages, std::vector<std::string>{"Database connection error!"});
}

QTEST_MAIN(TestCProgress)
#include "tst_CProgress.moc"
