// An operator's whole day, end to end, through the program's own windows: a fresh
// installation, a group and two persons, three tests on a simulated sensor, the analyses,
// every report page, a comparison, a changed preference, an edited advice text, a backup,
// a deleted person, a restore and a restart on the restored data.
//
// The scenario runs in order; each step builds on the one before. With
// "-screenshots <folder>" on the command line, or HALVORET_SCREENSHOTS in the environment,
// every window it passes through is saved there as a numbered picture (on a real display, the
// whole screen).

#include "ModalDriver.h"
#include "PersonsUiSupport.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "ViewingTestSupport.h"
#include "VirtualScheduler.h"
#include "analysis/CReportWriter.h"
#include "common/Clock.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/StringTable.h"
#include "testing/CHidDevice.h"
#include "testing/SimulatedHid.h"
#include "testing/TestRun.h"
#include "ui/app/CBtnsBar.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CPelmoraApp.h"
#include "ui/app/CSplashWnd.h"
#include "ui/app/ControlIds.h"
#include "ui/backup/BackupDialogBase.h"
#include "ui/backup/CDlgBackup.h"
#include "ui/backup/CDlgRestore.h"
#include "ui/persons/CChildList.h"
#include "ui/persons/CEditClient.h"
#include "ui/persons/CEditGroup.h"
#include "ui/persons/CEditSearch.h"
#include "ui/persons/CProgress.h"
#include "ui/persons/CTabPage1.h"
#include "ui/settings/CDlgSetPref.h"
#include "ui/settings/CDlgSetting.h"
#include "ui/settings/CDlgSuggest.h"
#include "ui/testing/CTestTip.h"
#include "ui/testing/CTesting.h"
#include "ui/viewing/CChildPara.h"
#include "ui/viewing/CChildReport.h"
#include "ui/viewing/CExplorer.h"
#include "ui/viewing/CFullPage.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/FileDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <filesystem>

using namespace std::chrono;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using persons_ui::Count;
using viewing_test::PageText;
using viewing_test::WaitForLoad;
using viewing_test::WaitForPage;

namespace {

// Where the build staged the installation folder the package and the program start from.
const fs::path kStagedFolder = HALVORET_STAGE_DIR;
QString g_screenshotFolder;

class SilentSound final : public hv::SoundPlayer {
public:
    void PlayAsync(const std::string&) override {}
};

// A copy of the staged installation folder without the programs: what an operator's data
// folder holds when the program starts for the first time.
void CopyStagedData(const fs::path& target) {
    for (const fs::directory_entry& entry : fs::directory_iterator(kStagedFolder)) {
        const std::string name = entry.path().filename().string();
        if (name == "halvoret" || name == "halvoret-admin")
            continue;
        fs::copy(entry.path(), target / name, fs::copy_options::recursive);
    }
}

// A report page as its bytes say: UTF-16LE after the byte-order mark.
QString PageFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 2 || bytes[0] != char(0xFF) || bytes[1] != char(0xFE))
        return {};
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

} // namespace

class TestWalkthrough : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void startsInAFreshInstallationFolder();
    void registersAGroupAndTwoPersons();
    void findsThePersonsBySearch();
    void testsEachPersonAndTheManAgainADayLater();
    void analysesEachTestAndReadsEveryReport();
    void showsAReportOnAFullPage();
    void comparesTheMansTwoTests();
    void aGraphPreferenceShowsOnTheReanalysedPages();
    void anEditedAdviceShowsOnTheComposite();
    void backsUpDeletesRestoresAndRestarts();

