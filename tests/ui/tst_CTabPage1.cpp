#include "PersonsUiSupport.h"
#include "common/Clock.h"
#include "ui/persons/CProgress.h"
#include "ui/persons/CTabPage1.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace persons_ui;

namespace {

const std::string kSelectForReport = "Please select the appropriate detection of the tested "
                                     "person's\r\nrecord, And then point 'Get Report' button!";
const std::string kSelectToDelete = "Please select the records you want to delete!";
const std::string kDeleteQuestion = "Whether to delete the selected records?";
const std::string kSelectTwo =
    "Comparative analysis of two test records to be selected, please re-select!";

void ClickCell(QTableWidget& list, int row, int column) {
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

std::vector<int> Keys(const CTabPage1& page) {
    std::vector<int> keys;
    for (int row = 0; row < page.RowCount(); ++row)
        keys.push_back(page.MeasIdAt(row));
    return keys;
}

} // namespace

class TestCTabPage1 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheTestsNewestFirst();
    void clicksOnTheFirstColumnAndSpaceTogglePicks();
    void getReportWantsAPickAndTakesTheUpperOne();
    void delReportDeletesThePickedTestsOnlyAfterYes();
    void comparativeWantsExactlyTwoInRowOrder();
    void emptyingKeepsThePersonForReloading();
    void aMissingDatabaseEmptiesTheListAndAFailedDeleteKeepsIt();
    void theBandUnderTheListIsStriped();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::FixedClock> m_clock;
    std::unique_ptr<hv::ScopedClock> m_scopedClock;
    std::unique_ptr<CTabPage1> m_page;
    int m_person = 0;
    int m_oldest = 0, m_middle = 0, m_newest = 0;
    std::vector<int> m_reports;
    std::vector<std::pair<int, int>> m_compared;
};

void TestCTabPage1::init() {
    m_install = std::make_unique<hv::test::TestInstallation>();
    m_sink = std::make_unique<hv::test::RecordingSink>();
    m_clock =
        std::make_unique<hv::FixedClock>(std::chrono::sys_days{std::chrono::year{2024} / 6 / 1});
    m_scopedClock = std::make_unique<hv::ScopedClock>(*m_clock);
    CProgress::SetPacing(std::chrono::milliseconds(0));
    m_person = AddPerson(AddGroup("G"), "Ann", false, {{"Birthday", hv::ToOleDate({1980, 6, 2})}});
    m_oldest = AddTest(m_person, {2024, 1, 5, 9, 0, 0});
    m_middle = AddTest(m_person, {2024, 2, 5, 9, 30, 0});
    m_newest = AddTest(m_person, {2024, 3, 5, 17, 45, 12});
    m_reports.clear();
    m_compared.clear();
    m_page = std::make_unique<CTabPage1>();
    m_page->SetShowReportPane([this](int measId) { m_reports.push_back(measId); });
    m_page->SetShowComparePane(
        [this](int first, int second) { m_compared.emplace_back(first, second); });
    m_page->resize(800, 400);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    m_page->FillRecordList(m_person);
}

void TestCTabPage1::cleanup() {
    m_page.reset();
    m_scopedClock.reset();
    m_sink.reset();
    m_install.reset();
    CProgress::SetPacing(std::chrono::milliseconds(50));
}

void TestCTabPage1::listsTheTestsNewestFirst() {
    QCOMPARE(Keys(*m_page), (std::vector<int>{m_newest, m_middle, m_oldest}));
    QTableWidget& list = *m_page->List();
    QStringList top;
    for (int column = 0; column < list.columnCount(); ++column)
        top << list.item(0, column)->text();
    // The age is counted to today by whole days over 365: one day before her 44th
    // birthday, the eleven leap days since her birth already make it 44.
    QCOMPARE(top, QStringList({"", "2024-03-05", "17:45:12", "Ann", "44", "Female",
                               QString::number(m_newest)}));
    QStringList headings;
    for (int column = 0; column < 6; ++column)
        headings << list.horizontalHeaderItem(column)->text();
    QCOMPARE(headings, QStringList({"Select", "Test date", "Test time", "Name", "Age", "Sex"}));
    QVERIFY(list.isColumnHidden(CTabPage1::MeasId));
    QCOMPARE(m_page->CurrentExamerID(), m_person);
}

void TestCTabPage1::clicksOnTheFirstColumnAndSpaceTogglePicks() {
    QTableWidget& list = *m_page->List();
    ClickCell(list, 1, CTabPage1::Pick);
    QVERIFY(m_page->IsPicked(1));
    QCOMPARE(list.item(1, 0)->text(), QStringLiteral("1"));
    ClickCell(list, 1, CTabPage1::TestDate); // other columns leave the pick alone
    QVERIFY(m_page->IsPicked(1));
    ClickCell(list, 1, CTabPage1::Pick);
    QVERIFY(!m_page->IsPicked(1));
    QCOMPARE(list.item(1, 0)->text(), QStringLiteral("0"));
    ClickCell(list, 2, CTabPage1::Name);
    QTest::keyClick(&list, Qt::Key_Space);
    QVERIFY(m_page->IsPicked(2));
    QVERIFY(!m_page->IsPicked(0));
}

