#include "ui/app/CBtnsBar.h"
#include "ui/app/CClrTitle.h"
#include "ui/app/ControlIds.h"
#include "ui/widgets/CBtnIcon.h"

#include <QtTest>

class TestCBtnsBar : public QObject {
    Q_OBJECT

private slots:
    void commandRow_data();
    void commandRow();
    void windowSignsStayAtTheRightEdge_data();
    void windowSignsStayAtTheRightEdge();
    void title();
};

void TestCBtnsBar::commandRow_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("hover");
    QTest::addColumn<int>("slot"); // position in the row; -1 for the window signs

    QTest::newRow("Home") << ctl::Home << "Home" << 232 << 242 << 0;
    QTest::newRow("Dossier") << ctl::Dossier << "Dossier" << 231 << 241 << 1;
    QTest::newRow("Testing") << ctl::Testing << "Testing" << 237 << 247 << 2;
    QTest::newRow("Suggest") << ctl::Suggest << "Suggest" << 236 << 246 << 3;
    QTest::newRow("Page Set") << ctl::PageSet << "Page Set" << 233 << 243 << 4;
    QTest::newRow("Backup") << ctl::Backup << "Backup" << 230 << 240 << 5;
    QTest::newRow("Restore") << ctl::Restore << "Restore" << 234 << 244 << 6;
    QTest::newRow("Setting") << ctl::Setting << "Setting" << 235 << 245 << 7;
    QTest::newRow("Help") << ctl::Help << "Help" << 239 << 249 << 8;
    QTest::newRow("About") << ctl::About << "About" << 238 << 248 << 9;
    QTest::newRow("Exit") << ctl::Exit << "Exit" << 254 << 255 << 10;
    QTest::newRow("Minimise") << ctl::Minimise << "Minimise" << 250 << 251 << -1;
    QTest::newRow("Close") << ctl::CloseSign << "Close" << 252 << 253 << -1;
}

void TestCBtnsBar::commandRow() {
    QFETCH(int, id);
    QFETCH(QString, caption);
    QFETCH(int, normal);
    QFETCH(int, hover);
    QFETCH(int, slot);

    CBtnsBar bar;
    bar.resize(1920, CBtnsBar::kHeight);
    CBtnIcon* button = bar.Button(id);
    QVERIFY(button);
    QCOMPARE(button->objectName(), QStringLiteral("btn%1").arg(id));
    QCOMPARE(button->toolTip(), caption);
    QCOMPARE(button->accessibleName(), caption);
    QVERIFY(button->text().isEmpty()); // the caption is part of the picture
    QCOMPARE(button->CurrentFaceId(), normal);
    button->setDown(true); // pressed shows the hover picture
    QCOMPARE(button->CurrentFaceId(), hover);
    if (slot >= 0)
        QCOMPARE(button->geometry(), QRect(14 + 86 * slot, 24, 80, 72));
}

void TestCBtnsBar::windowSignsStayAtTheRightEdge_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("narrow") << 1024;
    QTest::newRow("full hd") << 1920;
    QTest::newRow("wide") << 2560;
}

void TestCBtnsBar::windowSignsStayAtTheRightEdge() {
    QFETCH(int, width);
    CBtnsBar bar;
    bar.resize(800, CBtnsBar::kHeight);
    bar.show();
    bar.resize(width, CBtnsBar::kHeight);

    QCOMPARE(bar.height(), 100);
    QCOMPARE(bar.Button(ctl::Minimise)->geometry(), QRect(width - 70, 0, 28, 20));
    QCOMPARE(bar.Button(ctl::CloseSign)->geometry(), QRect(width - 42, 0, 42, 20));
}

void TestCBtnsBar::title() {
    CBtnsBar bar;
    CClrTitle* title = bar.Title();
    QCOMPARE(title->Text(), QStringLiteral("Halvoret"));
    QCOMPARE(title->geometry(), QRect(2, 5, 180, 16));
    QCOMPARE(title->TextColor(), QColor(255, 255, 255));
    QCOMPARE(title->TextFont().pixelSize(), 16);
    QCOMPARE(title->TextFont().weight(), QFont::Thin);
}

QTEST_MAIN(TestCBtnsBar)
#include "tst_CBtnsBar.moc"