private:
    void StartProgram();
    void StopProgram();
    CMainFrame& Frame() const { return *m_app->MainFrame(); }
    CChildList& Persons() const { return *Frame().PersonPane(); }
    CBtnIcon* Toolbar(int id) const { return Frame().ButtonsBar()->Button(id); }
    void Screenshot(QWidget* window, const QString& name, bool browser = false);
    void SelectPerson(const QString& name);
    void AddPerson(const QString& name, bool male, const QDate& birthday, const QString& height,
                   const QString& weight);
    void RunTest(const QString& name, bool screenshots, int& measId);
    void GetReport(int measId);
    void ReadEveryReport(const QString& person, const QString& screenshot, QStringList& names);
    int PickTests(const std::vector<int>& measIds);

    hv::test::TempDir m_folder;
    std::unique_ptr<hv::test::ScopedWorkingDir> m_inFolder;
    hv::FixedClock m_clock{sys_days{year{2026} / 3 / 2} + 9h};
    std::unique_ptr<hv::ScopedClock> m_useClock;
    hv::SimulatedHidBus m_bus;
    std::unique_ptr<hv::ScopedHidBackend> m_useBus;
    hv::VirtualScheduler m_scheduler;
    SilentSound m_sound;
    std::unique_ptr<CPelmoraApp> m_app;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    int m_shots = 0;
    int m_manFirst = 0, m_manSecond = 0, m_girlTest = 0;
};

void TestWalkthrough::initTestCase() {
    QVERIFY2(fs::exists(kStagedFolder / hv::CAdoDb::kDatabasePath),
             "the build stages the installation folder first");
    CopyStagedData(m_folder.path());
    m_inFolder = std::make_unique<hv::test::ScopedWorkingDir>(m_folder.path());
    m_useClock = std::make_unique<hv::ScopedClock>(m_clock);
    auto sensor =
        m_bus.AddDevice(hv::CHidDevice::kSensorVendorId, hv::CHidDevice::kSensorProductId);
    sensor->SetContactLevel(40);
    m_useBus = std::make_unique<hv::ScopedHidBackend>(m_bus);
    CProgress::SetPacing(0ms);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!g_screenshotFolder.isEmpty())
        QDir().mkpath(g_screenshotFolder);
}

void TestWalkthrough::cleanupTestCase() {
    StopProgram();
    m_useBus.reset();
    m_useClock.reset();
    m_inFolder.reset();
}

void TestWalkthrough::StartProgram() {
    m_app = std::make_unique<CPelmoraApp>(CPelmoraApp::Options{200, false});
    QVERIFY(m_app->InitInstance());
    QVERIFY(m_app->Splash() != nullptr);
    Screenshot(m_app->Splash(), QStringLiteral("splash"));
    QTRY_VERIFY_WITH_TIMEOUT(Frame().isVisible(), 5000);
    Frame().SetTestingOptions({&m_scheduler, &m_sound});
    // The program's message boxes are replaced by a recorder that answers Yes.
    m_sink = std::make_unique<hv::test::RecordingSink>();
}

void TestWalkthrough::StopProgram() {
    m_sink.reset();
    m_app.reset();
}

void TestWalkthrough::Screenshot(QWidget* window, const QString& name, bool browser) {
    if (g_screenshotFolder.isEmpty() || window == nullptr)
        return;
    // The browser engine paints its frame after the page has loaded.
    if (browser)
        QTest::qWait(800);
    const QString file =
        QStringLiteral("%1-%2.png").arg(++m_shots, 2, 10, QLatin1Char('0')).arg(name);
    // Off screen each window by itself (the help page's pictures); on a real display the
    // whole screen, as the operator sees it, window manager's frames and all.
    const bool desktop = QGuiApplication::platformName() == QLatin1String("xcb");
    if (desktop) {
        // The X server shows a window once it is mapped, placed and painted; the splash
        // may close meanwhile.
        QPointer<QWidget> shown(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::qWait(100);
        if (!shown)
            return;
    }
    const QPixmap picture =
        desktop ? QGuiApplication::primaryScreen()->grabWindow(0) : window->grab();
    picture.save(QDir(g_screenshotFolder).filePath(file));
}

// Selects a group or a person in the tree by its text.
void TestWalkthrough::SelectPerson(const QString& name) {
    QTreeWidgetItem* item = persons_ui::ItemNamed(*Persons().Tree(), name);
    QVERIFY2(item, qPrintable(name));
    Persons().Tree()->setCurrentItem(item);
    QCOMPARE(Persons().Tree()->currentItem(), item);
}

void TestWalkthrough::AddPerson(const QString& name, bool male, const QDate& birthday,
                                const QString& height, const QString& weight) {
    auto editor = persons_ui::Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(persons_ui::Child<QComboBox>(d, "group")->currentText(),
                 QStringLiteral("Tuesday screening"));
        persons_ui::SetText(d, "name", name);
        persons_ui::Child<QRadioButton>(d, male ? "male" : "female")->setChecked(true);
        persons_ui::Child<QDateEdit>(d, "birthday")->setDate(birthday);
        persons_ui::SetText(d, "height", height);
        persons_ui::SetText(d, "weight", weight);
        Screenshot(&d, QStringLiteral("person-editor"));
        persons_ui::Click(d, "saveButton");
    });
    Persons().Button(CChildList::AddPerson)->click();
    QVERIFY(editor->Handled());
    QCOMPARE(Persons().Tree()->currentItem()->text(0), name);
}

