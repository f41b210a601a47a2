#include "PersonsUiSupport.h"
#include "common/Clock.h"
#include "data/OperatorTexts.h"
#include "persons/PersonRules.h"
#include "persons/PersonStore.h"
#include "ui/persons/CEditClient.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

using namespace persons_ui;

namespace {

const std::string kConnectionError = "Database connection error!";

// 10 March 2024, 10:00.
std::chrono::system_clock::time_point Today() {
    return std::chrono::sys_days{std::chrono::year{2024} / 3 / 10} + std::chrono::hours{10};
}

void FillValid(CEditClient& dialog) {
    SetText(dialog, "name", QStringLiteral("Ann"));
    Child<QDateEdit>(dialog, "birthday")->setDate(QDate(1980, 7, 15));
    SetText(dialog, "height", QStringLiteral("170"));
    SetText(dialog, "weight", QStringLiteral("63"));
}

} // namespace

class TestCEditClient : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        m_sink = std::make_unique<hv::test::RecordingSink>();
        m_clock = std::make_unique<hv::FixedClock>(Today());
        m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
    }
    void cleanup() {
        m_scopedClock.reset();
        m_sink.reset();
        m_install.reset();
    }

    void refusedEntriesKeepTheDialogOpenAsTyped_data();
    void refusedEntriesKeepTheDialogOpenAsTyped();
    void savesEveryFieldWithTheDerivedColumns();
    void presetGroupIsChosenAndEnterSaves();
    void editingShowsTheStoredPersonAndUpdatesItsRow();
    void withoutAGroupNothingIsSaved();
    void aMissingDatabaseCancelsBeforeShowing();
    void everyWayOfShowingLoadsThePerson();
    void aDatabaseLostBeforeSaveKeepsTheEntry();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
};

void TestCEditClient::refusedEntriesKeepTheDialogOpenAsTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birthday");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString name = QStringLiteral("The name can not be null!");
    const QString birthday =
        QStringLiteral("The birthday is error(less than 1 years old can not be tested)!");
    const QString height = QStringLiteral("The height can not be null!");
    const QString weight = QStringLiteral("The weight can not be null!");
    const QDate adult(1980, 7, 15), thisYear(2024, 1, 2);
    auto row = [](const char* what, const char* n, QDate b, const char* h, const char* w,
                  const QString& m, const char* f) {
        QTest::newRow(what) << QString::fromUtf8(n) << b << QString::fromUtf8(h)
                            << QString::fromUtf8(w) << m << QString::fromUtf8(f);
    };
    row("empty name first", "", thisYear, "0", "0", name, "name");
    row("birthday before height", "Ann", thisYear, "0", "0", birthday, "birthday");
    row("height of letters", "Ann", adult, "abc", "63", height, "height");
    row("height 0", "Ann", adult, "0", "63", height, "height");
    row("weight 0", "Ann", adult, "170", "0", weight, "weight");
}

void TestCEditClient::refusedEntriesKeepTheDialogOpenAsTyped() {
    QFETCH(QString, name);
    QFETCH(QDate, birthday);
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    AddGroup("Morning");
    CEditClient dialog;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        SetText(d, "name", name);
        Child<QDateEdit>(d, "birthday")->setDate(birthday);
        SetText(d, "height", height);
        SetText(d, "weight", weight);
        Click(d, "saveButton");
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget()->objectName(), focus);
        QCOMPARE(Child<QLineEdit>(d, "height")->text(), height);
        QCOMPARE(Child<QDateEdit>(d, "birthday")->date(), birthday);
        Click(d, "exitButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(driver->Handled());
    QCOMPARE(m_sink->messages, std::vector<std::string>{message.toStdString()});
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer"), 0L);
}

