#include "PersonsUiSupport.h"
#include "common/Clock.h"
#include "ui/app/CMainFrame.h"
#include "ui/persons/CChildList.h"
#include "ui/persons/CEditClient.h"
#include "ui/persons/CEditGroup.h"
#include "ui/persons/CEditSearch.h"
#include "ui/persons/CProgress.h"
#include "ui/persons/CTabPage0.h"
#include "ui/persons/CTabPage1.h"
#include "ui/viewing/CChildPara.h"
#include "ui/viewing/CChildReport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace persons_ui;

namespace {

const std::string kConnectionError = "Database connection error!";
const std::string kGroupHasPersons = "Has tested person under the current group, Please "
                                     "delete all of\r\ntested person, And then delete the group!";

// The tree as text: "Group[Person,Person]" per group, groups joined by " ".
QString TreeText(const QTreeWidget& tree) {
    QStringList groups;
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = tree.topLevelItem(g);
        QStringList persons;
        for (int p = 0; p < group->childCount(); ++p)
            persons << group->child(p)->text(0);
        groups << group->text(0) + "[" + persons.join(',') + "]";
    }
    return groups.join(' ');
}

QString ShownName(const CChildList& pane) {
    return pane.BasicInfoPage()->ValueLabel(1028)->text();
}

} // namespace

class TestCChildList : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theTreeShowsGroupsAndPersonsCollapsed();
    void selectionDecidesButtonsAndPages();
    void tabsShowOnePageAtATime();
    void addGroupAppendsItsItem();
    void addPersonRebuildsTheTreeAndSelectsThePerson();
    void editPersonAndGroupUpdateTheTree();
    void searchSelectsThePickedPerson();
    void deletePersonRemovesItsTestsAfterYes();
    void aGroupWithPersonsIsNotDeleted();
    void anEmptyGroupIsDeletedAfterYes();
    void aVanishedDatabaseChangesNothing();
    void getReportAndComparativeHandOverToTheFrame();
    void theFrameSwitchesToTheReportOrTheComparison();
    void aNewTestIsShownPicked();
    void layoutFollowsThePaneSize();
    void theTreeWorksFromTheKeyboard();

private:
    void Select(const QString& text);

    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
    std::unique_ptr<CChildList> m_pane;
    int m_morning = 0, m_evening = 0, m_ann = 0, m_bob = 0, m_cleo = 0;
};

void TestCChildList::init() {
    m_install = std::make_unique<hv::test::TestInstallation>();
    m_sink = std::make_unique<hv::test::RecordingSink>();
    m_clock =
        std::make_unique<hv::FixedClock>(std::chrono::sys_days{std::chrono::year{2024} / 6 / 1});
    m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
    CProgress::SetPacing(std::chrono::milliseconds(0));
    m_morning = AddGroup("Morning");
    m_evening = AddGroup("Evening");
    m_ann = AddPerson(m_morning, "Ann", false);
    m_bob = AddPerson(m_evening, "Bob", true);
    m_cleo = AddPerson(m_morning, "Cleo", false);
    m_pane = std::make_unique<CChildList>();
    m_pane->resize(1000, 700);
    m_pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
}

void TestCChildList::cleanup() {
    m_pane.reset();
    CProgress::SetPacing(std::chrono::milliseconds(50));
    m_scopedClock.reset();
    m_sink.reset();
    m_install.reset();
}

void TestCChildList::Select(const QString& text) {
    QTreeWidgetItem* item = ItemNamed(*m_pane->Tree(), text);
    QVERIFY2(item, qPrintable(text));
    m_pane->Tree()->setCurrentItem(item);
}