// Runs a whole test of the named person from the toolbar: Start, the prompt, contact until
// the end, Save. measId becomes the new test's key.
void TestWalkthrough::RunTest(const QString& name, bool screenshots, int& measId) {
    SelectPerson(name);
    const int examerId = Persons().GetSelectedExamerID();
    bool saved = false;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<CTesting*>(modal);
        QVERIFY(dialog != nullptr);
        m_scheduler.WaitIdle();
        if (screenshots)
            Screenshot(dialog, QStringLiteral("test-idle"));
        ModalDriver prompt([](QWidget* tip) {
            auto* question = qobject_cast<CTestTip*>(tip);
            QVERIFY(question != nullptr);
            question->StartButton()->click();
        });
        dialog->Button(CTesting::IdStart)->click();
        QVERIFY(prompt.Handled());
        m_scheduler.RunFor(25s);
        QCoreApplication::processEvents();
        for (int i = 0; i < 40; ++i)
            dialog->OnDisplayTick();
        if (screenshots)
            Screenshot(dialog, QStringLiteral("test-running"));
        QVERIFY(m_scheduler.RunUntil(
            [&] { return dialog->Run().State() == hv::TestRunState::Finished; }, 200s));
        QCoreApplication::processEvents();
        if (screenshots)
            Screenshot(dialog, QStringLiteral("test-finished"));
        QVERIFY(dialog->Button(CTesting::IdSave)->isEnabled());
        dialog->Button(CTesting::IdSave)->click();
        saved = true;
    });
    Toolbar(ctl::Testing)->click();
    QVERIFY(driver.Handled());
    QVERIFY(saved);
    QCOMPARE_NE(std::find(m_sink->messages.begin(), m_sink->messages.end(),
                          std::string(hv::LoadString(hv::ids::TestingComplete))),
                m_sink->messages.end());
    m_sink->messages.clear();
    // The person pane shows the new test on the "Tested Record" page, picked.
    CTabPage1& record = *Persons().RecordPage();
    QVERIFY(record.isVisible());
    QVERIFY(record.RowCount() > 0);
    QVERIFY(record.IsPicked(0));
    measId = record.MeasIdAt(0);
    QCOMPARE(
        Count("SELECT count(*) FROM MeasData WHERE MeasID=? AND ExamerID=?", {measId, examerId}),
        1L);
}

// "Get Report" for one test of the selected person; the frame then shows its reports.
void TestWalkthrough::GetReport(int measId) {
    QCOMPARE(PickTests({measId}), 1);
    Persons().RecordPage()->findChild<QPushButton*>(QStringLiteral("btn1026"))->click();
    QVERIFY2(m_sink->messages.empty(), m_sink->messages.empty() ? "" : m_sink->messages[0].c_str());
    QTRY_VERIFY(Frame().ReportPane()->isVisible());
    QCOMPARE(Frame().ReportPane()->MeasID(), measId);
}

