#include "ModalDriver.h"
#include "PdfText.h"
#include "TempDir.h"
#include "ViewingTestSupport.h"
#include "analysis/AnalysisRun.h"
#include "analysis/CReportWriter.h"
#include "common/Clock.h"
#include "print/DocumentJob.h"
#include "printing/DocumentPlan.h"
#include "printing/PdfAssembly.h"
#include "ui/viewing/CChildReport.h"
#include "ui/viewing/CExplorer.h"
#include "ui/viewing/CFullPage.h"
#include "ui/viewing/DocumentPrinting.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/FileDialog.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
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

// The pages of the document a plan makes on the shared printer's paper as it is set up now.
int DocumentPages(const hv::DocumentPlan& plan) {
    hv::test::TempDir folder;
    hv::DocumentJob job(plan, hv::StationPrintOptions(CExplorer::SharedPrinter().pageLayout()),
                        QString::fromStdString(folder.file("count.pdf")));
    QSignalSpy finished(&job, &hv::DocumentJob::finished);
    job.Start();
    if (finished.isEmpty() && !finished.wait(kEngineTimeout))
        return -1;
    return job.PageCount();
}

// A page's text with every run of blanks and line breaks made one space.
QString PdfPageText(const QString& pdf, int page) {
    return QString::fromStdString(hv::test::PdfText(pdf.toStdString(), page))
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// The operator picks printing to a PDF file in the print dialog.
CExplorer::DialogRunner PrintToFile(const QString& pdf) {
    return [pdf](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (print == nullptr)
            return false;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        return true;
    };
}

// Calls a handler once while a whole test's document is being made: when its progress
// dialog shows that the first report is done.
class WhileMaking {
public:
    WhileMaking(CChildReport& pane, std::function<void(QProgressDialog*)> handler)
        : m_handler(std::move(handler)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &pane] {
            auto* progress = pane.findChild<QProgressDialog*>(QStringLiteral("printProgress"));
            if (progress == nullptr || !progress->isVisible() || progress->value() < 1)
                return;
            m_timer.stop();
            m_handled = true;
            m_handler(progress);
        });
        m_timer.start();
    }
    bool Handled() const { return m_handled; }

private:
    std::function<void(QProgressDialog*)> m_handler;
    QTimer m_timer;
    bool m_handled = false;
};

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
    void previewShowsWhatPrintsAndFollowsTheOrientation();
    void printAllAndSavePdfMakeTheWholeTestOneDocument();
    void savePdfCancelsRefusesASecondAndSaysWhatFailed();
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
    CExplorer::SharedPrinter().setOutputFileName(QString());
    CExplorer::SharedPrinter().setPageOrientation(QPageLayout::Portrait);
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
    // Every page of the finished document went to the printer, as a picture of the whole
    // paper at the printer's resolution.
    QCOMPARE(hv::PdfPageCount(pdf.toStdString()), DocumentPages(PagePlan(pane.Url())));
    const QSize paper = CExplorer::SharedPrinter().paperRect(QPrinter::DevicePixel).size().toSize();
    const std::string pictures =
        hv::test::CommandOutput("pdfimages -list '" + pdf.toStdString() + "'");
    QVERIFY2(pictures.find(
                 QStringLiteral(" %1  %2 ").arg(paper.width()).arg(paper.height()).toStdString()) !=
                 std::string::npos,
             pictures.c_str());
    QVERIFY(m_env->sink.messages.empty());

    // A printer that does not take the job: the operator is told what failed.
    CExplorer::SetDialogRunner(PrintToFile(pdf + QStringLiteral(".missing/report.pdf")));
    pane.Button(ctl::view::Print)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({CExplorer::Print, false}));
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>(
                 {"The page could not be printed: the printer did not accept the job."}));
}

