// What the preferences change in the reports: switching the display mode to Graph and
// analysing the test again writes grade pictures where the page had grade words.

#include "SettingsTestSupport.h"
#include "analysis/AnalysisRun.h"
#include "analysis/CReportWriter.h"
#include "analysis/Catalogue.h"
#include "common/Clock.h"
#include "common/OleDate.h"
#include "ui/settings/CDlgSetPref.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

using namespace settings_test;

namespace {

constexpr int kSlot = 0; // report 01
const QString kGradePicture = QStringLiteral("<image src=YC");
const QString kGradeWords = QStringLiteral("<font color=");

std::int32_t AddPersonWithTest() {
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("Examer", {{"GroupID", 1},
                                            {"Name", "Sam Sample"},
                                            {"Sex", 1},
                                            {"Birthday", hv::ToOleDate({1980, 3, 14})},
                                            {"Height", "175"},
                                            {"Weight", "70"},
                                            {"Result", "Standard body weight"}}))
        return 0;
    const std::int32_t examerId = db.LastInsertKey();
    if (!db.AddRow("MeasData", {{"ExamerID", examerId},
                                {"MeasDate", hv::ToOleDate({2024, 6, 1, 10, 30, 0})},
                                {"MeasValue", "1-2-3-"}}))
        return 0;
    return db.LastInsertKey();
}

bool Analyse(std::int32_t measId) {
    hv::CAnalysisRun run(measId);
    if (run.Prepare() != hv::PrepareResult::Ready)
        return false;
    run.Run();
    return run.PagesLost().empty();
}

// A page file is UTF-16LE text after its byte-order mark.
QString ReadPage(int slot) {
    hv::CAdoDb db;
    std::string name;
    if (db.Open() &&
        db.OpenRecordset("select ReportName from ReportList order by ReportNo limit 1 offset ?",
                         {slot}))
        name = db.GetText("ReportName");
    QFile file(QString::fromStdString(hv::PagePath(hv::ReportPageName(slot, name)).string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll().mid(2);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                              bytes.size() / 2);
}

void ChooseDisplayMode(bool graph) {
    CDlgSetPref dialog;
    QVERIFY(dialog.IsLoaded());
    (graph ? dialog.GraphMode() : dialog.TextMode())->click();
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

} // namespace

class TestSettingsGraphMode : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void switchingToGraphWritesGradePicturesInsteadOfWords();

private:
    std::unique_ptr<Environment> m_env;
};

void TestSettingsGraphMode::switchingToGraphWritesGradePicturesInsteadOfWords() {
    hv::FixedClock clock(std::chrono::system_clock::from_time_t(1717237800)); // 2024-06-01
    hv::ScopedClock useClock(clock);
    const std::int32_t measId = AddPersonWithTest();
    QVERIFY(measId > 0);
    const int items = hv::ItemCount(kSlot);
    QVERIFY(items > 0);

    ChooseDisplayMode(false);
    QVERIFY(Analyse(measId));
    const QString textPage = ReadPage(kSlot);
    QVERIFY(!textPage.isEmpty());
    QCOMPARE(textPage.count(kGradePicture), 0);
    const qsizetype wordsInTextMode = textPage.count(kGradeWords);
    QVERIFY(wordsInTextMode >= items);

    ChooseDisplayMode(true);
    QVERIFY(Analyse(measId));
    const QString graphPage = ReadPage(kSlot);
    QCOMPARE(graphPage.count(kGradePicture), items);
    QCOMPARE(graphPage.count(kGradeWords), wordsInTextMode - items);

    // Both pages show the same stored values: without their marks they are the same page.
    const auto withoutMarks = [](QString page) {
        page.remove(QRegularExpression(QStringLiteral("<image src=YC\\d\\d\\.gif border=0>")));
        page.remove(QRegularExpression(QStringLiteral("<font color=[^>]*>[^<]*</font>")));
        return page;
    };
    QCOMPARE(withoutMarks(graphPage), withoutMarks(textPage));
    QVERIFY(m_env->sink.messages.empty());
}

QTEST_MAIN(TestSettingsGraphMode)
#include "tst_settingsGraphMode.moc"
