#include "ModalDriver.h"
#include "SettingsTestSupport.h"
#include "ui/settings/CDlgSetPref.h"
#include "ui/settings/CDlgSetRept.h"
#include "ui/settings/CDlgSetSens.h"
#include "ui/settings/CDlgSetting.h"

#include <QPushButton>
#include <QtTest>

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";

// Presses a hub button and returns the class name of the window it runs, after closing
// that window with its Exit button ("" when no window appeared).
QString WindowOpenedBy(QPushButton* button) {
    QString opened;
    ModalDriver driver([&opened](QWidget* modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        for (QPushButton* b : modal->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Exit(&E)"))
                b->click();
    });
    bool returned = false;
    QTimer::singleShot(0, button, [button, &returned] {
        button->click();
        returned = true;
    });
    if (!QTest::qWaitFor([&returned] { return returned; }, 5000))
        return QStringLiteral("(still open)");
    return opened;
}

} // namespace

class TestCDlgSetting : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void buttons();
    void eachButtonRunsItsWindow_data();
    void eachButtonRunsItsWindow();
    void windowsThatNeedTheDatabaseStayAwayWithoutIt();
    void exitCloses();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgSetting::buttons() {
    CDlgSetting hub;
    QCOMPARE(hub.windowTitle(), QStringLiteral("Personalization"));
    QCOMPARE(hub.ReportSettingButton()->text(), QStringLiteral("Display Report Setting(&R)"));
    QCOMPARE(hub.PreferencesButton()->text(), QStringLiteral("Preferences(&S)"));
    QCOMPARE(hub.SensitivityButton()->text(), QStringLiteral("Sensitivity Adjustment(&L)"));
    QCOMPARE(hub.ExitButton()->text(), QStringLiteral("Exit(&E)"));
}

void TestCDlgSetting::eachButtonRunsItsWindow_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("Display Report Setting") << 0 << QStringLiteral("CDlgSetRept");
    QTest::newRow("Preferences") << 1 << QStringLiteral("CDlgSetPref");
    QTest::newRow("Sensitivity Adjustment") << 2 << QStringLiteral("CDlgSetSens");
}

void TestCDlgSetting::eachButtonRunsItsWindow() {
    QFETCH(int, button);
    QFETCH(QString, window);
    CDlgSetting hub;
    QVERIFY(ShowActive(hub));
    QPushButton* buttons[] = {hub.ReportSettingButton(), hub.PreferencesButton(),
                              hub.SensitivityButton()};
    QCOMPARE(WindowOpenedBy(buttons[button]), window);
    // The hub stays open and reads or writes nothing itself.
    QVERIFY(hub.isVisible());
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSetting::windowsThatNeedTheDatabaseStayAwayWithoutIt() {
    m_env->RemoveDatabase();
    CDlgSetting hub;
    QVERIFY(ShowActive(hub));
    QCOMPARE(WindowOpenedBy(hub.ReportSettingButton()), QString());
    QCOMPARE(WindowOpenedBy(hub.PreferencesButton()), QString());
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, kConnectionError));
    // The sensitivity window opens anyway, at its default level.
    QCOMPARE(WindowOpenedBy(hub.SensitivityButton()), QStringLiteral("CDlgSetSens"));
    QVERIFY(hub.isVisible());
}

void TestCDlgSetting::exitCloses() {
    for (bool escape : {false, true}) {
        CDlgSetting hub;
        QVERIFY(ShowActive(hub));
        if (escape)
            QTest::keyClick(&hub, Qt::Key_Escape);
        else
            hub.ExitButton()->click();
        QVERIFY(!hub.isVisible());
        QCOMPARE(hub.result(), int(QDialog::Rejected));
    }
}

QTEST_MAIN(TestCDlgSetting)
#include "tst_settingsHub.moc"