void TestCEditClient::savesEveryFieldWithTheDerivedColumns() {
    AddGroup("Morning");
    const int evening = AddGroup("Evening");
    const QString name = QString::fromUtf8("\xE6\x9D\x8E \"Lee\" O'Neil %s");
    const QString remark = QStringLiteral("first line\nsecond line");
    const QString address(5000, QLatin1Char('a'));
    CEditClient dialog;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(Child<QComboBox>(d, "group")->count(), 2);
        Child<QComboBox>(d, "group")->setCurrentIndex(1);
        SetText(d, "name", name);
        Child<QRadioButton>(d, "female")->setChecked(true);
        Child<QDateEdit>(d, "birthday")->setDate(QDate(1985, 12, 31));
        SetText(d, "height", QStringLiteral("160cm")); // leading digits count
        SetText(d, "weight", QStringLiteral("54"));
        SetText(d, "telephone", QStringLiteral("555-0100"));
        SetText(d, "mobile", QStringLiteral("0170 222"));
        SetText(d, "email", QStringLiteral("lee@example.org"));
        SetText(d, "company", QStringLiteral("Acme"));
        SetText(d, "occupation", QStringLiteral("Nurse"));
        SetText(d, "address", address);
        Child<QPlainTextEdit>(d, "remark")->setPlainText(remark);
        Click(d, "saveButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(m_sink->messages.empty());
    QVERIFY(dialog.m_ExamerID > 0);
    QCOMPARE(dialog.m_GroupID, evening);

    hv::PersonRecord saved;
    QCOMPARE(hv::LoadPerson(dialog.m_ExamerID, saved), hv::ReadStatus::Found);
    QCOMPARE(saved.groupId, evening);
    QCOMPARE(QString::fromStdString(saved.name), name);
    QVERIFY(!saved.male);
    QCOMPARE(*saved.birthday, hv::ToOleDate({1985, 12, 31}));
    QCOMPARE(saved.height, std::string("160cm"));
    QCOMPARE(saved.weight, std::string("54"));
    QCOMPARE(saved.result, std::string("Standard body weight"));
    QCOMPARE(saved.bzHW, std::string("QP"));
    QCOMPARE(saved.bzY, 1985);
    QCOMPARE(saved.bzM, 12);
    QCOMPARE(saved.telephone, std::string("555-0100"));
    QCOMPARE(saved.mobile, std::string("0170 222"));
    QCOMPARE(saved.email, std::string("lee@example.org"));
    QCOMPARE(saved.company, std::string("Acme"));
    QCOMPARE(saved.job, std::string("Nurse"));
    QCOMPARE(QString::fromStdString(saved.address), address);
    QCOMPARE(QString::fromStdString(saved.remark), remark);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE Sex=0"), 1L);
}

void TestCEditClient::presetGroupIsChosenAndEnterSaves() {
    AddGroup("Morning");
    const int evening = AddGroup("Evening");
    CEditClient dialog;
    dialog.m_GroupID = evening;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(Child<QComboBox>(d, "group")->currentText(), QStringLiteral("Evening"));
        QVERIFY(Child<QRadioButton>(d, "male")->isChecked());
        // A new person's birthday starts at today.
        QCOMPARE(Child<QDateEdit>(d, "birthday")->date(), QDate(2024, 3, 10));
        FillValid(d);
        QTest::keyClick(Child<QLineEdit>(d, "name"), Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_GroupID, evening);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE GroupID=? AND Sex=-1 AND "
                   "BzHW='QP' AND Result='Standard body weight'",
                   {evening}),
             1L);
}

