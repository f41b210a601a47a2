#include "ModalDriver.h"
#include "TempDir.h"
#include "ViewingTestSupport.h"
#include "analysis/AnalysisRun.h"
#include "analysis/CReportWriter.h"
#include "common/Clock.h"
#include "ui/viewing/CChildReport.h"
#include "ui/viewing/CExplorer.h"
#include "ui/viewing/CFullPage.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/FileDialog.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <memory>

using namespace viewing_test;
namespace fs = std::filesystem;

namespace {

QStringList TreeTexts(const CChildReport& pane) {
    QStringList texts;
    for (int i = 0; i < pane.Tree()->topLevelItemCount(); ++i)
        texts << pane.Tree()->topLevelItem(i)->text(0);
    return texts;
}

QList<int> TreeNumbers(const CChildReport& pane) {
    QList<int> numbers;
    for (int i = 0; i < pane.Tree()->topLevelItemCount(); ++i)
        numbers << pane.Tree()->topLevelItem(i)->data(0, Qt::UserRole).toInt();
    return numbers;
}

QString ShownFile(const CChildReport& pane) {
    return pane.Url().fileName();
}

} // namespace

class TestViewingReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsTheReportsOfAgeSexAndShowFlags();
    void eachEntryOpensItsOwnPage();
    void compositeThenTheSameReportAgain();
    void missingPageAndDatabaseFailureKeepThePane();
    void saveReportArchivesEveryReportFile();
    void saveReportTellsWhatFailed();
    void printsTheShownReportToPdf();
    void fullPageViewShowsThePageWithItsCommands();
    void fullPageViewWithoutAPageIsEmpty();
    void returnHandsBackAndKeysDoNotClose();
    void keysChooseReportsAndReachTheButtons();
    void layoutAndStripedButtonBand();

private:
    // A person's test, analysed as "Get Report" does it.
    int AnalysedTest(bool female, double birthday, double tested);
    // Shows the pane with the reports of a test and waits for a chosen entry's page.
    bool ShowEntry(CChildReport& pane, int row);

    std::unique_ptr<Environment> m_env;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
};

void TestViewingReport::init() {
    m_env = std::make_unique<Environment>();
    m_clock = std::make_unique<hv::FixedClock>(std::chrono::system_clock::from_time_t(1700000000));
    m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
    WriteReportPictures();
}

void TestViewingReport::cleanup() {
    CExplorer::SetDialogRunner({});
    m_scopedClock.reset();
    m_clock.reset();
    m_env.reset();
}

int TestViewingReport::AnalysedTest(bool female, double birthday, double tested) {
    const int meas = AddTest(AddPerson(female, birthday, female ? "Ann" : "Bob"), tested);
    hv::CAnalysisRun run(meas);
    if (run.Prepare() != hv::PrepareResult::Ready)
        return 0;
    run.Run();
    return meas;
}

bool TestViewingReport::ShowEntry(CChildReport& pane, int row) {
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.Tree()->setCurrentItem(pane.Tree()->topLevelItem(row));
    return WaitForLoad(loads);
}

