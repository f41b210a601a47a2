#include "SettingsTestSupport.h"
#include "data/OperatorTexts.h"
#include "printing/PrintSettings.h"
#include "settings/SettingsRow.h"
#include "ui/settings/CDlgPageSet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

Q_DECLARE_METATYPE(hv::DbValue)

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";

// The checked radio of a row as "L", "C", "R", or "-" for none.
QString Alignment(const CDlgPageSet::TextRow& row) {
    const char* letters = "LCR";
    for (int i = 0; i < 3; ++i)
        if (row.radios[static_cast<std::size_t>(i)]->isChecked())
            return QString(QLatin1Char(letters[i]));
    return QStringLiteral("-");
}

void Choose(const CDlgPageSet::TextRow& row, const QString& alignment, const QString& text) {
    const int i = QStringLiteral("LCR").indexOf(alignment);
    if (i >= 0)
        QTest::mouseClick(row.radios[static_cast<std::size_t>(i)], Qt::LeftButton);
    row.text->selectAll();
    if (text.isEmpty())
        QTest::keyClick(row.text, Qt::Key_Delete);
    else
        QTest::keyClicks(row.text, text);
}

QString StoredColumn(const char* column) {
    return Utf8(Value(std::string("select ") + column + " from SetValue").AsText());
}

} // namespace

