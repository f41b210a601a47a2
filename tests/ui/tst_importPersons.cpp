// The person pane's register exchange: the import preview of a file of persons, and the
// exports of the person pane and the report pane. With HALVORET_SCREENSHOTS naming a
// folder, the preview is saved there as pictures.
#include "PersonsUiSupport.h"
#include "analysis/AnalysisRun.h"
#include "common/Clock.h"
#include "ui/persons/CChildList.h"
#include "ui/persons/CImportPersons.h"
#include "ui/viewing/CChildReport.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/FileDialog.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QtTest>
#include <fstream>

using namespace persons_ui;

namespace {

QString Cell(const QTableView& table, int row, int column) {
    return table.model()->index(row, column).data().toString();
}

void SaveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("HALVORET_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QVERIFY(window.grab().save(QDir(folder).filePath(name + ".png")));
    // On a real display, the whole screen too: the window as the window manager placed it.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTest::qWait(500); // let the window manager map and the windows paint
        QVERIFY(window.screen()->grabWindow(0).save(QDir(folder).filePath(name + "-screen.png")));
    }
}

std::string Slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

class TestImportPersons : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void thePreviewShowsEveryRowAndImportsTheValidOnes();
    void importNothingLeavesTheGroupAsItWas();
    void aFileThatCannotBeReadOffersNoImport();
    void aLargeFileFillsThePreviewWithProgress();
    void importNeedsAGroup();
    void thePanesWriteTheirFiles();

private:
    QString WriteFile(const QString& name, const std::string& bytes);
    void Select(const QString& text);

    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
    std::unique_ptr<CChildList> m_pane;
    int m_group = 0;
};

void TestImportPersons::init() {
    m_install = std::make_unique<hv::test::TestInstallation>();
    m_sink = std::make_unique<hv::test::RecordingSink>();
    m_clock = std::make_unique<hv::FixedClock>(
        std::chrono::system_clock::from_time_t(1718445600)); // 15 June 2024, 10:00 UTC
    m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
    m_group = AddGroup("Acme");
    AddPerson(m_group, "Anna Berg", false, {{"Birthday", hv::ToOleDate({1980, 2, 3})}});
    AddGroup("Other");
    m_pane = std::make_unique<CChildList>();
    m_pane->resize(1200, 800);
    m_pane->show();
}

void TestImportPersons::cleanup() {
    m_pane.reset();
    m_scopedClock.reset();
    m_clock.reset();
    m_sink.reset();
    m_install.reset();
}

