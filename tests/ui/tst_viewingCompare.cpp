#include "TempDir.h"
#include "ViewingTestSupport.h"
#include "ui/viewing/CChildPara.h"
#include "ui/viewing/CExplorer.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/FileDialog.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QtTest>
#include <memory>

using namespace viewing_test;

namespace {

// Waits for both browsers of a comparison to load; false when either page did not load.
struct BothLoads {
    explicit BothLoads(CChildPara& pane)
        : upper(pane.UpperBrowser(), &CExplorer::loadFinished),
          lower(pane.LowerBrowser(), &CExplorer::loadFinished) {}
    bool Wait() { return WaitForLoad(upper) && WaitForLoad(lower); }
    QSignalSpy upper;
    QSignalSpy lower;
};

QString Here(const char* file) {
    return QDir::current().absoluteFilePath(QString::fromLatin1(file));
}

const char* const kCountRows = "document.querySelectorAll('tr').length";

} // namespace

class TestViewingCompare : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void comparesAnAnalysedWithAnUnanalysedTest();
    void gradePicturesLieBesideThePages();
    void aSideThatCannotBeBuiltIsEmptyAndKeepsItsDate();
    void printsBothPagesInTurn();
    void savesBothPagesInTurn();
    void layoutLabelsAndReturn();

private:
    std::unique_ptr<Environment> m_env;
    int m_first = 0;
    int m_second = 0;
};

void TestViewingCompare::init() {
    m_env = std::make_unique<Environment>();
    WriteReportPictures();
    const int woman = AddPerson(true, Date(1975, 4, 12), "Ann");
    m_first = AddTest(woman, Date(2021, 2, 3, 9, 5));
    m_second = AddTest(woman, Date(2021, 8, 30, 17, 45));
}

void TestViewingCompare::cleanup() {
    CExplorer::SetDialogRunner({});
    m_env.reset();
}