class TestCDlgPageSet : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void layoutAndKeys();
    void okStoresAlignedTextsThatReopenTheSame_data();
    void okStoresAlignedTextsThatReopenTheSame();
    void storedTextsOpenWithTheirAlignment_data();
    void storedTextsOpenWithTheirAlignment();
    void longAndQuotedTextsSurvive();
    void exitStoresNothing();
    void emptySettingsTableIsReportedAndCloses();
    void unavailableDatabase();
    void backgroundSwitchIsKeptForTheStation();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgPageSet::layoutAndKeys() {
    QVERIFY(Exec("update SetValue set PageHead='', PageFoot=''"));
    CDlgPageSet dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Set headers and footers"));
    QCOMPARE(dialog.Header().radios[0]->text(), QStringLiteral("Left"));
    QCOMPARE(dialog.Header().radios[1]->text(), QStringLiteral("Center"));
    QCOMPARE(dialog.Header().radios[2]->text(), QStringLiteral("Right"));
    QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK(&O)"));
    QVERIFY(dialog.OkButton()->isDefault());
    QCOMPARE(QApplication::focusWidget(), dialog.Header().text);

    // The two trios are independent groups.
    dialog.Header().radios[0]->click();
    dialog.Footer().radios[2]->click();
    QCOMPARE(Alignment(dialog.Header()), QStringLiteral("L"));
    QCOMPARE(Alignment(dialog.Footer()), QStringLiteral("R"));

    // Enter in the text box is OK.
    QTest::keyClicks(dialog.Header().text, QStringLiteral("Entered"));
    QTest::keyClick(dialog.Header().text, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(StoredColumn("PageHead"), QStringLiteral("Entered&b"));
}

void TestCDlgPageSet::okStoresAlignedTextsThatReopenTheSame_data() {
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("reopened");
    QTest::addColumn<QString>("shown");
    QTest::newRow("left") << "L"
                          << "Clinic"
                          << "Clinic&b"
                          << "L"
                          << "Clinic";
    QTest::newRow("center") << "C"
                            << "Clinic"
                            << "&bClinic&b"
                            << "C"
                            << "Clinic";
    QTest::newRow("right") << "R"
                           << "Clinic"
                           << "&bClinic"
                           << "R"
                           << "Clinic";
    QTest::newRow("none is right") << "-"
                                   << "Page"
                                   << "&bPage"
                                   << "R"
                                   << "Page";
    QTest::newRow("empty") << "C"
                           << ""
                           << ""
                           << "-"
                           << "";
    QTest::newRow("marker inside") << "L"
                                   << "A &b B"
                                   << "A &b B&b"
                                   << "L"
                                   << "A &b B";
    // The stored form cannot tell a typed marker at the end from an alignment marker.
    QTest::newRow("typed marker at the end") << "R"
                                             << "Price&b"
                                             << "&bPrice&b"
                                             << "C"
                                             << "Price";
}

void TestCDlgPageSet::okStoresAlignedTextsThatReopenTheSame() {
    QFETCH(QString, alignment);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, reopened);
    QFETCH(QString, shown);
    QVERIFY(Exec("update SetValue set PageHead='', PageFoot=''"));
    for (bool footer : {false, true}) {
        {
            CDlgPageSet dialog;
            QVERIFY(ShowActive(dialog));
            Choose(footer ? dialog.Footer() : dialog.Header(), alignment, typed);
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(StoredColumn(footer ? "PageFoot" : "PageHead"), stored);
        }
        CDlgPageSet dialog;
        const CDlgPageSet::TextRow& row = footer ? dialog.Footer() : dialog.Header();
        QCOMPARE(Alignment(row), reopened);
        QCOMPARE(row.text->text(), shown);
    }
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgPageSet::storedTextsOpenWithTheirAlignment_data() {
    QTest::addColumn<hv::DbValue>("stored");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("shown");
    QTest::newRow("marker alone") << hv::DbValue("&b") << "C"
                                  << "";
    QTest::newRow("two markers") << hv::DbValue("&b&b") << "C"
                                 << "";
    QTest::newRow("no marker") << hv::DbValue("Plain") << "-"
                               << "Plain";
    QTest::newRow("other case") << hv::DbValue("&BPlain") << "-"
                                << "&BPlain";
    QTest::newRow("NULL") << hv::DbValue() << "-"
                          << "";
}

void TestCDlgPageSet::storedTextsOpenWithTheirAlignment() {
    QFETCH(hv::DbValue, stored);
    QFETCH(QString, alignment);
    QFETCH(QString, shown);
    QVERIFY(Exec("update SetValue set PageHead=?, PageFoot=?", {stored, stored}));
    CDlgPageSet dialog;
    QCOMPARE(Alignment(dialog.Header()), alignment);
    QCOMPARE(dialog.Header().text->text(), shown);
    QCOMPARE(Alignment(dialog.Footer()), alignment);
    QCOMPARE(dialog.Footer().text->text(), shown);
}

void TestCDlgPageSet::longAndQuotedTextsSurvive() {
    const QString quoted =
        QStringLiteral("He said \"hello\"; it's 100% 'fine' \u00e6\u00f8 \u2713");
    const QString longText = QString(5000, u'h') + QStringLiteral("end");
    const std::string lineBreaks = "first\r\nsecond";
    QVERIFY(Exec("update SetValue set PageFoot=?", {"&b" + lineBreaks}));
    {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        dialog.Header().radios[1]->click();
        dialog.Header().text->insert(quoted);
        dialog.Footer().text->setFocus();
        dialog.OkButton()->click();
    }
    QCOMPARE(StoredColumn("PageHead"), QStringLiteral("&b") + quoted + QStringLiteral("&b"));
    QCOMPARE(StoredColumn("PageFoot"), Utf8("&b" + lineBreaks));
    {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        QCOMPARE(dialog.Header().text->text(), quoted);
        dialog.Header().text->setText(longText);
        dialog.OkButton()->click();
    }
    QCOMPARE(StoredColumn("PageHead"), QStringLiteral("&b") + longText + QStringLiteral("&b"));
    CDlgPageSet dialog;
    QCOMPARE(dialog.Header().text->text(), longText);
}

void TestCDlgPageSet::exitStoresNothing() {
    QVERIFY(Exec("update SetValue set PageHead='Kept&b', PageFoot=''"));
    for (bool escape : {false, true}) {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        Choose(dialog.Header(), QStringLiteral("R"), QStringLiteral("Changed"));
        if (escape)
            QTest::keyClick(dialog.Header().text, Qt::Key_Escape);
        else
            dialog.ExitButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(StoredColumn("PageHead"), QStringLiteral("Kept&b"));
}

void TestCDlgPageSet::emptySettingsTableIsReportedAndCloses() {
    QVERIFY(Exec("delete from SetValue"));
    CDlgPageSet dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(Alignment(dialog.Header()), QStringLiteral("-"));
    QCOMPARE(dialog.Header().text->text(), QString());
    Choose(dialog.Header(), QStringLiteral("L"), QStringLiteral("Lost"));
    dialog.OkButton()->click();
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>{std::string(hv::texts::kSettingsRowMissing)});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Value("select count(*) from SetValue"), hv::DbValue(0));
}