// Picks exactly these tests in the person's record list; returns how many were found.
int TestWalkthrough::PickTests(const std::vector<int>& measIds) {
    CTabPage1& record = *Persons().RecordPage();
    int found = 0;
    for (int row = 0; row < record.RowCount(); ++row) {
        const bool pick =
            std::find(measIds.begin(), measIds.end(), record.MeasIdAt(row)) != measIds.end();
        record.SetPickMark(row, pick);
        found += pick ? 1 : 0;
    }
    return found;
}

// Opens every report the pane lists, then the composite; each page names the person.
void TestWalkthrough::ReadEveryReport(const QString& person, const QString& screenshot,
                                      QStringList& names) {
    CChildReport& pane = *Frame().ReportPane();
    const QString named = QStringLiteral("Name: ") + person;
    for (int row = 0; row < pane.Tree()->topLevelItemCount(); ++row) {
        QTreeWidgetItem* entry = pane.Tree()->topLevelItem(row);
        const QString name = entry->text(0).section(QLatin1Char('.'), 1);
        names << name;
        QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
        pane.Tree()->setCurrentItem(entry);
        QVERIFY2(WaitForLoad(loads), qPrintable(name));
        const QString text = PageText(pane.Browser());
        QVERIFY2(text.contains(name) && text.contains(named),
                 qPrintable(name + QStringLiteral(": ") + text.left(300)));
        if (row == 0 && !screenshot.isEmpty())
            Screenshot(&Frame(), screenshot, true);
    }
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.CompositeButton()->click();
    QVERIFY(WaitForLoad(loads));
    const QString composite = PageText(pane.Browser());
    QVERIFY(composite.contains(QStringLiteral("Comprehensive Report Card")));
    QVERIFY(composite.contains(named));
}

void TestWalkthrough::startsInAFreshInstallationFolder() {
    StartProgram();
    QVERIFY(Frame().IsHomeShown());
    QCOMPARE(Count("SELECT count(*) FROM Examer"), 0L);
    Screenshot(&Frame(), QStringLiteral("home"));
}

void TestWalkthrough::registersAGroupAndTwoPersons() {
    Toolbar(ctl::Dossier)->click();
    QVERIFY(Persons().isVisible());
    auto group = persons_ui::Drive<CEditGroup>([&](CEditGroup& d) {
        persons_ui::SetText(d, "groupName", QStringLiteral("Tuesday screening"));
        Screenshot(&d, QStringLiteral("group-editor"));
        persons_ui::Click(d, "saveButton");
    });
    Persons().Button(CChildList::AddGroup)->click();
    QVERIFY(group->Handled());
    SelectPerson(QStringLiteral("Tuesday screening"));

    AddPerson(QStringLiteral("Tomas Verin"), true, QDate(1980, 5, 17), QStringLiteral("170"),
              QStringLiteral("63"));
    SelectPerson(QStringLiteral("Tuesday screening"));
    AddPerson(QStringLiteral("Lina Verin"), false, QDate(2016, 7, 15), QStringLiteral("134"),
              QStringLiteral("29"));

    QCOMPARE(Count("SELECT count(*) FROM Examer e JOIN GroupList g ON g.GroupID=e.GroupID "
                   "WHERE g.Name='Tuesday screening'"),
             2L);
    QCOMPARE(Count("SELECT count(*) FROM Examer WHERE Name='Lina Verin' AND Sex=0 AND "
                   "Height='134' AND Weight='29'"),
             1L);
    Screenshot(&Frame(), QStringLiteral("person-pane"));
}

void TestWalkthrough::findsThePersonsBySearch() {
    auto search = persons_ui::Drive<CEditSearch>([&](CEditSearch& d) {
        persons_ui::SetText(d, "name", QStringLiteral("Lina"));
        persons_ui::Click(d, "searchButton");
        QCOMPARE(d.ResultList()->rowCount(), 1);
        d.ResultList()->selectRow(0);
        Screenshot(&d, QStringLiteral("search"));
        persons_ui::Click(d, "selectButton");
    });
    Persons().Button(CChildList::SearchPerson)->click();
    QVERIFY(search->Handled());
    QCOMPARE(Persons().Tree()->currentItem()->text(0), QStringLiteral("Lina Verin"));
}