void TestCEditClient::editingShowsTheStoredPersonAndUpdatesItsRow() {
    const int morning = AddGroup("Morning");
    const int evening = AddGroup("Evening");
    const int woman = AddPerson(evening, "Dana", false,
                                {{"Birthday", hv::ToOleDate({1990, 2, 3})},
                                 {"Height", "160"},
                                 {"Weight", "54"},
                                 {"Mobile", "0170"},
                                 {"Remark", "r1\nr2"}});
    const int unknownSex = AddPerson(morning, "Sam", true, {{"Sex", nullptr}});

    CEditClient edit;
    edit.m_ExamerID = woman;
    edit.m_GroupID = evening;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(Child<QComboBox>(d, "group")->currentText(), QStringLiteral("Evening"));
        QCOMPARE(Child<QLineEdit>(d, "name")->text(), QStringLiteral("Dana"));
        QVERIFY(Child<QRadioButton>(d, "female")->isChecked());
        QVERIFY(!Child<QRadioButton>(d, "male")->isChecked());
        QCOMPARE(Child<QDateEdit>(d, "birthday")->date(), QDate(1990, 2, 3));
        QCOMPARE(Child<QLineEdit>(d, "height")->text(), QStringLiteral("160"));
        QCOMPARE(Child<QLineEdit>(d, "mobile")->text(), QStringLiteral("0170"));
        QCOMPARE(Child<QPlainTextEdit>(d, "remark")->toPlainText(), QStringLiteral("r1\nr2"));
        SetText(d, "weight", QStringLiteral("70"));
        Child<QComboBox>(d, "group")->setCurrentIndex(0);
        Click(d, "saveButton");
    });
    QCOMPARE(edit.exec(), int(QDialog::Accepted));
    QCOMPARE(edit.m_ExamerID, woman);
    QCOMPARE(edit.m_GroupID, morning);
    hv::PersonRecord saved;
    QCOMPARE(hv::LoadPerson(woman, saved), hv::ReadStatus::Found);
    QCOMPARE(saved.groupId, morning);
    QCOMPARE(saved.result, std::string("Severe partial fat"));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer"), 2L);

    CEditClient unknown;
    unknown.m_ExamerID = unknownSex;
    auto second = Drive<CEditClient>([&](CEditClient& d) {
        QVERIFY(Child<QRadioButton>(d, "male")->isChecked());
        Click(d, "exitButton");
    });
    QCOMPARE(unknown.exec(), int(QDialog::Rejected));
    QVERIFY(second->Handled());
}

void TestCEditClient::withoutAGroupNothingIsSaved() {
    CEditClient dialog;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(Child<QComboBox>(d, "group")->count(), 0);
        FillValid(d);
        Click(d, "saveButton");
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget()->objectName(), QStringLiteral("group"));
        Click(d, "exitButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(m_sink->messages, std::vector<std::string>{std::string(hv::texts::kNoGroupForPerson)});
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer"), 0L);
}

void TestCEditClient::aMissingDatabaseCancelsBeforeShowing() {
    std::filesystem::remove(m_install->databasePath());
    for (int examerId : {0, 5}) {
        m_sink->messages.clear();
        CEditClient dialog;
        dialog.m_ExamerID = examerId;
        auto driver = Drive<CEditClient>([](CEditClient& d) { d.reject(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!driver->Handled());
        QCOMPARE(m_sink->messages, std::vector<std::string>{kConnectionError});
    }
}

void TestCEditClient::everyWayOfShowingLoadsThePerson() {
    const int group = AddGroup("Morning");
    const int person = AddPerson(group, "Dana", false);
    for (const bool modeless : {false, true}) {
        CEditClient dialog;
        dialog.m_ExamerID = person;
        modeless ? dialog.show() : dialog.open();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Child<QLineEdit>(dialog, "name")->text(), QStringLiteral("Dana"));
        QVERIFY(Child<QRadioButton>(dialog, "female")->isChecked());
        dialog.reject();
    }
    // Without a database neither way shows the dialog; it ends with Cancel.
    std::filesystem::remove(m_install->databasePath());
    for (const bool modeless : {false, true}) {
        CEditClient dialog;
        dialog.m_ExamerID = person;
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        modeless ? dialog.show() : dialog.open();
        QTRY_COMPARE(rejected.count(), 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(m_sink->messages, std::vector<std::string>(2, kConnectionError));
}

void TestCEditClient::aDatabaseLostBeforeSaveKeepsTheEntry() {
    AddGroup("Morning");
    CEditClient dialog;
    auto driver = Drive<CEditClient>([&](CEditClient& d) {
        FillValid(d);
        std::filesystem::remove(m_install->databasePath());
        Click(d, "saveButton");
        QVERIFY(d.isVisible());
        QCOMPARE(Child<QLineEdit>(d, "name")->text(), QStringLiteral("Ann"));
        Click(d, "exitButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(m_sink->messages, std::vector<std::string>{kConnectionError});
    QCOMPARE(dialog.m_ExamerID, 0);
}

QTEST_MAIN(TestCEditClient)
#include "tst_CEditClient.moc"