void TestViewingCompare::comparesAnAnalysedWithAnUnanalysedTest() {
    QVERIFY(AddSummaryRow(m_first, "Blood Lipids", "Triglyceride", "0.560 - 1.700", 2.31));
    QVERIFY(AddSummaryRow(m_first, "Blood Lipids", "Total Cholesterol", "2.800 - 5.170", 6.02));
    QVERIFY(AddSummaryRow(m_first, "Blood Lipids", "HDL", "1.160 - 1.420", 0.81));
    QVERIFY(AddSummaryRow(m_first, "Skin", "Skin Moisture", "40.000 - 60.000", 31.5));

    CChildPara pane;
    pane.resize(1200, 800);
    pane.show();
    BothLoads loads(pane);
    pane.Compare(m_first, m_second);
    QVERIFY(loads.Wait());

    QCOMPARE(pane.FirstMeasID(), m_first);
    QCOMPARE(pane.SecondMeasID(), m_second);
    QCOMPARE(pane.UpperBrowser()->Address(), QUrl::fromLocalFile(Here("Contrast01.htm")));
    QCOMPARE(pane.LowerBrowser()->Address(), QUrl::fromLocalFile(Here("Contrast02.htm")));
    QCOMPARE(pane.DateLabel(1)->text(), QStringLiteral("2021-02-03 09:05"));
    QCOMPARE(pane.DateLabel(2)->text(), QStringLiteral("2021-08-30 17:45"));

    const QString upper = PageText(pane.UpperBrowser());
    for (const char* shown : {"Triglyceride", "2.31", "Total Cholesterol", "6.02", "HDL", "0.81",
                              "Skin Moisture", "31.5", "Moderately Abnormal(++)"})
        QVERIFY2(upper.contains(QString::fromLatin1(shown)), shown);
    // The three items of one report: three rows, its name spanning them.
    QCOMPARE(RunScript(pane.UpperBrowser(), QString::fromLatin1(kCountRows)).toInt(), 1 + 4);
    QCOMPARE(RunScript(pane.UpperBrowser(),
                       QStringLiteral("Array.from(document.querySelectorAll('td[rowspan]')).map("
                                      "c => c.textContent + ':' + c.rowSpan).join('|')"))
                 .toString(),
             QStringLiteral("Skin:1|Blood Lipids:3"));
    // The unanalysed test: the table head alone.
    QCOMPARE(RunScript(pane.LowerBrowser(), QString::fromLatin1(kCountRows)).toInt(), 1);
    QVERIFY(PageText(pane.LowerBrowser()).contains(QStringLiteral("Testing Item")));
    SaveScreenshot(&pane, QStringLiteral("compare-pane"));
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingCompare::gradePicturesLieBesideThePages() {
    QVERIFY(Exec("UPDATE SetValue SET IfCanChu=1"));
    QVERIFY(AddSummaryRow(m_second, "Blood Sugar", "Below", "4.000 - 6.000", 3.25));
    QVERIFY(AddSummaryRow(m_second, "Blood Sugar", "Above", "4.000 - 6.000", 7.5));
    CChildPara pane;
    pane.resize(1200, 800);
    pane.show();
    BothLoads loads(pane);
    pane.Compare(m_first, m_second);
    QVERIFY(loads.Wait());
    // The pictures are named relative to the page's folder and were found there.
    QCOMPARE(
        RunScript(pane.LowerBrowser(),
                  QStringLiteral("Array.from(document.images).map(i => i.src.split('/')"
                                 ".slice(-2).join('/') + ':' + (i.naturalWidth > 0)).join('|')"))
            .toString(),
        QStringLiteral("Reports/YC02.gif:true|Reports/YC06.gif:true"));
    SaveScreenshot(&pane, QStringLiteral("compare-pane-pictures"));
}

void TestViewingCompare::aSideThatCannotBeBuiltIsEmptyAndKeepsItsDate() {
    CChildPara pane;
    pane.show();
    {
        BothLoads loads(pane);
        pane.Compare(m_first, m_second);
        QVERIFY(loads.Wait());
    }
    // A test that no longer exists: no page, and the date of the last comparison stays.
    QSignalSpy upperLoads(pane.UpperBrowser(), &CExplorer::loadFinished);
    pane.Compare(m_first, 4711);
    QVERIFY(WaitForLoad(upperLoads));
    QVERIFY(pane.LowerBrowser()->Address().isEmpty());
    QTRY_COMPARE(pane.LowerBrowser()->View()->url(), QUrl(QStringLiteral("about:blank")));
    QCOMPARE(pane.DateLabel(2)->text(), QStringLiteral("2021-08-30 17:45"));
    QCOMPARE(pane.SecondMeasID(), 4711);

    m_env->RemoveDatabase();
    pane.Compare(m_second, m_first);
    QVERIFY(pane.UpperBrowser()->Address().isEmpty());
    QVERIFY(pane.LowerBrowser()->Address().isEmpty());
    QCOMPARE(pane.DateLabel(1)->text(), QStringLiteral("2021-02-03 09:05"));
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, "Database connection error!"));

    // A pane that never showed a page does not start the browser for an empty one.
    CChildPara fresh;
    fresh.Compare(m_first, m_second);
    QVERIFY(fresh.UpperBrowser()->Address().isEmpty());
    QVERIFY(fresh.UpperBrowser()->findChild<QWebEngineView*>() == nullptr);
}

void TestViewingCompare::printsBothPagesInTurn() {
    QVERIFY(AddSummaryRow(m_first, "Skin", "Skin Moisture", "40.000 - 60.000", 31.5));
    CChildPara pane;
    pane.resize(1200, 800);
    pane.show();
    BothLoads loads(pane);
    pane.Compare(m_first, m_second);
    QVERIFY(loads.Wait());

    hv::test::TempDir target;
    QStringList files;
    CExplorer::SetDialogRunner([&](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (print == nullptr)
            return false;
        files << QString::fromStdString(
            target.file("side" + std::to_string(files.size() + 1) + ".pdf"));
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(files.back());
        return true;
    });
    QSignalSpy upperDone(pane.UpperBrowser(), &CExplorer::commandFinished);
    QSignalSpy lowerDone(pane.LowerBrowser(), &CExplorer::commandFinished);
    pane.Button(ctl::view::ComparePrint)->click();

    QCOMPARE(files.size(), 2);
    QCOMPARE(upperDone.takeFirst(), QVariantList({CExplorer::Print, true}));
    QCOMPARE(lowerDone.takeFirst(), QVariantList({CExplorer::Print, true}));
    for (const QString& pdf : files) {
        QFile file(pdf);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(pdf));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
    }
    // The page with an item prints more than the empty one.
    QVERIFY(QFileInfo(files[0]).size() > QFileInfo(files[1]).size());
}