void TestCChildList::theTreeShowsGroupsAndPersonsCollapsed() {
    const QTreeWidget& tree = *m_pane->Tree();
    QCOMPARE(TreeText(tree), QStringLiteral("Morning[Ann,Cleo] Evening[Bob]"));
    QVERIFY(!tree.topLevelItem(0)->isExpanded());
    QVERIFY(!tree.topLevelItem(1)->isExpanded());
    QVERIFY(!tree.topLevelItem(0)->icon(0).isNull());
    QVERIFY(!tree.topLevelItem(0)->child(0)->icon(0).isNull());
    QCOMPARE(m_pane->GetSelectedExamerID(), 0);
    QCOMPARE(m_pane->FindExamerItem(tree.topLevelItem(0), m_bob), ItemNamed(tree, "Bob"));
    QCOMPARE(m_pane->FindExamerItem(tree.topLevelItem(1), m_ann), nullptr);
    QCOMPARE(m_pane->FindExamerItem(tree.topLevelItem(0), 0), nullptr);
    QVERIFY(m_sink->messages.empty());

    hv::CAdoDb db;
    QVERIFY(db.Open());
    QVERIFY(db.Execute("DELETE FROM GroupList"));
    QVERIFY(m_pane->FillTree());
    QCOMPARE(tree.topLevelItemCount(), 0);
}

void TestCChildList::selectionDecidesButtonsAndPages() {
    auto enabled = [this] {
        QString flags;
        for (auto id : {CChildList::AddPerson, CChildList::EditPerson, CChildList::DeletePerson,
                        CChildList::SearchPerson, CChildList::AddGroup, CChildList::EditGroup,
                        CChildList::DeleteGroup})
            flags += m_pane->Button(id)->isEnabled() ? '1' : '0';
        return flags;
    };
    QCOMPARE(enabled(), QStringLiteral("1111111"));
    AddTest(m_cleo, {2024, 5, 1, 8, 0, 0});

    Select("Cleo");
    QCOMPARE(m_pane->GetSelectedExamerID(), m_cleo);
    QCOMPARE(enabled(), QStringLiteral("1111100"));
    QCOMPARE(ShownName(*m_pane), QStringLiteral("Cleo"));
    QCOMPARE(m_pane->BasicInfoPage()->ValueLabel(1035)->text(), QStringLiteral("Female"));
    QCOMPARE(m_pane->BasicInfoPage()->ValueLabel(1030)->text(),
             QStringLiteral("63Kg(Standard body weight)"));
    QCOMPARE(m_pane->RecordPage()->RowCount(), 1);

    Select("Evening");
    QCOMPARE(m_pane->GetSelectedExamerID(), 0);
    QCOMPARE(enabled(), QStringLiteral("1001111"));
    QCOMPARE(ShownName(*m_pane), QString());
    QCOMPARE(m_pane->RecordPage()->RowCount(), 0);
    m_pane->RecordPage()->OnDelReport();
    QCOMPARE(m_sink->messages,
             std::vector<std::string>{"Please select the records you want to delete!"});
}

void TestCChildList::tabsShowOnePageAtATime() {
    QCOMPARE(m_pane->TabBar()->tabText(0), QStringLiteral("Basic Info"));
    QCOMPARE(m_pane->TabBar()->tabText(1), QStringLiteral("Tested Record"));
    QVERIFY(m_pane->BasicInfoPage()->isVisible());
    QVERIFY(!m_pane->RecordPage()->isVisible());
    m_pane->TabBar()->setCurrentIndex(1);
    QVERIFY(!m_pane->BasicInfoPage()->isVisible());
    QVERIFY(m_pane->RecordPage()->isVisible());
    m_pane->TabBar()->setCurrentIndex(0);
    QVERIFY(m_pane->BasicInfoPage()->isVisible());
    QVERIFY(!m_pane->RecordPage()->isVisible());
}

void TestCChildList::addGroupAppendsItsItem() {
    Select("Morning");
    m_pane->Tree()->topLevelItem(0)->setExpanded(true);
    auto driver = Drive<CEditGroup>([](CEditGroup& d) {
        SetText(d, "groupName", QStringLiteral("Night %s"));
        Click(d, "saveButton");
    });
    m_pane->Button(CChildList::AddGroup)->click();
    QVERIFY(driver->Handled());
    QCOMPARE(TreeText(*m_pane->Tree()),
             QStringLiteral("Morning[Ann,Cleo] Evening[Bob] Night %s[]"));
    // Added in place: the tree keeps its state.
    QVERIFY(m_pane->Tree()->topLevelItem(0)->isExpanded());
    const int key = m_pane->Tree()->topLevelItem(2)->data(0, Qt::UserRole).toInt();
    QCOMPARE(
        Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=? AND Name='Night %s'", {key}),
        1L);

    // Cancelled: nothing changes.
    auto cancel = Drive<CEditGroup>([](CEditGroup& d) { Click(d, "exitButton"); });
    m_pane->Button(CChildList::AddGroup)->click();
    QCOMPARE(m_pane->Tree()->topLevelItemCount(), 3);
}