void TestViewingReport::listsTheReportsOfAgeSexAndShowFlags() {
    QVERIFY(Exec("UPDATE ReportList SET IfShow_M=0 WHERE ReportNo='R03'"));
    const int girl = AddTest(AddPerson(true, Date(2008, 6, 2), "Girl"), Date(2021, 6, 1));
    const int man = AddTest(AddPerson(false, Date(2008, 6, 1), "Man"), Date(2021, 6, 1));

    CChildReport pane;
    QVERIFY(pane.LoadReportList(girl));
    QCOMPARE(pane.MeasID(), girl);
    QCOMPARE(TreeTexts(pane), QStringList({"1.Trace Elements", "2.Vitamins", "3.Amino Acids",
                                           "4.Coenzymes", "5.Neurotransmitters"}));
    QCOMPARE(TreeNumbers(pane), QList<int>({15, 23, 24, 30, 39}));
    QCOMPARE(pane.Tree()->currentItem(), nullptr);

    QVERIFY(pane.LoadReportList(man));
    const QList<int> numbers = TreeNumbers(pane);
    QVERIFY(!numbers.contains(3));  // hidden for men
    QVERIFY(numbers.contains(16));  // a report for men
    QVERIFY(!numbers.contains(18)); // a report for women
    QCOMPARE(TreeTexts(pane).first(), QStringLiteral("1.Cardiovascular and Cerebrovascular"));
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::eachEntryOpensItsOwnPage() {
    // Male Hormones (report 17) is listed first, so entry 1 opens page 17.
    QVERIFY(Exec("UPDATE ReportList SET ShowOrder=0 WHERE ReportNo='R17'"));
    QVERIFY(Exec("UPDATE SetValue SET IfCanChu=1"));
    const int meas = AnalysedTest(false, Date(1980, 1, 1), Date(2021, 6, 1, 10, 30));
    QVERIFY(meas != 0);

    CChildReport pane;
    pane.resize(1200, 800);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QCOMPARE(pane.Tree()->topLevelItem(0)->text(0), QStringLiteral("1.Male Hormones"));

    QVERIFY(ShowEntry(pane, 0));
    QCOMPARE(pane.Url(), QUrl::fromLocalFile(QDir::current().filePath(
                             QStringLiteral("Reports/17-Male Hormones.htm"))));
    QCOMPARE(pane.Browser()->Address(), pane.Url());
    // The page is UTF-16LE after its byte-order mark, whatever its meta tag says.
    QCOMPARE(RunScript(pane.Browser(), QStringLiteral("document.characterSet")).toString(),
             QStringLiteral("UTF-16LE"));
    const QString text = PageText(pane.Browser());
    QVERIFY2(text.contains(QStringLiteral("(Male Hormones) Analysis Report Card")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Sex: Male")));
    QVERIFY(text.contains(QStringLiteral("Age: 41")));
    // The grade pictures are found beside the page.
    QCOMPARE(
        RunScript(pane.Browser(),
                  QStringLiteral("Array.from(document.images).filter(i => "
                                 "/YC\\d\\d\\.gif$/.test(i.src) && i.naturalWidth > 0).length"))
                .toInt() > 0,
        true);
    SaveScreenshot(&pane, QStringLiteral("report-pane"));

    QVERIFY(ShowEntry(pane, 1));
    const QString second = pane.Tree()->topLevelItem(1)->text(0).section('.', 1);
    QCOMPARE(ShownFile(pane), QStringLiteral("01-%1.htm").arg(second));
    QVERIFY(
        PageText(pane.Browser()).contains(QStringLiteral("(%1) Analysis Report Card").arg(second)));
}

void TestViewingReport::compositeThenTheSameReportAgain() {
    const int meas = AnalysedTest(true, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1000, 700);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QVERIFY(ShowEntry(pane, 2));
    const QString report = ShownFile(pane);

    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.CompositeButton()->click();
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(ShownFile(pane), QStringLiteral("00-Compositive Report.htm"));
    QCOMPARE(pane.Tree()->currentItem(), nullptr);
    QVERIFY(PageText(pane.Browser()).contains(QStringLiteral("Comprehensive Report Card")));

    QVERIFY(ShowEntry(pane, 2));
    QCOMPARE(ShownFile(pane), report);
}

void TestViewingReport::missingPageAndDatabaseFailureKeepThePane() {
    const int meas = AddTest(AddPerson(true, Date(1980, 1, 1), "Ann"), Date(2021, 6, 1));
    CChildReport pane;
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    const QStringList listed = TreeTexts(pane);

    // Never analysed: the page is not there; the browser says so itself.
    QVERIFY(!ShowEntry(pane, 0));
    QVERIFY(m_env->sink.messages.empty());

    m_env->RemoveDatabase();
    QVERIFY(!pane.LoadReportList(meas + 1));
    QCOMPARE(pane.MeasID(), meas + 1);
    QCOMPARE(TreeTexts(pane), listed);
    QCOMPARE(m_env->sink.messages, std::vector<std::string>({"Database connection error!"}));
}

void TestViewingReport::saveReportArchivesEveryReportFile() {
    const int meas = AnalysedTest(false, Date(1980, 1, 1), Date(2021, 6, 1));
    fs::create_directory("Reports/Older");
    CChildReport pane;
    QVERIFY(pane.LoadReportList(meas));

    hv::test::TempDir target;
    const QString archive = QString::fromStdString(target.file("Reports.zip"));
    FileDialog::setNextFileName(archive);
    pane.Button(ctl::view::SaveReport)->click();

    const FileDialog::Request& asked = FileDialog::lastRequest();
    QCOMPARE(asked.caption, QStringLiteral("Save report to"));
    QCOMPARE(asked.filter, QStringLiteral("Report archive (*.zip)"));
    QCOMPARE(QFileInfo(asked.path).fileName(), QStringLiteral("Reports.zip"));

    std::map<std::string, std::string> expected;
    for (const auto& entry : fs::directory_iterator("Reports"))
        if (entry.is_regular_file())
            expected[entry.path().filename().string()] = FileBytes(entry.path());
    QVERIFY(expected.count("00-Compositive Report.htm") == 1);
    QVERIFY(expected.count("Pagebg.jpg") == 1);
    QVERIFY(ArchiveEntries(archive.toStdString()) == expected);
    QVERIFY(m_env->sink.messages.empty());

    // Cancelling the dialog writes nothing.
    fs::remove(archive.toStdString());
    FileDialog::setNextFileName(QString());
    pane.Button(ctl::view::SaveReport)->click();
    QVERIFY(!fs::exists(archive.toStdString()));
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::saveReportTellsWhatFailed() {
    CChildReport pane;
    hv::test::TempDir target;
    std::ofstream(target.file("blocker")) << "a file where a folder should be";
    const std::string archive = target.file("blocker") + "/Reports.zip";
    FileDialog::setNextFileName(QString::fromStdString(archive));
    pane.Button(ctl::view::SaveReport)->click();
    QCOMPARE(m_env->sink.messages.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(m_env->sink.messages[0])
                .startsWith(QString::fromStdString("The reports were not saved to " + archive)));
}

void TestViewingReport::printsTheShownReportToPdf() {
    const int meas = AnalysedTest(true, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1000, 700);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QVERIFY(ShowEntry(pane, 0));

    hv::test::TempDir target;
    const QString pdf = QString::fromStdString(target.file("report.pdf"));
    bool cancel = true;
    QStringList dialogs;
    CExplorer::SetDialogRunner([&](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        dialogs << (print != nullptr ? QStringLiteral("print") : QStringLiteral("other"));
        if (print == nullptr || cancel)
            return false;
        // The operator picks printing to a PDF file.
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        return true;
    });
    QSignalSpy finished(pane.Browser(), &CExplorer::commandFinished);

    pane.Button(ctl::view::Print)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({CExplorer::Print, false}));
    QVERIFY(!QFileInfo::exists(pdf));

    cancel = false;
    pane.Button(ctl::view::Print)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({CExplorer::Print, true}));
    QCOMPARE(dialogs, QStringList({"print", "print"}));
    QCOMPARE(CExplorer::SharedPrinter().resolution(), 300);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 1000);
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::fullPageViewShowsThePageWithItsCommands() {
    const int meas = AnalysedTest(true, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1000, 700);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QVERIFY(ShowEntry(pane, 0));

    hv::test::TempDir target;
    const QString saved = QString::fromStdString(target.file("page.htm"));
    QStringList dialogs;
    int previewPages = 0;
    CExplorer::SetDialogRunner([&](QDialog& dialog) {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            dialogs << QStringLiteral("preview");
            preview->resize(900, 700);
            preview->show();
            auto* pages = preview->findChild<QPrintPreviewWidget*>();
            const bool painted = QTest::qWaitFor(
                [&] { return pages != nullptr && pages->pageCount() > 0; }, kEngineTimeout);
            previewPages = painted ? pages->pageCount() : 0;
            SaveScreenshot(preview, QStringLiteral("print-preview"));
            preview->reject();
            return false;
        }
        if (qobject_cast<QPageSetupDialog*>(&dialog) != nullptr)
            dialogs << QStringLiteral("page setup");
        return false;
    });

    bool checked = false;
    ModalDriver driver([&](QWidget* modal) {
        auto* view = qobject_cast<CFullPage*>(modal);
        QVERIFY(view != nullptr);
        QCOMPARE(view->windowTitle(), QStringLiteral("Full Page View"));
        QVERIFY(view->windowState() & Qt::WindowMaximized);
        QCOMPARE(view->url, pane.Url());
        QVERIFY(WaitForPage(view->Browser()));
        QCOMPARE(view->Browser()->Address(), pane.Url());
        // The window, frame and all, covers the working area of its screen; the page fills
        // it below the button band.
        QTRY_COMPARE(view->frameGeometry(), view->screen()->availableGeometry());
        QCOMPARE(view->Browser()->geometry(), QRect(0, CFullPage::kButtonBand, view->width(),
                                                    view->height() - CFullPage::kButtonBand));
        QCOMPARE(view->Button(ctl::view::FullPagePrint)->text(), QStringLiteral("Print(&P)"));
        QCOMPARE(view->Button(ctl::view::FullPagePreview)->text(), QStringLiteral("Preview(&V)"));
        QCOMPARE(view->Button(ctl::view::FullPageSave)->text(), QStringLiteral("Save(&S)"));
        QCOMPARE(view->Button(ctl::view::FullPagePageSet)->text(), QStringLiteral("Page Set"));
        QCOMPARE(view->Button(ctl::view::Cancel)->text(), QStringLiteral("Exit(&E)"));
        SaveScreenshot(view, QStringLiteral("full-page-view"));

        view->Button(ctl::view::FullPagePreview)->click();
        view->Button(ctl::view::FullPagePageSet)->click();
        QCOMPARE(dialogs, QStringList({"preview", "page setup"}));
        QVERIFY(previewPages > 0);

        QSignalSpy finished(view->Browser(), &CExplorer::commandFinished);
        FileDialog::setNextFileName(saved);
        view->Button(ctl::view::FullPageSave)->click();
        QVERIFY(finished.wait(kEngineTimeout));
        QCOMPARE(finished.takeFirst(), QVariantList({CExplorer::SaveAs, true}));
        QVERIFY(QFileInfo(saved).size() > 0);

        view->setWindowState(Qt::WindowNoState);
        view->resize(900, 600);
        QTRY_COMPARE(view->size(), QSize(900, 600));
        QCOMPARE(view->Browser()->geometry(),
                 QRect(0, CFullPage::kButtonBand, 900, 600 - CFullPage::kButtonBand));

        view->Button(ctl::view::Cancel)->click();
        checked = true;
    });
    pane.Button(ctl::view::FullPage)->click();
    QVERIFY(driver.Handled());
    QVERIFY(checked);
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::fullPageViewWithoutAPageIsEmpty() {
    CChildReport pane;
    ModalDriver driver([&](QWidget* modal) {
        auto* view = qobject_cast<CFullPage*>(modal);
        QVERIFY(view != nullptr);
        QVERIFY(view->url.isEmpty());
        QVERIFY(view->Browser()->Address().isEmpty());
        // Escape ends it.
        QTest::keyClick(view, Qt::Key_Escape);
    });
    pane.Button(ctl::view::FullPage)->click();
    QVERIFY(driver.Handled());
}

// Without a mouse: the list has the focus, arrows open one report after another, Tab goes on
// to the composite button and Space presses it.
void TestViewingReport::keysChooseReportsAndReachTheButtons() {
    const int meas = AnalysedTest(false, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1200, 800);
    pane.show();
    QApplication::setActiveWindow(&pane);
    QVERIFY(QTest::qWaitForWindowActive(&pane));
    QVERIFY(pane.LoadReportList(meas));
    QTreeWidget* list = pane.Tree();
    QCOMPARE(QApplication::focusWidget(), list);
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    const int first = list->indexOfTopLevelItem(list->currentItem()) + 1;
    for (int row : {first, first + 1}) {
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentItem(), list->topLevelItem(row));
        QVERIFY(WaitForPage(pane.Browser()));
        QCOMPARE(pane.Browser()->Address(), pane.Url());
    }
    const QUrl report = pane.Url();
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pane.CompositeButton());
    QTest::keyClick(pane.CompositeButton(), Qt::Key_Space);
    QVERIFY(WaitForPage(pane.Browser()));
    QVERIFY(pane.Url() != report);
    QCOMPARE(pane.Url().fileName(), QString::fromStdString(hv::CompositePageName()) + ".htm");
}

