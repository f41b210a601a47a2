#include "SettingsTestSupport.h"
#include "data/SeedData.h"
#include "ui/settings/CDlgSetRept.h"

#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";
const std::string kSaveSuccessfully = "Save Successfully!";

int RowOf(const QTableWidget* list, const QString& reportNo) {
    for (int row = 0; row < list->rowCount(); ++row)
        if (list->item(row, CDlgSetRept::ColReportNo)->text() == reportNo)
            return row;
    return -1;
}

QString Flag(const QTableWidget* list, const QString& reportNo) {
    const int row = RowOf(list, reportNo);
    return row < 0 ? QString() : list->item(row, CDlgSetRept::ColIndicate)->text();
}

// "M,F" of a report's stored flags.
QString StoredFlags(const std::string& reportNo) {
    hv::CAdoDb db;
    if (!db.Open() ||
        !db.OpenRecordset("select IfShow_M,IfShow_F from ReportList where ReportNo=?", {reportNo}))
        return {};
    return QStringLiteral("%1,%2").arg(db.Field(0).AsInt64()).arg(db.Field(1).AsInt64());
}

// The reports listed for a sex ("M", "F"), or of both sexes only ("A").
std::size_t SeedCount(std::string_view sex) {
    std::size_t n = 0;
    for (const hv::SeedReport& r : hv::SeedReports())
        n += r.sex == sex || (sex != "A" && r.sex == "A");
    return n;
}

} // namespace

class TestCDlgSetRept : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void listsShowTheReportsOfEachSex();
    void reportForBothSexesHasTwoIndependentFlags();
    void clickInIndicateTogglesTheFlag();
    void keysTickReportsInBothLists();
    void saveWritesEveryFlagAndStaysOpen();
    void failedSaveShowsNoSuccess();
    void exitAndEscapeStoreNothing();
    void unavailableDatabaseKeepsTheWindowAway();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgSetRept::listsShowTheReportsOfEachSex() {
    QVERIFY(Exec("update ReportList set ShowOrder=0 where ReportNo='R09'"));
    CDlgSetRept dialog;
    QVERIFY(dialog.IsLoaded());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Display report setting"));
    QTableWidget* male = dialog.MaleList();
    QTableWidget* female = dialog.FemaleList();
    QCOMPARE(male->rowCount(), int(SeedCount("M")));
    QCOMPARE(female->rowCount(), int(SeedCount("F")));

    QStringList headings;
    for (int c = 0; c < 3; ++c)
        headings << male->horizontalHeaderItem(c)->text();
    QCOMPARE(headings, (QStringList{"No.", "Report Name", "Indicate"}));
    QCOMPARE(male->columnWidth(0), 70);
    QCOMPARE(male->columnWidth(1), 140);
    QCOMPARE(male->columnWidth(2), 70);
    QVERIFY(male->isColumnHidden(CDlgSetRept::ColReportNo));
    QCOMPARE(male->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(male->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(male->showGrid());

    // Display order, numbered from 1.
    QCOMPARE(male->item(0, CDlgSetRept::ColReportNo)->text(), QStringLiteral("R09"));
    QCOMPARE(male->item(0, CDlgSetRept::ColNo)->text(), QStringLiteral("1"));
    QCOMPARE(male->item(0, CDlgSetRept::ColName)->text(), QStringLiteral("Spine and Joints"));
    QCOMPARE(male->item(1, CDlgSetRept::ColReportNo)->text(), QStringLiteral("R01"));
    QCOMPARE(male->item(1, CDlgSetRept::ColNo)->text(), QStringLiteral("2"));
    QVERIFY(RowOf(male, "R16") >= 0);
    QCOMPARE(RowOf(female, "R16"), -1);
    QVERIFY(RowOf(female, "R18") >= 0);
    QCOMPARE(RowOf(male, "R18"), -1);
}

void TestCDlgSetRept::reportForBothSexesHasTwoIndependentFlags() {
    QVERIFY(Exec("update ReportList set IfShow_M=0, IfShow_F=-1 where ReportNo='R03'"));
    CDlgSetRept dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(Flag(dialog.MaleList(), "R03"), QStringLiteral("0"));
    QCOMPARE(Flag(dialog.FemaleList(), "R03"), QStringLiteral("1"));

    ClickCell(dialog.MaleList(), RowOf(dialog.MaleList(), "R03"), CDlgSetRept::ColIndicate);
    QCOMPARE(Flag(dialog.MaleList(), "R03"), QStringLiteral("1"));
    QCOMPARE(Flag(dialog.FemaleList(), "R03"), QStringLiteral("1"));
    ClickCell(dialog.FemaleList(), RowOf(dialog.FemaleList(), "R03"), CDlgSetRept::ColIndicate);
    dialog.SaveButton()->click();
    QCOMPARE(StoredFlags("R03"), QStringLiteral("-1,0"));
}

void TestCDlgSetRept::clickInIndicateTogglesTheFlag() {
    CDlgSetRept dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* list = dialog.FemaleList();
    QCOMPARE(list->item(4, CDlgSetRept::ColIndicate)->text(), QStringLiteral("1"));
    ClickCell(list, 4, CDlgSetRept::ColIndicate);
    QCOMPARE(list->item(4, CDlgSetRept::ColIndicate)->text(), QStringLiteral("0"));
    ClickCell(list, 4, CDlgSetRept::ColIndicate);
    QCOMPARE(list->item(4, CDlgSetRept::ColIndicate)->text(), QStringLiteral("1"));
    // Clicks in the other columns change nothing.
    ClickCell(list, 4, CDlgSetRept::ColNo);
    ClickCell(list, 4, CDlgSetRept::ColName);
    QCOMPARE(list->item(4, CDlgSetRept::ColIndicate)->text(), QStringLiteral("1"));
    // A row far down the list is reached by scrolling and toggles the same way.
    const int last = list->rowCount() - 1;
    ClickCell(list, last, CDlgSetRept::ColIndicate);
    QCOMPARE(list->item(last, CDlgSetRept::ColIndicate)->text(), QStringLiteral("0"));
}

// Without a mouse: the men's list has the focus first, arrows choose a row, Space ticks or
// clears it, Tab goes on to the women's list, Alt+S saves.
void TestCDlgSetRept::keysTickReportsInBothLists() {
    CDlgSetRept dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* male = dialog.MaleList();
    QTableWidget* female = dialog.FemaleList();
    QCOMPARE(QApplication::focusWidget(), male);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(male, Qt::Key_Down);
    QCOMPARE(male->currentRow(), 4);
    const QString maleReport = male->item(4, CDlgSetRept::ColReportNo)->text();
    QTest::keyClick(male, Qt::Key_Space);
    QCOMPARE(Flag(male, maleReport), QStringLiteral("0"));
    QTest::keyClick(male, Qt::Key_Space);
    QTest::keyClick(male, Qt::Key_Space);
    QCOMPARE(Flag(male, maleReport), QStringLiteral("0"));

    QTest::keyClick(male, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), female);
    QCOMPARE(female->currentRow(), 0);
    const QString femaleReport = female->item(0, CDlgSetRept::ColReportNo)->text();
    QTest::keyClick(female, Qt::Key_Space);
    QCOMPARE(Flag(female, femaleReport), QStringLiteral("0"));

    QTest::keyClick(female, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(m_env->sink.messages, std::vector<std::string>{kSaveSuccessfully});
    QCOMPARE(Value("select IfShow_M from ReportList where ReportNo=?", {maleReport.toStdString()}),
             hv::DbValue(0));
    QCOMPARE(
        Value("select IfShow_F from ReportList where ReportNo=?", {femaleReport.toStdString()}),
        hv::DbValue(0));
}

void TestCDlgSetRept::saveWritesEveryFlagAndStaysOpen() {
    CDlgSetRept dialog;
    QVERIFY(ShowActive(dialog));
    ClickCell(dialog.MaleList(), RowOf(dialog.MaleList(), "R16"), CDlgSetRept::ColIndicate);
    ClickCell(dialog.FemaleList(), RowOf(dialog.FemaleList(), "R22"), CDlgSetRept::ColIndicate);
    // Flags changed elsewhere meanwhile are overwritten with what the window shows, but
    // the women's flag of a men's report is not the window's to write.
    QVERIFY(Exec("update ReportList set IfShow_M=0, IfShow_F=0"));
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kSaveSuccessfully});
    QCOMPARE(StoredFlags("R16"), QStringLiteral("0,0"));
    QCOMPARE(StoredFlags("R22"), QStringLiteral("0,0"));
    QCOMPARE(StoredFlags("R01"), QStringLiteral("-1,-1"));
    QCOMPARE(Value("select count(*) from ReportList where IfShow_M<0"),
             hv::DbValue(int(SeedCount("M")) - 1));
    QCOMPARE(Value("select count(*) from ReportList where IfShow_F<0"),
             hv::DbValue(int(SeedCount("F")) - 1));

    // Saving again without changes rewrites the same flags and says so again. (A mnemonic
    // clicks its button a moment after the key.)
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(m_env->sink.messages, std::vector<std::string>(2, kSaveSuccessfully));
    QCOMPARE(StoredFlags("R16"), QStringLiteral("0,0"));
    QVERIFY(dialog.isVisible());
}