void TestViewingCompare::savesBothPagesInTurn() {
    CChildPara pane;
    pane.show();
    BothLoads loads(pane);
    pane.Compare(m_first, m_second);
    QVERIFY(loads.Wait());

    hv::test::TempDir target;
    const QString upperFile = QString::fromStdString(target.file("first.htm"));
    const QString lowerFile = QString::fromStdString(target.file("second.mhtml"));
    FileDialog::setNextFileName(upperFile);
    FileDialog::setNextFileName(lowerFile);
    QSignalSpy upperDone(pane.UpperBrowser(), &CExplorer::commandFinished);
    QSignalSpy lowerDone(pane.LowerBrowser(), &CExplorer::commandFinished);
    pane.Button(ctl::view::CompareSave)->click();
    QCOMPARE(FileDialog::lastRequest().caption, QStringLiteral("Save As"));
    QCOMPARE(QFileInfo(FileDialog::lastRequest().path).fileName(),
             QStringLiteral("Contrast02.htm"));

    QTRY_COMPARE_WITH_TIMEOUT(upperDone.size() + lowerDone.size(), 2, kEngineTimeout);
    QCOMPARE(upperDone.takeFirst(), QVariantList({CExplorer::SaveAs, true}));
    QCOMPARE(lowerDone.takeFirst(), QVariantList({CExplorer::SaveAs, true}));
    QVERIFY(QFileInfo(upperFile).size() > 0);
    QVERIFY(QFileInfo(lowerFile).size() > 0);
    QVERIFY(m_env->sink.messages.empty());
}

void TestViewingCompare::layoutLabelsAndReturn() {
    CChildPara pane;
    int returns = 0;
    pane.SetReturnHandler([&] { ++returns; });
    pane.resize(1200, 800);
    pane.show();
    const int cx = 1200, cy = 800;
    const int q = (cy - 2) / 4, r = (3 * cy - 6) / 4, h = (cy - 4) / 2;
    QCOMPARE(pane.UpperBrowser()->geometry(), QRect(150, 1, cx - 240, h));
    QCOMPARE(pane.LowerBrowser()->geometry(), QRect(150, h + 4, cx - 240, h));
    QCOMPARE(pane.DateLabel(1)->geometry(), QRect(23, q + 3, 120, 20));
    QCOMPARE(pane.DateLabel(2)->geometry(), QRect(23, r + 3, 120, 20));
    for (int id : {ctl::view::UpperLabel, ctl::view::LowerLabel}) {
        auto* label = pane.findChild<QLabel*>(QStringLiteral("label%1").arg(id));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("Test datetime:"));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QVERIFY(label->font().bold());
    }
    QCOMPARE(pane.DateLabel(1)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    const int ids[] = {ctl::view::ComparePrint, ctl::view::CompareSave, ctl::view::CompareReturn};
    const char* texts[] = {"Print(&P)", "Save(&S)", "Return(&E)"};
    for (int i = 0; i < 3; ++i) {
        CBtnIcon* button = pane.Button(ids[i]);
        QCOMPARE(button->geometry(), QRect(cx - 76, 22 + 88 * i, 65, 73));
        QCOMPARE(button->text(), QString::fromLatin1(texts[i]));
        QCOMPARE(button->CurrentFaceId(), 224);
    }
    QTest::keyClick(&pane, Qt::Key_Escape);
    QTest::keyClick(&pane, Qt::Key_Return);
    QVERIFY(pane.isVisible());
    pane.Button(ctl::view::CompareReturn)->click();
    QCOMPARE(returns, 1);
}

HALVORET_WEBENGINE_TEST_MAIN(TestViewingCompare)
#include "tst_viewingCompare.moc"