void TestCChildList::addPersonRebuildsTheTreeAndSelectsThePerson() {
    Select("Bob"); // a person: the new person joins Bob's group
    auto driver = Drive<CEditClient>([](CEditClient& d) {
        QCOMPARE(Child<QComboBox>(d, "group")->currentText(), QStringLiteral("Evening"));
        SetText(d, "name", QStringLiteral("Dora"));
        Child<QRadioButton>(d, "female")->setChecked(true);
        Child<QDateEdit>(d, "birthday")->setDate(QDate(1990, 1, 1));
        SetText(d, "height", QStringLiteral("165"));
        SetText(d, "weight", QStringLiteral("60"));
        Click(d, "saveButton");
    });
    m_pane->Button(CChildList::AddPerson)->click();
    QVERIFY(driver->Handled());
    const QTreeWidget& tree = *m_pane->Tree();
    QCOMPARE(TreeText(tree), QStringLiteral("Morning[Ann,Cleo] Evening[Bob,Dora]"));
    QVERIFY(!tree.topLevelItem(0)->isExpanded());
    QVERIFY(tree.topLevelItem(1)->isExpanded());
    QCOMPARE(tree.currentItem()->text(0), QStringLiteral("Dora"));
    QCOMPARE(m_pane->focusWidget(), m_pane->Tree());
    QCOMPARE(ShownName(*m_pane), QStringLiteral("Dora"));
    QCOMPARE(m_pane->BasicInfoPage()->ValueLabel(1036)->text(), QStringLiteral("165 cm"));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE Name='Dora' AND GroupID=? AND "
                   "ExamerID=?",
                   {m_evening, m_pane->GetSelectedExamerID()}),
             1L);
}

void TestCChildList::editPersonAndGroupUpdateTheTree() {
    Select("Ann");
    auto person = Drive<CEditClient>([](CEditClient& d) {
        QCOMPARE(Child<QLineEdit>(d, "name")->text(), QStringLiteral("Ann"));
        SetText(d, "name", QStringLiteral("Anna"));
        Child<QComboBox>(d, "group")->setCurrentIndex(1);
        Click(d, "saveButton");
    });
    m_pane->Button(CChildList::EditPerson)->click();
    QVERIFY(person->Handled());
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Cleo] Evening[Anna,Bob]"));
    QCOMPARE(m_pane->GetSelectedExamerID(), m_ann);
    QCOMPARE(ShownName(*m_pane), QStringLiteral("Anna"));

    Select("Morning");
    auto group = Drive<CEditGroup>([](CEditGroup& d) {
        QCOMPARE(Child<QLineEdit>(d, "groupName")->text(), QStringLiteral("Morning"));
        SetText(d, "groupName", QStringLiteral("Early"));
        Click(d, "saveButton");
    });
    m_pane->Button(CChildList::EditGroup)->click();
    QVERIFY(group->Handled());
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Early[Cleo] Evening[Anna,Bob]"));
}

void TestCChildList::searchSelectsThePickedPerson() {
    auto byName = Drive<CEditSearch>([](CEditSearch& d) {
        SetText(d, "name", QStringLiteral("leo"));
        Click(d, "searchButton");
        QCOMPARE(d.ResultList()->rowCount(), 1);
        d.ResultList()->selectRow(0);
        Click(d, "selectButton");
    });
    m_pane->Button(CChildList::SearchPerson)->click();
    QVERIFY(byName->Handled());
    QCOMPARE(m_pane->GetSelectedExamerID(), m_cleo);
    QVERIFY(m_pane->Tree()->topLevelItem(0)->isExpanded());
    QCOMPARE(ShownName(*m_pane), QStringLiteral("Cleo"));

    auto bySex = Drive<CEditSearch>([](CEditSearch& d) {
        Child<QRadioButton>(d, "male")->setChecked(true);
        Click(d, "searchButton");
        QCOMPARE(d.ResultList()->rowCount(), 1);
        d.ResultList()->selectRow(0);
        Click(d, "selectButton");
    });
    m_pane->Button(CChildList::SearchPerson)->click();
    QCOMPARE(m_pane->GetSelectedExamerID(), m_bob);

    // A double click that hits no row picks nobody: the selection is cleared.
    auto nobody = Drive<CEditSearch>([](CEditSearch& d) {
        QTest::mouseDClick(d.ResultList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(10, 10));
    });
    m_pane->Button(CChildList::SearchPerson)->click();
    QCOMPARE(m_pane->GetSelectedExamerID(), 0);
    QVERIFY(m_pane->Tree()->selectedItems().isEmpty());
    QCOMPARE(ShownName(*m_pane), QString());
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Ann,Cleo] Evening[Bob]"));
}

