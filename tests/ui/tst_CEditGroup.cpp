#include "PersonsUiSupport.h"
#include "persons/PersonStore.h"
#include "ui/persons/CEditGroup.h"

#include <QPlainTextEdit>
#include <QtTest>

using namespace persons_ui;

class TestCEditGroup : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        m_sink = std::make_unique<hv::test::RecordingSink>();
    }
    void cleanup() {
        m_sink.reset();
        m_install.reset();
    }

    void addingReportsTheNewKeyAndName();
    void editingShowsTheGroupAndRenamesOnlyIt();
    void anEmptyNameIsRefusedButBlanksAreAName();
    void aMissingDatabaseCancelsEditingBeforeShowing();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
};

void TestCEditGroup::addingReportsTheNewKeyAndName() {
    const int existing = AddGroup("Morning");
    CEditGroup dialog;
    auto driver = Drive<CEditGroup>([](CEditGroup& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Group Info"));
        SetText(d, "groupName", QStringLiteral("Morning")); // the same name again is fine
        Child<QPlainTextEdit>(d, "groupRemark")->setPlainText(QStringLiteral("late\nshift"));
        QTest::keyClick(Child<QLineEdit>(d, "groupName"), Qt::Key_Return); // Enter is Save
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialog.m_GroupID > existing);
    QCOMPARE(dialog.m_Name, QStringLiteral("Morning"));
    hv::GroupRecord saved;
    QCOMPARE(hv::LoadGroup(dialog.m_GroupID, saved), hv::ReadStatus::Found);
    QCOMPARE(saved.description, std::string("late\nshift"));
    QVERIFY(m_sink->messages.empty());
}

void TestCEditGroup::editingShowsTheGroupAndRenamesOnlyIt() {
    const int morning = AddGroup("Morning");
    const int evening = AddGroup("Evening");
    const int person = AddPerson(morning, "Ann");
    CEditGroup dialog;
    dialog.m_GroupID = morning;
    auto driver = Drive<CEditGroup>([](CEditGroup& d) {
        QCOMPARE(Child<QLineEdit>(d, "groupName")->text(), QStringLiteral("Morning"));
        SetText(d, "groupName", QStringLiteral("Early"));
        Click(d, "saveButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_GroupID, morning);
    QCOMPARE(dialog.m_Name, QStringLiteral("Early"));
    QCOMPARE(
        Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=? AND Name='Early'", {morning}),
        1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=? AND Name='Evening'",
                   {evening}),
             1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=? AND GroupID=?",
                   {person, morning}),
             1L);
}

void TestCEditGroup::anEmptyNameIsRefusedButBlanksAreAName() {
    CEditGroup dialog;
    auto driver = Drive<CEditGroup>([this](CEditGroup& d) {
        Click(d, "saveButton");
        QVERIFY(d.isVisible());
        QCOMPARE(m_sink->messages, std::vector<std::string>{"The name can not be null!"});
        QCOMPARE(d.focusWidget()->objectName(), QStringLiteral("groupName"));
        SetText(d, "groupName", QStringLiteral("   "));
        Click(d, "saveButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM GroupList WHERE Name='   '"), 1L);
}

void TestCEditGroup::aMissingDatabaseCancelsEditingBeforeShowing() {
    const int morning = AddGroup("Morning");
    std::filesystem::remove(m_install->databasePath());
    CEditGroup dialog;
    dialog.m_GroupID = morning;
    auto driver = Drive<CEditGroup>([](CEditGroup& d) { d.reject(); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!driver->Handled());
    QCOMPARE(m_sink->messages, std::vector<std::string>{"Database connection error!"});
}

QTEST_MAIN(TestCEditGroup)
#include "tst_CEditGroup.moc"