void TestViewingReport::previewShowsWhatPrintsAndFollowsTheOrientation() {
    const int meas = AnalysedTest(true, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1000, 700);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QSignalSpy loads(pane.Browser(), &CExplorer::loadFinished);
    pane.CompositeButton()->click();
    QVERIFY(WaitForLoad(loads));
    const hv::DocumentPlan plan = PagePlan(pane.Url());
    const int upright = DocumentPages(plan);
    CExplorer::SharedPrinter().setPageOrientation(QPageLayout::Landscape);
    const int across = DocumentPages(plan);
    CExplorer::SharedPrinter().setPageOrientation(QPageLayout::Portrait);
    QVERIFY2(upright != across, qPrintable(QStringLiteral("%1 %2").arg(upright).arg(across)));

    int shownUpright = 0;
    int shownAcross = 0;
    bool painted = false;
    CExplorer::SetDialogRunner([&](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        if (preview == nullptr)
            return false;
        preview->resize(900, 700);
        preview->show();
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        painted = QTest::qWaitFor([&] { return pages->pageCount() > 0; }, kEngineTimeout);
        shownUpright = pages->pageCount();
        // The operator turns the page, back, and across again, each before the document
        // of the last turn is ready: the last one is what the preview ends up showing.
        pages->setLandscapeOrientation();
        pages->setPortraitOrientation();
        pages->setLandscapeOrientation();
        painted = painted &&
                  QTest::qWaitFor([&] { return pages->pageCount() == across; }, kEngineTimeout);
        QTest::qWait(500); // no late document of another page arrives
        shownAcross = pages->pageCount();
        SaveScreenshot(preview, QStringLiteral("print-preview-landscape"));
        preview->reject();
        return false;
    });
    QVERIFY(pane.Browser()->ExecWB(CExplorer::PrintPreview));
    QVERIFY(painted);
    QCOMPARE(shownUpright, upright);
    QCOMPARE(shownAcross, across);
    QCOMPARE(CExplorer::SharedPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::printAllAndSavePdfMakeTheWholeTestOneDocument() {
    QVERIFY(Exec("UPDATE SetValue SET PageHead='&bStation 3&b', PageFoot='&bHall B'"));
    const int meas = AnalysedTest(false, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.resize(1300, 800);
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QSignalSpy finished(&pane, &CChildReport::documentFinished);

    hv::test::TempDir target;
    const QString saved = QString::fromStdString(target.file("test.pdf"));
    FileDialog::setNextFileName(saved);
    pane.Button(ctl::view::SavePdf)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({ctl::view::SavePdf, true}));
    QCOMPARE(FileDialog::lastRequest().caption, QStringLiteral("Save PDF"));
    QCOMPARE(QFileInfo(FileDialog::lastRequest().path).fileName(),
             QStringLiteral("Reports of test %1.pdf").arg(meas));

    // The composite report, then the reports in the order of the list.
    const int pages = hv::PdfPageCount(saved.toStdString());
    QStringList headings{QStringLiteral("Comprehensive Report Card")};
    for (const QString& entry : TreeTexts(pane))
        headings << QStringLiteral("(%1) Analysis Report Card").arg(entry.section('.', 1));
    int heading = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfPageText(saved, page);
        QVERIFY2(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Station 3")) &&
                text.contains(QStringLiteral("Hall B")));
        QVERIFY(text.contains(QStringLiteral("nothing was measured. Not a medical device.")));
        if (heading < headings.size() && text.contains(headings[heading]))
            ++heading;
    }
    QCOMPARE(heading, headings.size());

    // Print All: one print job of the same pages.
    const QString printed = QString::fromStdString(target.file("printed.pdf"));
    CExplorer::SetDialogRunner(PrintToFile(printed));
    pane.Button(ctl::view::PrintAll)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({ctl::view::PrintAll, true}));
    QCOMPARE(hv::PdfPageCount(printed.toStdString()), pages);
    KeepForLooking(saved, QStringLiteral("whole-test.pdf"));
    KeepForLooking(printed, QStringLiteral("whole-test-printed.pdf"));
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingReport::savePdfCancelsRefusesASecondAndSaysWhatFailed() {
    const int meas = AnalysedTest(true, Date(1980, 1, 1), Date(2021, 6, 1));
    CChildReport pane;
    pane.show();
    QVERIFY(pane.LoadReportList(meas));
    QSignalSpy finished(&pane, &CChildReport::documentFinished);
    hv::test::TempDir target;
    const QString pdf = QString::fromStdString(target.file("test.pdf"));

    // Cancelled while it is made: no file, no message.
    FileDialog::setNextFileName(pdf);
    WhileMaking cancel(pane, [](QProgressDialog* progress) {
        progress->findChild<QPushButton*>()->click(); // its Cancel button
    });
    pane.Button(ctl::view::SavePdf)->click();
    QVERIFY(cancel.Handled());
    QCOMPARE(finished.takeFirst(), QVariantList({ctl::view::SavePdf, false}));
    QVERIFY(!QFileInfo::exists(pdf));
    QVERIFY(m_env->sink.messages.empty());

    // A second click while the first runs is refused at once; the first goes on.
    FileDialog::setNextFileName(pdf);
    WhileMaking twice(pane, [&](QProgressDialog*) {
        pane.Button(ctl::view::PrintAll)->click();
        pane.Button(ctl::view::SavePdf)->click();
    });
    pane.Button(ctl::view::SavePdf)->click();
    QVERIFY(twice.Handled());
    QCOMPARE(finished.size(), 3);
    QCOMPARE(finished[0], QVariantList({ctl::view::PrintAll, false}));
    QCOMPARE(finished[1], QVariantList({ctl::view::SavePdf, false}));
    QCOMPARE(finished[2], QVariantList({ctl::view::SavePdf, true}));
    QVERIFY(hv::PdfPageCount(pdf.toStdString()) > 0);
    finished.clear();

    // A folder that is not there.
    const QString nowhere = QString::fromStdString(target.file("gone")) + QStringLiteral("/x.pdf");
    FileDialog::setNextFileName(nowhere);
    pane.Button(ctl::view::SavePdf)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({ctl::view::SavePdf, false}));
    QCOMPARE(m_env->sink.messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(m_env->sink.messages[0])
                 .startsWith(QStringLiteral("The PDF file was not saved to %1: the pages could not "
                                            "be put together (")
                                 .arg(nowhere)),
             m_env->sink.messages[0].c_str());

    // The printer does not take the job: the reason is shown.
    m_env->sink.messages.clear();
    CExplorer::SetDialogRunner(PrintToFile(nowhere));
    pane.Button(ctl::view::PrintAll)->click();
    QCOMPARE(finished.takeFirst(), QVariantList({ctl::view::PrintAll, false}));
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>(
                 {"The reports could not be printed: the printer did not accept the job."}));
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
    pane.resize(1500, 800);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QCOMPARE(pane.Tree()->geometry(), QRect(6, 51, 208, 800 - 108));
    QCOMPARE(pane.CompositeButton()->geometry(), QRect(16, 800 - 48, 188, 36));
    QCOMPARE(pane.CompositeButton()->text(), QStringLiteral("Compositive Report"));
    QCOMPARE(pane.Browser()->geometry(), QRect(220, 5, 1500 - 221, 800 - 65));
    const int ids[] = {ctl::view::FullPage,     ctl::view::Print,    ctl::view::SaveReport,
                       ctl::view::Return,       ctl::view::PrintAll, ctl::view::SavePdf,
                       ctl::view::ExportResults};
    const char* texts[] = {"Full Page(&F)", "Print(&P)", "Save Report(&S)", "Return(&R)",
                           "Print All",     "Save PDF",  "Export Results"};
    for (int i = 0; i < 7; ++i) {
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
    QCOMPARE(QColor(band.pixel(1499, cy - 30)), QColor(160, 160, 160));

    // Too narrow for the usual spacing, the buttons close up and all stay in the band, in
    // their order and apart.
    for (int width : {1200, 1180}) {
        pane.resize(width, 800);
        QTRY_COMPARE(pane.width(), width);
        int right = 220;
        for (int id : ids) {
            const QRect button = pane.Button(id)->geometry();
            QVERIFY2(button.left() > right, qPrintable(QString::number(id)));
            QVERIFY(button.right() < width - 1);
            right = button.right();
        }
    }
}

HALVORET_WEBENGINE_TEST_MAIN(TestViewingReport)
#include "tst_viewingReport.moc"
