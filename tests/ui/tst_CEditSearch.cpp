#include "PersonsUiSupport.h"
#include "ui/persons/CEditSearch.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace persons_ui;

namespace {

QStringList Row(const QTableWidget& list, int row) {
    QStringList cells;
    for (int column = 0; column < list.columnCount(); ++column)
        cells << (list.item(row, column) ? list.item(row, column)->text() : QString());
    return cells;
}

QStringList Names(const QTableWidget& list) {
    QStringList names;
    for (int row = 0; row < list.rowCount(); ++row)
        names << list.item(row, 2)->text();
    return names;
}

void DoubleClick(QTableWidget& list, QPoint at) {
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestCEditSearch : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        m_sink = std::make_unique<hv::test::RecordingSink>();
        const int group = AddGroup("G");
        m_ann = AddPerson(group, "Ann Smith", false, {{"Mobile", "0170 1"}});
        m_bob = AddPerson(group, "Bob O'Brien", true, {{"Height", "181"}, {"Weight", "80"}});
        m_dee = AddPerson(group, "Dee Smith", false, {{"Height", "170.0"}});
    }
    void cleanup() {
        m_sink.reset();
        m_install.reset();
    }

    void listsMatchesNewestFirstWithTheirColumns();
    void searchesBySexAloneAndByAQuotedName();
    void noConditionKeepsThePreviousResultsAndClearEmptiesAll();
    void selectPicksTheSelectedRowOnly();
    void doubleClickPicksTheRowOrNobody();
    void enterDoesNothing();

private:
    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    int m_ann = 0, m_bob = 0, m_dee = 0;
};

void TestCEditSearch::listsMatchesNewestFirstWithTheirColumns() {
    CEditSearch dialog;
    SetText(dialog, "name", QStringLiteral("Smith"));
    Click(dialog, "searchButton");
    QTableWidget& list = *dialog.ResultList();
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(Row(list, 0), QStringList({"1", QString::number(m_dee), "Dee Smith", "F", "1980-05-17",
                                        "170.0 cm", "63 kg", ""}));
    QCOMPARE(Row(list, 1).at(0), QStringLiteral("2"));
    QCOMPARE(Row(list, 1).at(7), QStringLiteral("0170 1"));
    QVERIFY(list.isColumnHidden(1));
    QCOMPARE(list.horizontalHeaderItem(2)->text(), QStringLiteral("Name"));
    QCOMPARE(list.horizontalHeaderItem(6)->text(), QStringLiteral("Weight"));
    QVERIFY(m_sink->messages.empty());
}

void TestCEditSearch::searchesBySexAloneAndByAQuotedName() {
    CEditSearch dialog;
    Child<QRadioButton>(dialog, "female")->setChecked(true);
    Click(dialog, "searchButton");
    QCOMPARE(Names(*dialog.ResultList()), QStringList({"Dee Smith", "Ann Smith"}));

    Click(dialog, "clearButton");
    Child<QRadioButton>(dialog, "male")->setChecked(true);
    SetText(dialog, "name", QStringLiteral("O'Br"));
    Click(dialog, "searchButton");
    QCOMPARE(Names(*dialog.ResultList()), QStringList({"Bob O'Brien"}));

    Click(dialog, "clearButton");
    SetText(dialog, "height", QStringLiteral("170"));
    Click(dialog, "searchButton");
    // Ann's height is stored as "170"; Dee's "170.0" is another text.
    QCOMPARE(Names(*dialog.ResultList()), QStringList({"Ann Smith"}));
    QVERIFY(m_sink->messages.empty());
}

void TestCEditSearch::noConditionKeepsThePreviousResultsAndClearEmptiesAll() {
    CEditSearch dialog;
    SetText(dialog, "company", QStringLiteral("x"));
    SetText(dialog, "name", QStringLiteral("Ann"));
    Click(dialog, "clearButton");
    SetText(dialog, "name", QStringLiteral("Ann"));
    Click(dialog, "searchButton");
    QCOMPARE(dialog.ResultList()->rowCount(), 1);
    SetText(dialog, "name", QString());
    Click(dialog, "searchButton");
    QCOMPARE(Names(*dialog.ResultList()), QStringList({"Ann Smith"}));

    Child<QRadioButton>(dialog, "female")->setChecked(true);
    Click(dialog, "clearButton");
    QCOMPARE(dialog.ResultList()->rowCount(), 0);
    QVERIFY(!Child<QRadioButton>(dialog, "female")->isChecked());
    QVERIFY(!Child<QRadioButton>(dialog, "male")->isChecked());
    QVERIFY(Child<QLineEdit>(dialog, "company")->text().isEmpty());
}

void TestCEditSearch::selectPicksTheSelectedRowOnly() {
    CEditSearch dialog;
    auto driver = Drive<CEditSearch>([&](CEditSearch& d) {
        SetText(d, "name", QStringLiteral("Smith"));
        Click(d, "searchButton");
        Click(d, "selectButton"); // nothing selected yet
        QVERIFY(d.isVisible());
        d.ResultList()->selectRow(1);
        Click(d, "selectButton");
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_ExamerID, m_ann);
}

void TestCEditSearch::doubleClickPicksTheRowOrNobody() {
    CEditSearch onRow;
    auto first = Drive<CEditSearch>([&](CEditSearch& d) {
        SetText(d, "name", QStringLiteral("Bob"));
        Click(d, "searchButton");
        QTableWidget& list = *d.ResultList();
        DoubleClick(list, list.visualItemRect(list.item(0, 2)).center());
    });
    QCOMPARE(onRow.exec(), int(QDialog::Accepted));
    QCOMPARE(onRow.m_ExamerID, m_bob);

    CEditSearch offRows;
    auto second = Drive<CEditSearch>([&](CEditSearch& d) {
        SetText(d, "name", QStringLiteral("Bob"));
        Click(d, "searchButton");
        QTableWidget& list = *d.ResultList();
        DoubleClick(list, QPoint(30, list.viewport()->height() - 5));
    });
    QCOMPARE(offRows.exec(), int(QDialog::Accepted));
    QCOMPARE(offRows.m_ExamerID, 0);
}

void TestCEditSearch::enterDoesNothing() {
    CEditSearch dialog;
    auto driver = Drive<CEditSearch>([&](CEditSearch& d) {
        SetText(d, "name", QStringLiteral("Ann"));
        QTest::keyClick(Child<QLineEdit>(d, "name"), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(d.ResultList()->rowCount(), 0);
        QTest::keyClick(&d, Qt::Key_Escape); // Escape is Exit
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(driver->Handled());
    QCOMPARE(dialog.m_ExamerID, 0);
}

QTEST_MAIN(TestCEditSearch)
#include "tst_CEditSearch.moc"