void TestWalkthrough::testsEachPersonAndTheManAgainADayLater() {
    RunTest(QStringLiteral("Tomas Verin"), true, m_manFirst);
    QVERIFY(m_manFirst != 0);
    RunTest(QStringLiteral("Lina Verin"), false, m_girlTest);
    QVERIFY(m_girlTest != 0);
    m_clock.Advance(24h);
    RunTest(QStringLiteral("Tomas Verin"), false, m_manSecond);
    QVERIFY(m_manSecond != 0);

    QCOMPARE(Persons().RecordPage()->RowCount(), 2); // newest first
    QCOMPARE(Persons().RecordPage()->MeasIdAt(0), m_manSecond);
    QCOMPARE(Persons().RecordPage()->MeasIdAt(1), m_manFirst);
    const auto day = [](int measId) {
        hv::CAdoDb db;
        return db.Open() &&
                       db.OpenRecordset("SELECT MeasDate FROM MeasData WHERE MeasID=?", {measId})
                   ? db.GetDouble("MeasDate")
                   : 0.0;
    };
    QCOMPARE(day(m_manSecond) - day(m_manFirst), 1.0);
    Screenshot(&Frame(), QStringLiteral("tested-record"));
}

// "Get Report" writes the pages of one test over those of the test before, so each test's
// reports are read right after its analysis, as an operator reads them.
void TestWalkthrough::analysesEachTestAndReadsEveryReport() {
    const QString man = QStringLiteral("Tomas Verin"), girl = QStringLiteral("Lina Verin");
    const QString menReports = QString::number(
        Count("SELECT count(*) FROM ReportList WHERE (Sex='A' OR Sex='M') AND IfShow_M<0"));
    struct Step {
        QString person;
        int measId;
        QString screenshot;
        QString reports;
    };
    for (const Step& step : {Step{man, m_manFirst, QStringLiteral("report"), menReports},
                             Step{girl, m_girlTest, QStringLiteral("report-child"), "5"},
                             Step{man, m_manSecond, QString(), menReports}}) {
        Frame().ShowPersonPane();
        SelectPerson(step.person);
        Persons().TabBar()->setCurrentIndex(1);
        GetReport(step.measId);
        QStringList names;
        ReadEveryReport(step.person, step.screenshot, names);
        QCOMPARE(QString::number(names.size()), step.reports);
        if (step.measId == m_manFirst)
            Screenshot(&Frame(), QStringLiteral("composite"), true);
    }
    // The girl of nine got only the five child reports; the man those for men.
    QCOMPARE(Count("SELECT count(*) FROM ReportValue15 WHERE MeasID=?", {m_girlTest}), 1L);
    QCOMPARE(Count("SELECT count(*) FROM ReportValue01 WHERE MeasID=?", {m_girlTest}), 0L);
    QCOMPARE(Count("SELECT count(*) FROM ReportValue01 WHERE MeasID=?", {m_manSecond}), 1L);
    QCOMPARE(Count("SELECT count(*) FROM ReportValue99 WHERE MeasID=?", {m_manSecond}), 1L);
}

void TestWalkthrough::showsAReportOnAFullPage() {
    CChildReport& pane = *Frame().ReportPane();
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.Tree()->setCurrentItem(pane.Tree()->topLevelItem(0));
    QVERIFY(WaitForLoad(loads));
    bool shown = false;
    ModalDriver driver([&](QWidget* modal) {
        auto* view = qobject_cast<CFullPage*>(modal);
        QVERIFY(view != nullptr);
        QVERIFY(WaitForPage(view->Browser()));
        QCOMPARE(view->Browser()->Address(), pane.Url());
        Screenshot(view, QStringLiteral("full-page"), true);
        shown = true;
        view->Button(ctl::view::Cancel)->click();
    });
    pane.Button(ctl::view::FullPage)->click();
    QVERIFY(driver.Handled());
    QVERIFY(shown);
}