void TestCDlgSetRept::failedSaveShowsNoSuccess() {
    CDlgSetRept dialog;
    QVERIFY(ShowActive(dialog));
    for (QTableWidget* list : {dialog.MaleList(), dialog.FemaleList()})
        for (int row = 0; row < list->rowCount(); ++row)
            list->item(row, CDlgSetRept::ColIndicate)->setText(QStringLiteral("0"));
    QVERIFY(FailUpdatesWhere("ReportList", "NEW.ReportNo='R05'"));
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages.size(), size_t(1));
    QVERIFY(Utf8(m_env->sink.messages[0]).contains(QStringLiteral("row is locked for this test")));
    QCOMPARE(StoredFlags("R04"), QStringLiteral("0,-1"));
    QCOMPARE(StoredFlags("R06"), QStringLiteral("-1,-1"));
    // The choices stay on screen, so saving again once the row is free writes them all.
    QCOMPARE(Flag(dialog.MaleList(), "R06"), QStringLiteral("0"));
    QVERIFY(Exec("drop trigger RefuseUpdate"));
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages.back(), kSaveSuccessfully);
    // Every flag the window shows is now clear; only the other sex's flag of the men's and
    // women's reports is still set.
    const std::size_t singleSex = hv::SeedReports().size() - SeedCount("A");
    QCOMPARE(Value("select count(*) from ReportList where IfShow_M<0 or IfShow_F<0"),
             hv::DbValue(int(singleSex)));
}

void TestCDlgSetRept::exitAndEscapeStoreNothing() {
    for (bool escape : {false, true}) {
        CDlgSetRept dialog;
        QVERIFY(ShowActive(dialog));
        ClickCell(dialog.MaleList(), 0, CDlgSetRept::ColIndicate);
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.ExitButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Value("select count(*) from ReportList where IfShow_M=0"), hv::DbValue(0));
    }
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSetRept::unavailableDatabaseKeepsTheWindowAway() {
    m_env->RemoveDatabase();
    CDlgSetRept dialog;
    QVERIFY(!dialog.IsLoaded());
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kConnectionError});
}

QTEST_MAIN(TestCDlgSetRept)
#include "tst_settingsRept.moc"
