#include "PdfText.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "printing/PdfAssembly.h"

#include <QProcess>
#include <QtTest>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs halvoret-admin in the installation folder with nothing at all in its environment, as
// a scheduled job on a machine without a display would.
Run Admin(const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(QProcessEnvironment());
    process.setWorkingDirectory(QString::fromStdString(fs::current_path().string()));
    process.start(QStringLiteral(HALVORET_ADMIN_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(180000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

int AddTest() {
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("Examer", {{"GroupID", 0},
                                            {"Name", std::string("Ann")},
                                            {"Sex", 0},
                                            {"Birthday", hv::ToOleDate({1979, 5, 4, 0, 0, 0})},
                                            {"Height", std::string("165")},
                                            {"Weight", std::string("60")},
                                            {"Result", std::string("Standard body weight")}}))
        return 0;
    const int examer = db.LastInsertKey();
    if (!db.AddRow("MeasData", {{"ExamerID", examer},
                                {"MeasDate", hv::ToOleDate({2021, 6, 1, 9, 30, 0})},
                                {"MeasValue", std::string("1-2-")}}))
        return 0;
    return db.LastInsertKey();
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int FilesIn(const fs::path& folder) {
    return static_cast<int>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

class TestAdminPdf : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        fs::create_directory("out");
    }
    void cleanup() { m_install.reset(); }

    void writesAWholeTestWithoutADisplayOrEnvironment();
    void aMissingTestWritesNothing();
    void wrongArgumentsAndAMissingFolder();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
};

void TestAdminPdf::writesAWholeTestWithoutADisplayOrEnvironment() {
    QVERIFY(hv::CAdoDb().Open());
    const int meas = AddTest();
    QVERIFY(meas != 0);
    std::ofstream("out/test.pdf") << "an earlier file";

    const Run first =
        Admin({QStringLiteral("pdf"), QString::number(meas), QStringLiteral("out/test.pdf")});
    QVERIFY2(first.status == 0, qPrintable(first.err));
    const int pages = hv::PdfPageCount("out/test.pdf");
    QVERIFY(pages > 30);
    QCOMPARE(first.out, QStringLiteral("wrote out/test.pdf (%1 pages)\n").arg(pages));
    QCOMPARE(first.err, QString());
    QCOMPARE(FilesIn("out"), 1);
    QVERIFY(fs::exists("Reports/00-Compositive Report.htm"));
    const std::string text = hv::test::PdfText("out/test.pdf");
    QVERIFY(text.find("Page 1 of " + std::to_string(pages)) != std::string::npos);
    QVERIFY(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)) !=
            std::string::npos);
    QVERIFY(text.find("Comprehensive Report Card") != std::string::npos);

    // Made again: the test's stored values are read back, so the document says the same.
    const Run second =
        Admin({QStringLiteral("pdf"), QString::number(meas), QStringLiteral("out/again.pdf")});
    QVERIFY2(second.status == 0, qPrintable(second.err));
    QCOMPARE(hv::test::PdfText("out/again.pdf"), text);
}

void TestAdminPdf::aMissingTestWritesNothing() {
    std::ofstream("out/test.pdf") << "an earlier file";
    const Run run =
        Admin({QStringLiteral("pdf"), QStringLiteral("999"), QStringLiteral("out/test.pdf")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err,
             QStringLiteral("There is no test 999 in the database, so no report was made.\n"));
    QCOMPARE(run.out, QString());
    QCOMPARE(Bytes("out/test.pdf"), std::string("an earlier file"));
    QCOMPARE(FilesIn("out"), 1);
    QCOMPARE(FilesIn("Reports"), 0);
}

void TestAdminPdf::wrongArgumentsAndAMissingFolder() {
    const QString usage = QStringLiteral("usage: halvoret-admin pdf MEASID FILE.pdf\n");
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("pdf")},
          QStringList{QStringLiteral("pdf"), QStringLiteral("1")},
          QStringList{QStringLiteral("pdf"), QStringLiteral("x1"), QStringLiteral("a.pdf")},
          QStringList{QStringLiteral("pdf"), QStringLiteral("1"), QStringLiteral("a.pdf"),
                      QStringLiteral("b.pdf")}}) {
        const Run run = Admin(arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, usage);
    }
    const int meas = AddTest();
    const Run run =
        Admin({QStringLiteral("pdf"), QString::number(meas), QStringLiteral("gone/test.pdf")});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("halvoret-admin: The PDF file was not saved to "
                                               "gone/test.pdf: the pages could not be put "
                                               "together (")),
             qPrintable(run.err));
    QVERIFY(!fs::exists("gone"));
}

QTEST_GUILESS_MAIN(TestAdminPdf)
#include "tst_adminPdf.moc"