void TestViewingReport::returnHandsBackAndKeysDoNotClose() {
    CChildReport pane;
    int returns = 0;
    pane.SetReturnHandler([&] { ++returns; });
    pane.show();
    QTest::keyClick(&pane, Qt::Key_Escape);
    QTest::keyClick(&pane, Qt::Key_Return);
    QVERIFY(pane.isVisible());
    QCOMPARE(returns, 0);
    pane.Button(ctl::view::Return)->click();
    QCOMPARE(returns, 1);
}

void TestViewingReport::layoutAndStripedButtonBand() {
    CChildReport pane;
    pane.resize(1200, 800);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QCOMPARE(pane.Tree()->geometry(), QRect(6, 51, 208, 800 - 108));
    QCOMPARE(pane.CompositeButton()->geometry(), QRect(16, 800 - 48, 188, 36));
    QCOMPARE(pane.CompositeButton()->text(), QStringLiteral("Compositive Report"));
    QCOMPARE(pane.Browser()->geometry(), QRect(220, 5, 1200 - 221, 800 - 65));
    const int ids[] = {ctl::view::FullPage, ctl::view::Print, ctl::view::SaveReport,
                       ctl::view::Return};
    const char* texts[] = {"Full Page(&F)", "Print(&P)", "Save Report(&S)", "Return(&R)"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pane.Button(ids[i])->geometry(), QRect(260 + 160 * i, 800 - 43, 130, 30));
        QCOMPARE(pane.Button(ids[i])->text(), QString::fromLatin1(texts[i]));
        QVERIFY(pane.Button(ids[i])->font().bold());
    }

    const QImage band = pane.grab().toImage();
    const int cy = 800;
    QCOMPARE(QColor(band.pixel(1100, cy - 55)), QColor(240, 240, 240));
    QCOMPARE(QColor(band.pixel(1100, cy - 54)), QColor(200, 200, 200));
    QCOMPARE(QColor(band.pixel(1100, cy - 7)), QColor(240, 240, 240));
    QCOMPARE(QColor(band.pixel(1100, cy - 8)), QColor(200, 200, 200));
    QCOMPARE(QColor(band.pixel(1100, cy - 56)), QColor(160, 160, 160));
    QCOMPARE(QColor(band.pixel(1100, cy - 6)), QColor(160, 160, 160));
    QCOMPARE(QColor(band.pixel(220, cy - 30)), QColor(160, 160, 160));
    QCOMPARE(QColor(band.pixel(1199, cy - 30)), QColor(160, 160, 160));
}

HALVORET_WEBENGINE_TEST_MAIN(TestViewingReport)
#include "tst_viewingReport.moc"
