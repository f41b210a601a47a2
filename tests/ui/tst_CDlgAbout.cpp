#include "common/Version.h"
#include "data/DatabaseLocation.h"
#include "ui/app/CDlgAbout.h"
#include "ui/widgets/UiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

QString LabelText(const CDlgAbout& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

} // namespace

class TestCDlgAbout : public QObject {
    Q_OBJECT

private slots:
    void texts();
    void registerOnAServer();
    void okIsTheOnlyAndDefaultButton();
    void keysClose_data();
    void keysClose();
};

void TestCDlgAbout::texts() {
    CDlgAbout dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Halvoret"));
    QCOMPARE(LabelText(dialog, "productName"), QStringLiteral("Halvoret"));
    QCOMPARE(LabelText(dialog, "versionLine"),
             QStringLiteral("Version ") + UiText(hv::ProgramVersion()));
    const QString notice = LabelText(dialog, "noticeLine");
    QVERIFY(notice.contains(QStringLiteral("pseudo-random generator")));
    QVERIFY(notice.contains(QStringLiteral("not measured")));
    QVERIFY(notice.contains(QStringLiteral("not a medical device")));
    // The register in use: the file unless a server is named.
    QCOMPARE(LabelText(dialog, "registerLine"),
             QStringLiteral("Register: %1")
                 .arg(QString::fromStdString(hv::DescribeDatabase(hv::ConfiguredDatabase()))));
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
}

void TestCDlgAbout::registerOnAServer() {
    qputenv(hv::kDatabaseEnvironment, "postgresql://station:pw@db.example.org/halvoret");
    CDlgAbout dialog;
    qunsetenv(hv::kDatabaseEnvironment);
    QCOMPARE(LabelText(dialog, "registerLine"),
             QStringLiteral("Register: halvoret on db.example.org"));
}

void TestCDlgAbout::okIsTheOnlyAndDefaultButton() {
    CDlgAbout dialog;
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons.front()->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
    QVERIFY(buttons.front()->isDefault());
}

void TestCDlgAbout::keysClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void TestCDlgAbout::keysClose() {
    QFETCH(int, key);
    QFETCH(int, result);
    CDlgAbout dialog;
    dialog.setResult(-1);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    QTest::keyClick(&dialog, static_cast<Qt::Key>(key));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
}

QTEST_MAIN(TestCDlgAbout)
#include "tst_CDlgAbout.moc"
