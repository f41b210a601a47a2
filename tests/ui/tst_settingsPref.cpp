#include "SettingsTestSupport.h"
#include "data/OperatorTexts.h"
#include "settings/SettingsRow.h"
#include "ui/settings/CDlgSetPref.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";

// The six radios as a string: "1" checked, "0" not, in the order Yes No Yes No Graph Text.
QString RadioStates(const CDlgSetPref& dialog) {
    QString states;
    for (QRadioButton* radio : {dialog.StandardYes(), dialog.StandardNo(), dialog.DescriptionYes(),
                                dialog.DescriptionNo(), dialog.GraphMode(), dialog.TextMode()})
        states += radio->isChecked() ? u'1' : u'0';
    return states;
}

QString StoredSwitches() {
    hv::CAdoDb db;
    if (!db.Open() ||
        !db.OpenRecordset("select ReportStandard,ReportShuoMing,IfCanChu from SetValue"))
        return {};
    return QStringLiteral("%1,%2,%3")
        .arg(db.Field(0).AsInt64())
        .arg(db.Field(1).AsInt64())
        .arg(db.Field(2).AsInt64());
}

} // namespace

class TestCDlgSetPref : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void captionsAndButtons();
    void showsStoredSwitches_data();
    void showsStoredSwitches();
    void okStoresTheChoicesAndCloses();
    void exitStoresNothing();
    void keys_data();
    void keys();
    void emptySettingsTable();
    void failedUpdateKeepsTheWindowOpen();
    void unavailableDatabaseKeepsTheWindowAway();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgSetPref::captionsAndButtons() {
    CDlgSetPref dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(dialog.StandardYes()->text(), QStringLiteral("Yes"));
    QCOMPARE(dialog.DescriptionNo()->text(), QStringLiteral("No"));
    QCOMPARE(dialog.GraphMode()->text(), QStringLiteral("Graph"));
    QCOMPARE(dialog.TextMode()->text(), QStringLiteral("Text"));
    QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK(&O)"));
    QVERIFY(dialog.OkButton()->isDefault());
    const QStringList labels = [&] {
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    }();
    QVERIFY(labels.contains(QStringLiteral("Whether to display the\nreport reference:")));
    QVERIFY(labels.contains(QStringLiteral("Whether to display report\nparameter description:")));
    QVERIFY(labels.contains(QStringLiteral("Report abnormal results\nDisplay Mode:")));
}

void TestCDlgSetPref::showsStoredSwitches_data() {
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("description");
    QTest::addColumn<int>("canChu");
    QTest::addColumn<QString>("radios");
    QTest::newRow("0,-1,1 is No Yes Graph") << 0 << -1 << 1 << QStringLiteral("011010");
    QTest::newRow("1,0,0 is Yes No Text") << 1 << 0 << 0 << QStringLiteral("100101");
    QTest::newRow("only the low 16 bits count")
        << 65536 << 65537 << -65536 << QStringLiteral("011001");
}

void TestCDlgSetPref::showsStoredSwitches() {
    QFETCH(int, standard);
    QFETCH(int, description);
    QFETCH(int, canChu);
    QFETCH(QString, radios);
    QVERIFY(Exec("update SetValue set ReportStandard=?,ReportShuoMing=?,IfCanChu=?",
                 {standard, description, canChu}));
    CDlgSetPref dialog;
    QVERIFY(dialog.IsLoaded());
    QCOMPARE(RadioStates(dialog), radios);
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSetPref::okStoresTheChoicesAndCloses() {
    QVERIFY(Exec("update SetValue set ReportStandard=0,ReportShuoMing=-1,IfCanChu=0,MachineLM=12"));
    CDlgSetPref dialog;
    QVERIFY(ShowActive(dialog));
    QTest::mouseClick(dialog.StandardYes(), Qt::LeftButton);
    QTest::mouseClick(dialog.DescriptionNo(), Qt::LeftButton);
    QTest::mouseClick(dialog.GraphMode(), Qt::LeftButton);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(StoredSwitches(), QStringLiteral("1,0,1"));
    QCOMPARE(Value("select MachineLM from SetValue"), hv::DbValue(12));
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSetPref::exitStoresNothing() {
    CDlgSetPref dialog;
    QVERIFY(ShowActive(dialog));
    const QString before = StoredSwitches();
    dialog.StandardNo()->click();
    dialog.GraphMode()->click();
    dialog.ExitButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(StoredSwitches(), before);
}

void TestCDlgSetPref::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Enter is OK") << int(Qt::Key_Return) << int(QDialog::Accepted)
                                 << QStringLiteral("0,1,1");
    QTest::newRow("Escape is Exit")
        << int(Qt::Key_Escape) << int(QDialog::Rejected) << QStringLiteral("1,1,0");
}

void TestCDlgSetPref::keys() {
    QFETCH(int, key);
    QFETCH(int, result);
    QFETCH(QString, stored);
    CDlgSetPref dialog;
    QVERIFY(ShowActive(dialog));
    dialog.StandardNo()->click();
    dialog.GraphMode()->click();
    dialog.setResult(-1);
    QTest::keyClick(&dialog, Qt::Key(key));
    QCOMPARE(dialog.result(), result);
    QCOMPARE(StoredSwitches(), stored);
}

// Without a settings row the radios start clear. OK cannot store anything then: it says so
// and the window stays open, instead of closing as if the choices had been kept.
void TestCDlgSetPref::emptySettingsTable() {
    QVERIFY(Exec("delete from SetValue"));
    CDlgSetPref dialog;
    QVERIFY(dialog.IsLoaded());
    QCOMPARE(RadioStates(dialog), QStringLiteral("000000"));
    QVERIFY(ShowActive(dialog));
    dialog.GraphMode()->click();
    dialog.OkButton()->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>{std::string(hv::texts::kSettingsRowMissing)});
    QVERIFY(dialog.GraphMode()->isChecked());
    QCOMPARE(Value("select count(*) from SetValue"), hv::DbValue(0));
}

void TestCDlgSetPref::failedUpdateKeepsTheWindowOpen() {
    QVERIFY(FailUpdatesWhere("SetValue", "1"));
    CDlgSetPref dialog;
    QVERIFY(ShowActive(dialog));
    dialog.TextMode()->click();
    dialog.StandardNo()->click();
    dialog.OkButton()->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_env->sink.messages.size(), size_t(1));
    QVERIFY(Utf8(m_env->sink.messages[0]).contains(QStringLiteral("row is locked for this test")));
    QVERIFY(dialog.StandardNo()->isChecked());
    QVERIFY(dialog.TextMode()->isChecked());
}

void TestCDlgSetPref::unavailableDatabaseKeepsTheWindowAway() {
    m_env->RemoveDatabase();
    CDlgSetPref dialog;
    QVERIFY(!dialog.IsLoaded());
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kConnectionError});
}

QTEST_MAIN(TestCDlgSetPref)
#include "tst_settingsPref.moc"