QString TestImportPersons::WriteFile(const QString& name, const std::string& bytes) {
    const QString path = QString::fromStdString((m_install->path() / name.toStdString()).string());
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

void TestImportPersons::Select(const QString& text) {
    QTreeWidgetItem* item = ItemNamed(*m_pane->Tree(), text);
    QVERIFY(item);
    m_pane->Tree()->setCurrentItem(item);
}

void TestImportPersons::thePreviewShowsEveryRowAndImportsTheValidOnes() {
    FileDialog::setNextFileName(
        WriteFile("staff.csv", "\xEF\xBB\xBFName;Sex;Birthday;Height;Weight;Job\r\n"
                               "Jörg Müller;M;1970-04-01;180;80;Welder\r\n"
                               ";F;1985-05-05;160;54;\r\n"
                               "Anna Berg;F;1980-02-03;165;60;Nurse\r\n"
                               "Carl Dahl;X;1975-01-01;175;70;\r\n"
                               "Eva Fors;Female;1990-13-01;170;60;\r\n"
                               "Gustav Holm;male;2024-01-01;50;10;\r\n"
                               "Ida Jung;F;1992-11-30;0;52;\r\n"
                               "Karl Lund;M;1966-06-06;182;0;\r\n"
                               "\"Lena \"\"Lo\"\" Mark\";F;1999-09-09;168;58;\"Sales; North\"\r\n"
                               "Nils Olsson;M;1988-08-08;178;77\r\n"));
    Select("Acme");
    bool checked = false;
    auto driver = Drive<CImportPersons>([&](CImportPersons& preview) {
        QTRY_VERIFY(preview.ReadingDone());
        QTableView& table = *preview.Table();
        QCOMPARE(table.model()->rowCount(), 10);
        const QStringList status = {"Valid",     "Not valid", "Duplicate", "Not valid",
                                    "Not valid", "Not valid", "Not valid", "Not valid",
                                    "Valid",     "Not valid"};
        for (int r = 0; r < 10; ++r)
            QCOMPARE(Cell(table, r, 1), status[r]);
        QCOMPARE(Cell(table, 0, 2), QString::fromUtf8("Jörg Müller"));
        QCOMPARE(Cell(table, 1, 7), QStringLiteral("The name can not be null!"));
        QCOMPARE(Cell(table, 3, 7),
                 QStringLiteral("The sex must be M, F, Male or Female, not \"X\"."));
        QCOMPARE(Cell(table, 6, 7), QStringLiteral("The height can not be null!"));
        QCOMPARE(Cell(table, 9, 0), QStringLiteral("11"));
        QCOMPARE(Cell(table, 9, 7), QStringLiteral("The row has 5 fields; the header has 6."));
        QCOMPARE(preview.StatusLabel()->text(),
                 QStringLiteral("Rows that can be imported: 2. Not valid: 7. Duplicates: 1."));
        QVERIFY(preview.ImportButton()->isEnabled());
        SaveScreenshot(preview, "import-preview");
        checked = true;
        preview.ImportButton()->click();
    });
    m_pane->Button(CChildList::ImportPersons)->click();
    QVERIFY(driver->Handled());
    QVERIFY(checked);
    QCOMPARE(Count("SELECT count(*) FROM Examer WHERE GroupID=?", {m_group}), 3L);
    QTreeWidgetItem* group = ItemNamed(*m_pane->Tree(), "Acme");
    QCOMPARE(group->childCount(), 3);
    QCOMPARE(group->child(2)->text(0), QStringLiteral("Lena \"Lo\" Mark"));
    QCOMPARE(m_pane->GetSelectedExamerID() != 0, true);
    QCOMPARE(m_pane->Tree()->currentItem()->text(0), QString::fromUtf8("Jörg Müller"));
}

void TestImportPersons::importNothingLeavesTheGroupAsItWas() {
    FileDialog::setNextFileName(WriteFile("two.csv", "Name,Sex,Birthday,Height,Weight\n"
                                                     "New One,M,1970-04-01,180,80\n"));
    Select("Anna Berg"); // a person's group is the group
    auto driver = Drive<CImportPersons>([](CImportPersons& preview) {
        QTRY_VERIFY(preview.ReadingDone());
        QVERIFY(preview.ImportButton()->isEnabled());
        preview.reject();
    });
    m_pane->Button(CChildList::ImportPersons)->click();
    QVERIFY(driver->Handled());
    QCOMPARE(Count("SELECT count(*) FROM Examer"), 1L);
}

void TestImportPersons::aFileThatCannotBeReadOffersNoImport() {
    FileDialog::setNextFileName(WriteFile(
        "open.csv", "Name,Sex,Birthday,Height,Weight\nA,M,1970-04-01,180,80\n\"B,M,1970,1,1\n"));
    Select("Acme");
    auto driver = Drive<CImportPersons>([](CImportPersons& preview) {
        QTRY_VERIFY(preview.ReadingDone());
        QCOMPARE(preview.StatusLabel()->text(),
                 QStringLiteral("Line 3: A quoted field that begins in this row is never closed."));
        QVERIFY(!preview.ImportButton()->isEnabled());
        SaveScreenshot(preview, "import-unclosed-quote");
        preview.reject();
    });
    m_pane->Button(CChildList::ImportPersons)->click();
    QVERIFY(driver->Handled());
    QCOMPARE(Count("SELECT count(*) FROM Examer"), 1L);
}

void TestImportPersons::aLargeFileFillsThePreviewWithProgress() {
    std::string file = "Name\tSex\tBirthday\tHeight\tWeight\r\n";
    for (int i = 0; i < 30000; ++i)
        file += "Person " + std::to_string(i) + "\tF\t1980-01-01\t160\t" +
                std::to_string(i % 97 ? 54 : 0) + "\r\n";
    FileDialog::setNextFileName(WriteFile("large.tsv", file));
    Select("Other");
    auto driver = Drive<CImportPersons>([](CImportPersons& preview) {
        QSignalSpy finished(&preview, &CImportPersons::readingFinished);
        QTRY_VERIFY_WITH_TIMEOUT(preview.ReadingDone() || finished.count() == 1, 60000);
        QCOMPARE(preview.Table()->model()->rowCount(), 30000);
        QCOMPARE(preview.Progress()->value(), 1000);
        QCOMPARE(preview.Summary().invalid, 310L);
        preview.ImportButton()->click();
    });
    m_pane->Button(CChildList::ImportPersons)->click();
    QVERIFY(driver->Handled());
    QCOMPARE(Count("SELECT count(*) FROM Examer"), 1L + 30000 - 310);
}

void TestImportPersons::importNeedsAGroup() {
    m_pane->Tree()->clearSelection();
    m_pane->Tree()->setCurrentItem(nullptr);
    m_pane->Button(CChildList::ImportPersons)->click();
    QCOMPARE(m_sink->messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(m_sink->messages[0]),
             QStringLiteral("Select the group the persons are to be imported into, then choose "
                            "Import again."));
}

void TestImportPersons::thePanesWriteTheirFiles() {
    const QString persons = QString::fromStdString((m_install->path() / "p.csv").string());
    FileDialog::setNextFileName(persons);
    Select("Acme");
    m_pane->Button(CChildList::ExportPersons)->click();
    QVERIFY(Slurp(persons).starts_with("\xEF\xBB\xBFName,Sex,Birthday,"));
    QVERIFY(Slurp(persons).find("Anna Berg,F,1980-02-03") != std::string::npos);

    const QString summary = QString::fromStdString((m_install->path() / "s.csv").string());
    FileDialog::setNextFileName(summary);
    m_pane->Button(CChildList::ExportSummary)->click();
    QVERIFY(Slurp(summary).find("Anna Berg,1980-02-03,,,,,,no test") != std::string::npos);

    const int examer = AddPerson(m_group, "Tested");
    const int measId = AddTest(examer, {2024, 6, 1, 9, 0, 0});
    CChildReport report;
    report.resize(1400, 800);
    QVERIFY(report.LoadReportList(measId));
    const QString results = QString::fromStdString((m_install->path() / "r.csv").string());
    FileDialog::setNextFileName(results);
    report.Button(ctl::view::ExportResults)->click();
    QCOMPARE(QString::fromStdString(m_sink->messages.back()),
             QStringLiteral("Test %1 has not been analysed yet, so it has no results to export. "
                            "Get its report first.")
                 .arg(measId));
    QVERIFY(!QFile::exists(results));
    hv::CAnalysisRun run(measId);
    QCOMPARE(run.Prepare(), hv::PrepareResult::Ready);
    run.Run();
    FileDialog::setNextFileName(results);
    report.Button(ctl::view::ExportResults)->click();
    QVERIFY(Slurp(results).starts_with("\xEF\xBB\xBFReport,Item,Normal range,Value,Grade\r\n"));
}

QTEST_MAIN(TestImportPersons)
#include "tst_importPersons.moc"