void TestCDlgPageSet::unavailableDatabase() {
    QVERIFY(Exec("update SetValue set PageHead='&bStored&b'"));
    {
        // Unavailable when the window opens: empty boxes, no alignment.
        const std::string saved = m_env->install.databasePath() + ".saved";
        std::filesystem::rename(m_env->install.databasePath(), saved);
        CDlgPageSet dialog;
        std::filesystem::rename(saved, m_env->install.databasePath());
        QCOMPARE(Alignment(dialog.Header()), QStringLiteral("-"));
        QCOMPARE(dialog.Header().text->text(), QString());
        QCOMPARE(m_env->sink.messages, std::vector<std::string>{kConnectionError});
    }
    // Unavailable on OK: the window stays open with the operator's entries.
    CDlgPageSet dialog;
    QVERIFY(ShowActive(dialog));
    dialog.setResult(-1);
    Choose(dialog.Footer(), QStringLiteral("C"), QStringLiteral("Typed footer"));
    m_env->RemoveDatabase();
    dialog.OkButton()->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), -1);
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, kConnectionError));
    QCOMPARE(Alignment(dialog.Footer()), QStringLiteral("C"));
    QCOMPARE(dialog.Footer().text->text(), QStringLiteral("Typed footer"));
}

void TestCDlgPageSet::backgroundSwitchIsKeptForTheStation() {
    {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        QVERIFY(!dialog.BackgroundsBox()->isChecked());
        QCOMPARE(dialog.BackgroundsBox()->text(),
                 QStringLiteral("Print page backgrounds (colours and pictures)"));
        // Left as it is, nothing is written.
        dialog.OkButton()->click();
        QVERIFY(!std::filesystem::exists("halvoret.ini"));
    }
    {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        QTest::mouseClick(dialog.BackgroundsBox(), Qt::LeftButton);
        dialog.ExitButton()->click();
        QVERIFY(!hv::PrintsBackgrounds());
    }
    {
        CDlgPageSet dialog;
        QVERIFY(ShowActive(dialog));
        QTest::mouseClick(dialog.BackgroundsBox(), Qt::LeftButton);
        dialog.OkButton()->click();
    }
    QVERIFY(hv::PrintsBackgrounds());
    QCOMPARE(hv::ReadStationSetting("Print", "Backgrounds"), std::optional<std::string>("1"));
    CDlgPageSet reopened;
    QVERIFY(reopened.BackgroundsBox()->isChecked());

    // The settings file cannot be written (a folder stands in its place): the reason is
    // shown, and the texts are stored all the same.
    std::filesystem::remove("halvoret.ini");
    std::filesystem::create_directory("halvoret.ini");
    CDlgPageSet dialog;
    QVERIFY(ShowActive(dialog));
    QTest::mouseClick(dialog.BackgroundsBox(), Qt::LeftButton);
    Choose(dialog.Header(), QStringLiteral("L"), QStringLiteral("Kept"));
    dialog.OkButton()->click();
    QCOMPARE(m_env->sink.messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(m_env->sink.messages[0])
                 .startsWith(QStringLiteral("The print setting was not saved: ")),
             m_env->sink.messages[0].c_str());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(StoredColumn("PageHead"), QStringLiteral("Kept&b"));
}

QTEST_MAIN(TestCDlgPageSet)
#include "tst_settingsPageSet.moc"