void TestCChildList::deletePersonRemovesItsTestsAfterYes() {
    const int odd = AddPerson(m_morning, "Eve %s %d");
    const int first = AddTest(odd, {2024, 1, 1, 9, 0, 0});
    const int second = AddTest(odd, {2024, 2, 1, 9, 0, 0});
    AddTest(m_ann, {2024, 3, 1, 9, 0, 0});
    {
        hv::CAdoDb db;
        QVERIFY(db.Open());
        QVERIFY(db.AddRow("ReportValue01", {{"MeasID", first}, {"Value01", 1.0}}));
        QVERIFY(db.AddRow("ReportValueAll", {{"MeasID", second}, {"Type", "B"}}));
    }
    QVERIFY(m_pane->FillTree());
    Select("Eve %s %d");
    m_sink->answers = {false, true};
    m_pane->Button(CChildList::DeletePerson)->click(); // No
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=?", {odd}), 1L);
    QVERIFY(ItemNamed(*m_pane->Tree(), "Eve %s %d"));

    m_pane->Button(CChildList::DeletePerson)->click(); // Yes
    const std::string question =
        "Whether to delete the name:<<Eve %s %d>>?\r\n(Note:Test data will also be deleted!)";
    QCOMPARE(m_sink->questions, (std::vector<std::string>{question, question}));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=?", {odd}), 0L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM MeasData WHERE ExamerID=?", {odd}), 0L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM MeasData"), 1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValue01"), 1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValueAll"), 1L);
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Ann,Cleo] Evening[Bob]"));
    // The selection moved to a neighbour, and the pages follow it.
    QCOMPARE(ShownName(*m_pane), m_pane->Tree()->currentItem()->parent()
                                     ? m_pane->Tree()->currentItem()->text(0)
                                     : QString());
    QVERIFY(m_sink->messages.empty());
}

void TestCChildList::aGroupWithPersonsIsNotDeleted() {
    Select("Evening");
    m_pane->Button(CChildList::DeleteGroup)->click();
    QCOMPARE(m_sink->messages, std::vector<std::string>{kGroupHasPersons});
    QVERIFY(m_sink->questions.empty());
    QCOMPARE(Count("SELECT count(*) AS cnt FROM GroupList"), 2L);

    // A person added behind the pane's back keeps the group too; the tree then shows it.
    const int late = AddGroup("Late");
    QVERIFY(m_pane->FillTree());
    AddPerson(late, "Zed");
    Select("Late");
    m_pane->Button(CChildList::DeleteGroup)->click();
    QCOMPARE(m_sink->messages.size(), 2u);
    QCOMPARE(m_sink->messages.back(), kGroupHasPersons);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=?", {late}), 1L);
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Ann,Cleo] Evening[Bob] Late[Zed]"));
}

void TestCChildList::anEmptyGroupIsDeletedAfterYes() {
    const int empty = AddGroup("Empty %d");
    QVERIFY(m_pane->FillTree());
    Select("Empty %d");
    m_sink->answers = {false, true};
    m_pane->Button(CChildList::DeleteGroup)->click();
    QCOMPARE(m_pane->Tree()->topLevelItemCount(), 3);
    m_pane->Button(CChildList::DeleteGroup)->click();
    QCOMPARE(m_sink->questions.back(), std::string("Whether to delete the group of:<<Empty %d>>?"));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=?", {empty}), 0L);
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Ann,Cleo] Evening[Bob]"));
}