void TestWalkthrough::comparesTheMansTwoTests() {
    Frame().ShowPersonPane();
    SelectPerson(QStringLiteral("Tomas Verin"));
    Persons().TabBar()->setCurrentIndex(1);
    QCOMPARE(PickTests({m_manFirst, m_manSecond}), 2);
    CChildPara& compare = *Frame().ComparePane();
    QSignalSpy upper(compare.UpperBrowser(), &CExplorer::loadFinished);
    QSignalSpy lower(compare.LowerBrowser(), &CExplorer::loadFinished);
    Persons().RecordPage()->findChild<QPushButton*>(QStringLiteral("btn1145"))->click();
    QVERIFY(compare.isVisible());
    QCOMPARE(compare.FirstMeasID(), m_manSecond); // in row order: the newer above
    QCOMPARE(compare.SecondMeasID(), m_manFirst);
    QVERIFY(WaitForLoad(upper));
    QVERIFY(WaitForLoad(lower));
    QVERIFY(!PageText(compare.UpperBrowser()).isEmpty());
    QVERIFY(!PageText(compare.LowerBrowser()).isEmpty());
    QCOMPARE(compare.DateLabel(1)->text().isEmpty(), false);
    Screenshot(&Frame(), QStringLiteral("comparison"), true);
}

void TestWalkthrough::aGraphPreferenceShowsOnTheReanalysedPages() {
    const std::string firstReport = [&] {
        hv::CAdoDb db;
        return db.Open() &&
                       db.OpenRecordset("SELECT ReportName FROM ReportList WHERE ReportNo='R01'")
                   ? db.GetText("ReportName")
                   : std::string();
    }();
    const QString file =
        QString::fromStdString(hv::PagePath(hv::ReportPageName(0, firstReport)).string());
    const auto gradePictures = [&] {
        return PageFile(file).count(QRegularExpression(QStringLiteral("src=YC\\d\\d\\.gif")));
    };
    QCOMPARE(gradePictures(), 0); // words, not pictures, as delivered

    auto hub = persons_ui::Drive<CDlgSetting>([&](CDlgSetting& settings) {
        auto preferences = persons_ui::Drive<CDlgSetPref>([&](CDlgSetPref& d) {
            QVERIFY(d.TextMode()->isChecked());
            d.GraphMode()->click();
            Screenshot(&d, QStringLiteral("preferences"));
            d.OkButton()->click();
        });
        settings.PreferencesButton()->click();
        QVERIFY(preferences->Handled());
        settings.ExitButton()->click();
    });
    Toolbar(ctl::Setting)->click();
    QVERIFY(hub->Handled());

    Frame().ShowPersonPane();
    SelectPerson(QStringLiteral("Tomas Verin"));
    Persons().TabBar()->setCurrentIndex(1);
    GetReport(m_manSecond);
    QVERIFY2(gradePictures() > 0, qPrintable(file));
}

void TestWalkthrough::anEditedAdviceShowsOnTheComposite() {
    // A report with moderately abnormal items gets its advice on the composite page.
    std::string system;
    {
        hv::CAdoDb db;
        QVERIFY(db.Open());
        QVERIFY(db.OpenRecordset(
            "SELECT System FROM ReportValueAll WHERE MeasID=? AND Type='B' ORDER BY rowid",
            {m_manSecond}));
        QVERIFY2(!db.IsEOF(), "the test has moderately abnormal items");
        system = db.GetText("System");
    }
    const QString advice = QStringLiteral("Walkthrough advice: discuss %1 at the next visit.")
                               .arg(QString::fromStdString(system));
    auto editor = persons_ui::Drive<CDlgSuggest>([&](CDlgSuggest& d) {
        QTableWidget* list = d.List(CDlgSuggest::SubHealthTrends);
        int row = -1;
        for (int r = 0; r < list->rowCount(); ++r)
            if (list->item(r, CDlgSuggest::ColSystem)->text() == QString::fromStdString(system))
                row = r;
        QVERIFY(row >= 0);
        d.StartEdit(CDlgSuggest::SubHealthTrends, row);
        QTest::keyClicks(d.Editor(), advice); // replaces the selected old text
        Screenshot(&d, QStringLiteral("advice-editor"));
        d.Save();
    });
    Toolbar(ctl::Suggest)->click();
    QVERIFY(editor->Handled());
    QCOMPARE(Count("SELECT count(*) FROM Product WHERE System=? AND Type='B' AND Suggest=?",
                   {system, advice.toStdString()}),
             1L);

    Frame().ShowPersonPane();
    SelectPerson(QStringLiteral("Tomas Verin"));
    Persons().TabBar()->setCurrentIndex(1);
    GetReport(m_manSecond);
    CChildReport& pane = *Frame().ReportPane();
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.CompositeButton()->click();
    QVERIFY(WaitForLoad(loads));
    const QString composite =
        PageFile(QString::fromStdString(hv::PagePath(hv::CompositePageName()).string()));
    QVERIFY2(composite.contains(advice), qPrintable(composite.right(3000)));
    QVERIFY(PageText(pane.Browser()).contains(advice));
    Screenshot(&Frame(), QStringLiteral("composite-with-advice"), true);
}