void TestCTabPage1::getReportWantsAPickAndTakesTheUpperOne() {
    m_page->findChild<QPushButton*>(QStringLiteral("btn1026"))->click();
    QCOMPARE(m_sink->messages, std::vector<std::string>{kSelectForReport});
    QVERIFY(m_reports.empty());

    m_page->SetPickMark(2, true);
    m_page->SetPickMark(1, true);
    m_page->findChild<QPushButton*>(QStringLiteral("btn1026"))->click();
    QCOMPARE(m_reports, std::vector<int>{m_middle});
    QCOMPARE(m_sink->messages.size(), 1u);
    // The analysis ran for that test only.
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValue15 WHERE MeasID=?", {m_middle}), 1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValue15 WHERE MeasID=?", {m_oldest}), 0L);
}

void TestCTabPage1::delReportDeletesThePickedTestsOnlyAfterYes() {
    m_page->OnDelReport();
    QCOMPARE(m_sink->messages, std::vector<std::string>{kSelectToDelete});
    QVERIFY(m_sink->questions.empty());

    {
        hv::CAdoDb db;
        QVERIFY(db.Open());
        QVERIFY(db.AddRow("ReportValueAll", {{"MeasID", m_newest}, {"Type", "B"}}));
    }
    m_page->SetPickMark(0, true);
    m_page->SetPickMark(2, true);
    m_sink->answers = {false, true};
    m_page->findChild<QPushButton*>(QStringLiteral("btn1027"))->click();
    QCOMPARE(m_page->RowCount(), 3);
    QVERIFY(m_page->IsPicked(0));
    m_page->findChild<QPushButton*>(QStringLiteral("btn1027"))->click();
    QCOMPARE(m_sink->questions, (std::vector<std::string>{kDeleteQuestion, kDeleteQuestion}));
    QCOMPARE(Keys(*m_page), std::vector<int>{m_middle});
    QCOMPARE(Count("SELECT count(*) AS cnt FROM MeasData"), 1L);
    QCOMPARE(Count("SELECT count(*) AS cnt FROM ReportValueAll WHERE MeasID=?", {m_newest}), 1L);
}

void TestCTabPage1::comparativeWantsExactlyTwoInRowOrder() {
    QTableWidget& list = *m_page->List();
    auto press = [this] { m_page->findChild<QPushButton*>(QStringLiteral("btn1145"))->click(); };
    press(); // none
    ClickCell(list, 2, CTabPage1::Pick);
    press();                             // one
    ClickCell(list, 0, CTabPage1::Pick); // picked after the lower one
    press();
    ClickCell(list, 1, CTabPage1::Pick);
    press(); // three
    QCOMPARE(m_sink->messages, (std::vector<std::string>{kSelectTwo, kSelectTwo, kSelectTwo}));
    QCOMPARE(m_compared, (std::vector<std::pair<int, int>>{{m_newest, m_oldest}}));
}

void TestCTabPage1::emptyingKeepsThePersonForReloading() {
    m_page->FillRecordList(0);
    QCOMPARE(m_page->RowCount(), 0);
    QCOMPARE(m_page->CurrentExamerID(), m_person);
    m_page->OnDelReport();
    QCOMPARE(m_sink->messages, std::vector<std::string>{kSelectToDelete});
    const int other = AddPerson(AddGroup("H"), "New");
    m_page->FillRecordList(other);
    QCOMPARE(m_page->RowCount(), 0); // a person without tests
    QCOMPARE(m_page->CurrentExamerID(), other);
}

void TestCTabPage1::aMissingDatabaseEmptiesTheListAndAFailedDeleteKeepsIt() {
    m_page->SetPickMark(0, true);
    std::filesystem::remove(m_install->databasePath());
    m_page->OnDelReport();
    QCOMPARE(m_sink->messages, std::vector<std::string>{"Database connection error!"});
    QCOMPARE(m_page->RowCount(), 3);
    QVERIFY(m_page->IsPicked(0));

    m_page->FillRecordList(m_person);
    QCOMPARE(m_page->RowCount(), 0);
    QCOMPARE(m_sink->messages.size(), 2u);
}

void TestCTabPage1::theBandUnderTheListIsStriped() {
    const QImage image = m_page->grab().toImage();
    const int top = m_page->height() - 51;
    QCOMPARE(m_page->List()->geometry(), QRect(0, 0, 800, 400 - 55));
    QCOMPARE(QColor(image.pixel(5, top)), QColor(160, 160, 160));
    QCOMPARE(QColor(image.pixel(5, top + 1)), QColor(240, 240, 240));
    QCOMPARE(QColor(image.pixel(5, top + 2)), QColor(200, 200, 200));
    QCOMPARE(QColor(image.pixel(5, top + 49)), QColor(240, 240, 240));
    QCOMPARE(QColor(image.pixel(5, top + 50)), QColor(160, 160, 160));
    QCOMPARE(QColor(image.pixel(0, top + 20)), QColor(160, 160, 160));
    auto* get = m_page->findChild<QPushButton*>(QStringLiteral("btn1026"));
    auto* del = m_page->findChild<QPushButton*>(QStringLiteral("btn1027"));
    auto* cmp = m_page->findChild<QPushButton*>(QStringLiteral("btn1145"));
    QCOMPARE(get->pos(), QPoint(20, 360));
    QCOMPARE(del->pos(), QPoint(get->width() + 40, 360));
    QCOMPARE(cmp->pos(), QPoint(get->width() + del->width() + 100, 360));
    QVERIFY(get->font().bold());
}

QTEST_MAIN(TestCTabPage1)
#include "tst_CTabPage1.moc"