void TestCChildList::aVanishedDatabaseChangesNothing() {
    Select("Bob");
    std::filesystem::remove(m_install->databasePath());
    m_pane->Button(CChildList::DeletePerson)->click();
    QCOMPARE(m_sink->messages, std::vector<std::string>{kConnectionError});
    QVERIFY(ItemNamed(*m_pane->Tree(), "Bob"));

    // The editors do not open; the tree stays as it was.
    auto none = Drive<QDialog>([](QDialog& d) { d.reject(); });
    m_pane->Button(CChildList::EditPerson)->click();
    QVERIFY(!none->Handled());
    QCOMPARE(m_sink->messages.size(), 2u);
    QCOMPARE(TreeText(*m_pane->Tree()), QStringLiteral("Morning[Ann,Cleo] Evening[Bob]"));

    // Selecting another person empties the pages instead of showing stale data.
    Select("Ann");
    QCOMPARE(ShownName(*m_pane), QString());
    QCOMPARE(m_pane->RecordPage()->RowCount(), 0);

    // Rebuilding the tree finds nothing to show.
    QVERIFY(!m_pane->FillTree());
    QCOMPARE(m_pane->Tree()->topLevelItemCount(), 0);
}

void TestCChildList::getReportAndComparativeHandOverToTheFrame() {
    const int older = AddTest(m_bob, {2024, 4, 1, 9, 0, 0});
    const int newer = AddTest(m_bob, {2024, 5, 1, 9, 0, 0});
    std::vector<int> reports;
    std::vector<std::pair<int, int>> compared;
    m_pane->setShowReportPane([&](int measId) { reports.push_back(measId); });
    m_pane->setShowComparePane([&](int a, int b) { compared.emplace_back(a, b); });
    Select("Bob");
    m_pane->TabBar()->setCurrentIndex(1);
    CTabPage1& page = *m_pane->RecordPage();
    QCOMPARE(page.RowCount(), 2);
    page.SetPickMark(0, true);
    page.findChild<QPushButton*>(QStringLiteral("btn1026"))->click();
    QCOMPARE(reports, std::vector<int>{newer});
    QVERIFY(std::filesystem::exists(m_install->path() / "Reports" / "00-Compositive Report.htm"));
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValue01 WHERE MeasID=?", {newer}), 1L);

    page.SetPickMark(1, true);
    page.findChild<QPushButton*>(QStringLiteral("btn1145"))->click();
    QCOMPARE(compared, (std::vector<std::pair<int, int>>{{newer, older}}));
}

void TestCChildList::theFrameSwitchesToTheReportOrTheComparison() {
    const int older = AddTest(m_ann, {2024, 4, 1, 9, 0, 0});
    const int newer = AddTest(m_ann, {2024, 5, 1, 9, 0, 0});
    CMainFrame frame;
    CChildList& pane = *frame.PersonPane();
    // Connected as the frame connects its person pane.
    pane.setShowReportPane([&frame](int measId) { frame.ShowReportPane(measId); });
    pane.setShowComparePane([&frame](int a, int b) { frame.ShowComparePane(a, b); });
    frame.show();
    frame.ShowPersonPane();
    pane.SelectExamer(m_ann);
    pane.TabBar()->setCurrentIndex(1);
    pane.RecordPage()->SetPickMark(1, true);
    pane.RecordPage()->findChild<QPushButton*>(QStringLiteral("btn1026"))->click();
    QVERIFY(!pane.isVisible());
    QVERIFY(frame.ReportPane()->isVisible());
    QCOMPARE(frame.ReportPane()->MeasID(), older);

    frame.ShowPersonPane();
    pane.RecordPage()->SetPickMark(0, true);
    pane.RecordPage()->findChild<QPushButton*>(QStringLiteral("btn1145"))->click();
    QVERIFY(!pane.isVisible());
    QVERIFY(frame.ComparePane()->isVisible());
    QCOMPARE(frame.ComparePane()->FirstMeasID(), newer);
    QCOMPARE(frame.ComparePane()->SecondMeasID(), older);
}