void TestWalkthrough::backsUpDeletesRestoresAndRestarts() {
    const QString archive = QDir::current().filePath(QStringLiteral("Tuesday.zip"));
    FileDialog::setNextFileName(archive);
    auto backup = persons_ui::Drive<BackupDialogBase>([&](BackupDialogBase& d) {
        Screenshot(&d, QStringLiteral("backup"));
        d.StartButton()->click();
    });
    Toolbar(ctl::Backup)->click();
    QVERIFY(backup->Handled());
    QCOMPARE(m_sink->messages, std::vector<std::string>{"Backup finished!"});
    QVERIFY(QFile::exists(archive));
    m_sink->messages.clear();

    Toolbar(ctl::Dossier)->click();
    SelectPerson(QStringLiteral("Lina Verin"));
    Persons().Button(CChildList::DeletePerson)->click(); // the recorder answers Yes
    QCOMPARE(persons_ui::ItemNamed(*Persons().Tree(), QStringLiteral("Lina Verin")), nullptr);
    QCOMPARE(Count("SELECT count(*) FROM Examer WHERE Name='Lina Verin'"), 0L);
    QCOMPARE(Count("SELECT count(*) FROM MeasData WHERE MeasID=?", {m_girlTest}), 0L);

    // A restore ends the program: run it inside the program's event loop, which it ends.
    FileDialog::setNextFileName(archive);
    auto restore = persons_ui::Drive<BackupDialogBase>([&](BackupDialogBase& d) {
        Screenshot(&d, QStringLiteral("restore"));
        d.StartButton()->click();
    });
    QTimer::singleShot(0, Toolbar(ctl::Restore), [this] { Toolbar(ctl::Restore)->click(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(restore->Handled());
    QCOMPARE(m_sink->questions.back(),
             std::string("The database will be replaced, do you want to go on?"));
    QCOMPARE(m_sink->messages.size(), std::size_t{1});

    StopProgram();
    StartProgram();
    Toolbar(ctl::Dossier)->click();
    QVERIFY(persons_ui::ItemNamed(*Persons().Tree(), QStringLiteral("Lina Verin")) != nullptr);
    SelectPerson(QStringLiteral("Lina Verin"));
    Persons().TabBar()->setCurrentIndex(1);
    QCOMPARE(Persons().RecordPage()->RowCount(), 1);
    QCOMPARE(Persons().RecordPage()->MeasIdAt(0), m_girlTest);
    Screenshot(&Frame(), QStringLiteral("after-restore"));
}

int main(int argc, char** argv) {
    // The browser engine refuses its sandbox as root, and there is no GPU in a test run.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    g_screenshotFolder = qEnvironmentVariable("HALVORET_SCREENSHOTS");
    // "-screenshots <folder>" is ours; Qt Test gets the other arguments.
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-screenshots" && i + 1 < argc) {
            g_screenshotFolder = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    // A caret that never blinks makes every screenshot of a window the same.
    QApplication::setCursorFlashTime(0);
    TestWalkthrough test;
    return QTest::qExec(&test, count, arguments.data());
}

#include "tst_walkthrough.moc"