void TestCChildList::aNewTestIsShownPicked() {
    Select("Ann");
    const int test = AddTest(m_ann, {2024, 5, 31, 16, 0, 0});
    m_pane->ShowNewTest(m_ann);
    QCOMPARE(m_pane->TabBar()->currentIndex(), 1);
    QVERIFY(m_pane->RecordPage()->isVisible());
    QVERIFY(!m_pane->BasicInfoPage()->isVisible());
    QCOMPARE(m_pane->RecordPage()->MeasIdAt(0), test);
    QVERIFY(m_pane->RecordPage()->IsPicked(0));
}

void TestCChildList::layoutFollowsThePaneSize() {
    m_pane->resize(1200, 800);
    QCOMPARE(m_pane->Tree()->geometry(), QRect(18, 18, 284, 800 - 197));
    QCOMPARE(m_pane->Button(CChildList::AddPerson)->geometry(), QRect(25, 800 - 102, 60, 25));
    QCOMPARE(m_pane->Button(CChildList::SearchPerson)->geometry(), QRect(231, 800 - 102, 60, 25));
    QCOMPARE(m_pane->Button(CChildList::DeleteGroup)->geometry(), QRect(205, 800 - 47, 90, 25));
    const QWidget* tabs = m_pane->findChild<QWidget*>(QStringLiteral("personTabs"));
    QCOMPARE(tabs->geometry(), QRect(320, 10, 1200 - 330, 800 - 16));
    QCOMPARE(m_pane->BasicInfoPage()->geometry(), QRect(8, 35, 870 - 16, 784 - 43));
    QCOMPARE(m_pane->RecordPage()->geometry(), m_pane->BasicInfoPage()->geometry());
}

// Arrows walk and open the tree and the pages follow; Enter edits, Delete deletes and Insert
// adds, as the buttons do for the selected item.
void TestCChildList::theTreeWorksFromTheKeyboard() {
    QTreeWidget* tree = m_pane->Tree();
    QApplication::setActiveWindow(m_pane.get());
    QVERIFY(QTest::qWaitForWindowActive(m_pane.get()));
    QCOMPARE(QApplication::focusWidget(), tree);
    QTest::keyClick(tree, Qt::Key_Home);  // Morning
    QTest::keyClick(tree, Qt::Key_Right); // opened
    QTest::keyClick(tree, Qt::Key_Down);  // Ann
    QCOMPARE(m_pane->GetSelectedExamerID(), m_ann);
    QCOMPARE(ShownName(*m_pane), QStringLiteral("Ann"));

    auto edit = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(d.m_ExamerID, m_ann);
        SetText(d, "name", QStringLiteral("Anna"));
        Click(d, "saveButton");
    });
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(edit->Handled());
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Anna"));

    auto add = Drive<CEditClient>([&](CEditClient& d) {
        QCOMPARE(d.m_ExamerID, 0);
        QCOMPARE(Child<QComboBox>(d, "group")->currentText(), QStringLiteral("Morning"));
        Click(d, "exitButton");
    });
    // Back from a dialog the window is active again (off screen nothing activates it) with
    // the focus in the tree.
    const auto back = [&] {
        QApplication::setActiveWindow(m_pane.get());
        QTRY_COMPARE(QApplication::focusWidget(), tree);
    };
    back();
    QTest::keyClick(tree, Qt::Key_Insert);
    QVERIFY(add->Handled());

    back();
    QTest::keyClick(tree, Qt::Key_Delete); // the recorder answers Yes
    QCOMPARE(ItemNamed(*tree, QStringLiteral("Anna")), nullptr);
    QCOMPARE(Count("SELECT count(*) FROM Examer WHERE ExamerID=?", {m_ann}), 0L);

    QTest::keyClick(tree, Qt::Key_Up); // back on the group
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Morning"));
    auto group = Drive<CEditGroup>([&](CEditGroup& d) {
        QCOMPARE(d.m_GroupID, m_morning);
        Click(d, "exitButton");
    });
    QTest::keyClick(tree, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(group->Handled());
}

// The frame holds the report views, whose browser engine refuses to start as root inside its
// sandbox and finds no GPU in a test run; both are settled before the application exists.
int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestCChildList test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_CChildList.moc"
