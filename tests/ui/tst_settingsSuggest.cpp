#include "SettingsTestSupport.h"
#include "data/SeedData.h"
#include "ui/settings/CDlgSuggest.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";

QString Advice(const CDlgSuggest& dialog, int list, int row) {
    return dialog.List(list)->item(row, CDlgSuggest::ColAdvice)->text();
}

hv::DbValue StoredAdvice(int orderNo) {
    return Value("select Suggest from Product where OrderNo=?", {orderNo});
}

QString SeedText(std::string_view text) {
    return QString::fromUtf8(text.data(), text.size());
}

// Any pixel darker than mid-grey in an area of an image.
bool HasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

constexpr int kUpper = CDlgSuggest::HiddenProblems;
constexpr int kLower = CDlgSuggest::SubHealthTrends;

} // namespace

class TestCDlgSuggest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void listsShowBothKindsOfAdvice();
    void clickOnAdviceCellOpensTheBoxOverIt();
    void clickOnAnotherRowCommitsTheFirstEdit();
    void editCommitsToTheListItWasOpenedIn();
    void scrollingTheListEndsTheEdit();
    void enterNeitherClosesNorEndsAnEdit();
    void exitDiscardsEdits();
    void saveWritesEveryRowAndCloses();
    void saveByKeyboardIncludesTheOpenEdit();
    void keysOpenTheBoxAndLeaveItForTheList();
    void nothingTypedIsLostOrAltered();
    void vanishedRowIsReportedAndTheRestSaved();
    void unavailableDatabase();
    void rowsAreDrawnWrappedAndNeverHighlighted();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgSuggest::listsShowBothKindsOfAdvice() {
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {"Short.\r\nSecond line.", 102}));
    CDlgSuggest dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Expert Advice"));
    QStringList frames;
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
        frames << box->title();
    QCOMPARE(frames, (QStringList{"About the probably hidden problems",
                                  "About the problems of sub-health trends"}));
    const auto& seed = hv::SeedReports();
    for (int index : {kUpper, kLower}) {
        QTableWidget* list = dialog.List(index);
        QCOMPARE(list->rowCount(), int(seed.size()));
        QCOMPARE(list->horizontalHeaderItem(0)->text(), QString());
        QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("System"));
        QCOMPARE(list->horizontalHeaderItem(2)->text(), QStringLiteral("Expert Advice"));
        QCOMPARE(list->columnWidth(0), 40);
        QCOMPARE(list->columnWidth(1), 180);
        QCOMPARE(list->columnWidth(2), 500);
        QVERIFY(list->isColumnHidden(CDlgSuggest::ColOrderNo));
        QCOMPARE(list->rowHeight(0), 50);
        QCOMPARE(list->rowHeight(int(seed.size()) - 1), 50);
        QVERIFY(list->showGrid());
    }
    QCOMPARE(dialog.List(kUpper)->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(dialog.List(kUpper)->item(0, 1)->text(), SeedText(seed[0].name));
    QCOMPARE(Advice(dialog, kUpper, 0), SeedText(seed[0].adviceA));
    QCOMPARE(dialog.List(kUpper)->item(0, 3)->text(), QStringLiteral("1"));
    QCOMPARE(dialog.List(kLower)->item(1, 0)->text(), QStringLiteral("2"));
    QCOMPARE(dialog.List(kLower)->item(1, 3)->text(), QStringLiteral("102"));
    QCOMPARE(Advice(dialog, kLower, 1), QStringLiteral("Short.\r\nSecond line."));
    QVERIFY(!dialog.Editor()->isVisible());
}

void TestCDlgSuggest::clickOnAdviceCellOpensTheBoxOverIt() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* list = dialog.List(kLower);
    ClickCell(list, 1, CDlgSuggest::ColAdvice);
    QPlainTextEdit* editor = dialog.Editor();
    QVERIFY(editor->isVisible());
    QVERIFY(editor->hasFocus());
    QCOMPARE(dialog.EditedList(), kLower);
    QCOMPARE(dialog.EditedRow(kLower), 1);
    QCOMPARE(editor->toPlainText(), Advice(dialog, kLower, 1));
    QCOMPARE(editor->textCursor().selectedText(), Advice(dialog, kLower, 1));
    QCOMPARE(editor->cursorWidth(), 1);
    const QRect cell = list->visualItemRect(list->item(1, CDlgSuggest::ColAdvice));
    QCOMPARE(editor->geometry(),
             QRect(list->viewport()->mapTo(&dialog, cell.topLeft()), cell.size() - QSize(1, 1)));

    // A click in another column only takes the focus away, which ends the edit.
    ClickCell(list, 3, CDlgSuggest::ColSystem);
    QVERIFY(!editor->isVisible());
    QCOMPARE(dialog.EditedRow(kLower), 1);
}

void TestCDlgSuggest::clickOnAnotherRowCommitsTheFirstEdit() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* list = dialog.List(kUpper);
    const QString third = Advice(dialog, kUpper, 2);
    ClickCell(list, 0, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("First edit"));
    ClickCell(list, 2, CDlgSuggest::ColAdvice);
    QCOMPARE(Advice(dialog, kUpper, 0), QStringLiteral("First edit"));
    QVERIFY(dialog.Editor()->isVisible());
    QCOMPARE(dialog.EditedRow(kUpper), 2);
    QCOMPARE(dialog.Editor()->toPlainText(), third);
    QCOMPARE(Advice(dialog, kUpper, 2), third);
    // Nothing reaches the database before Save.
    QCOMPARE(StoredAdvice(1), hv::DbValue(hv::SeedReports()[0].adviceA));
}

void TestCDlgSuggest::editCommitsToTheListItWasOpenedIn() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    const QString lowerRow3 = Advice(dialog, kLower, 3);
    ClickCell(dialog.List(kUpper), 1, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("upper text"));
    ClickCell(dialog.List(kLower), 3, CDlgSuggest::ColSystem);
    QCOMPARE(Advice(dialog, kUpper, 1), QStringLiteral("upper text"));
    QCOMPARE(Advice(dialog, kLower, 3), lowerRow3);
    QVERIFY(!dialog.Editor()->isVisible());

    // The remembered list changes only when an edit starts in the other list.
    ClickCell(dialog.List(kUpper), 1, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("again"));
    ClickCell(dialog.List(kLower), 3, CDlgSuggest::ColAdvice);
    QCOMPARE(Advice(dialog, kUpper, 1), QStringLiteral("again"));
    QCOMPARE(Advice(dialog, kLower, 3), lowerRow3);
    QCOMPARE(dialog.EditedList(), kLower);
    QCOMPARE(dialog.EditedRow(kLower), 3);
    QCOMPARE(dialog.EditedRow(kUpper), 1);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("lower text"));
    dialog.List(kUpper)->setFocus();
    QCOMPARE(Advice(dialog, kLower, 3), QStringLiteral("lower text"));
    QCOMPARE(Advice(dialog, kUpper, 1), QStringLiteral("again"));
}

// A box left behind by a scrolled list would cover another row than it edits.
void TestCDlgSuggest::scrollingTheListEndsTheEdit() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* list = dialog.List(kUpper);
    ClickCell(list, 0, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("scrolled away"));
    list->scrollToBottom();
    QVERIFY(!dialog.Editor()->isVisible());
    QCOMPARE(Advice(dialog, kUpper, 0), QStringLiteral("scrolled away"));
}

void TestCDlgSuggest::enterNeitherClosesNorEndsAnEdit() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    dialog.setResult(-1);
    ClickCell(dialog.List(kUpper), 0, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("a"));
    QTest::keyClick(dialog.Editor(), Qt::Key_Return);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("b"));
    QVERIFY(dialog.Editor()->isVisible());
    QCOMPARE(dialog.Editor()->toPlainText(), QStringLiteral("a\nb"));

    for (QWidget* focus :
         {static_cast<QWidget*>(dialog.List(kLower)), static_cast<QWidget*>(dialog.SaveButton()),
          static_cast<QWidget*>(dialog.ExitButton())}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        QTest::keyClick(focus, Qt::Key_Enter);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), -1);
    }
    QCOMPARE(StoredAdvice(1), hv::DbValue(hv::SeedReports()[0].adviceA));
}

void TestCDlgSuggest::exitDiscardsEdits() {
    for (bool escape : {false, true}) {
        CDlgSuggest dialog;
        QVERIFY(ShowActive(dialog));
        ClickCell(dialog.List(kUpper), 0, CDlgSuggest::ColAdvice);
        QTest::keyClicks(dialog.Editor(), QStringLiteral("never stored"));
        ClickCell(dialog.List(kLower), 0, CDlgSuggest::ColAdvice);
        QTest::keyClicks(dialog.Editor(), QStringLiteral("never stored"));
        if (escape)
            QTest::keyClick(dialog.Editor(), Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(Value("select count(*) from Product where Suggest='never stored'"), hv::DbValue(0));
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSuggest::saveWritesEveryRowAndCloses() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    ClickCell(dialog.List(kLower), 0, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("Rest well."));
    QTest::keyClick(dialog.Editor(), Qt::Key_Return);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("Drink \"water\"; it's fine"));
    // Rows changed elsewhere after the window opened are written back as it shows them.
    QVERIFY(Exec("update Product set Suggest='stale'"));
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_env->sink.messages.empty());
    QCOMPARE(StoredAdvice(hv::kAdviceOrderBaseB),
             hv::DbValue("Rest well.\nDrink \"water\"; it's fine"));
    QCOMPARE(Value("select count(*) from Product where Suggest='stale'"), hv::DbValue(0));
    QCOMPARE(StoredAdvice(hv::kAdviceOrderBaseA + 39), hv::DbValue(hv::SeedReports()[39].adviceA));
}

void TestCDlgSuggest::saveByKeyboardIncludesTheOpenEdit() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    ClickCell(dialog.List(kUpper), 5, CDlgSuggest::ColAdvice);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("typed, then Alt+S"));
    dialog.setResult(-1);
    QTest::keyClick(dialog.Editor(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(StoredAdvice(hv::kAdviceOrderBaseA + 5), hv::DbValue("typed, then Alt+S"));
}

// Without a mouse: Tab goes from list to list, arrows choose a row, F2 opens the box over its
// advice with the old text selected, Tab leaves the box for the list, Alt+S saves.
void TestCDlgSuggest::keysOpenTheBoxAndLeaveItForTheList() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* upper = dialog.List(kUpper);
    QTableWidget* lower = dialog.List(kLower);
    QCOMPARE(QApplication::focusWidget(), upper);
    QTest::keyClick(upper, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), lower);
    QTest::keyClick(lower, Qt::Key_Down);
    QCOMPARE(lower->currentRow(), 1);
    QTest::keyClick(lower, Qt::Key_F2);
    QVERIFY(dialog.IsEditing());
    QCOMPARE(dialog.EditedList(), kLower);
    QCOMPARE(dialog.EditedRow(kLower), 1);
    QCOMPARE(QApplication::focusWidget(), dialog.Editor());
    QTest::keyClicks(dialog.Editor(), QStringLiteral("Typed by keys"));
    QTest::keyClick(dialog.Editor(), Qt::Key_Tab);
    QVERIFY(!dialog.IsEditing());
    QCOMPARE(QApplication::focusWidget(), lower);
    QCOMPARE(lower->currentRow(), 1);
    QCOMPARE(Advice(dialog, kLower, 1), QStringLiteral("Typed by keys"));

    const int orderNo = lower->item(1, CDlgSuggest::ColOrderNo)->text().toInt();
    QTest::keyClick(lower, Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(StoredAdvice(orderNo), hv::DbValue(std::string("Typed by keys")));
}

void TestCDlgSuggest::nothingTypedIsLostOrAltered() {
    const std::string windows = "line one\r\nline two\u00a0with a non-breaking space";
    const std::string longText = std::string(4990, 'x') + "\"q\" 'q'";
    const std::string mixed = "mixed\r\nline\nbreaks\rand a separator\u2028here";
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {windows, 1}));
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {longText, 2}));
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {mixed, 3}));
    {
        // Opening and leaving the box without typing changes nothing.
        CDlgSuggest dialog;
        QVERIFY(ShowActive(dialog));
        for (int row : {0, 1, 2})
            ClickCell(dialog.List(kUpper), row, CDlgSuggest::ColAdvice);
        ClickCell(dialog.List(kUpper), 3, CDlgSuggest::ColSystem);
        QCOMPARE(Advice(dialog, kUpper, 0), Utf8(windows));
        QCOMPARE(Advice(dialog, kUpper, 1), Utf8(longText));
        QCOMPARE(Advice(dialog, kUpper, 2), Utf8(mixed));
        dialog.SaveButton()->click();
        QCOMPARE(StoredAdvice(1), hv::DbValue(windows));
        QCOMPARE(StoredAdvice(2), hv::DbValue(longText));
        QCOMPARE(StoredAdvice(3), hv::DbValue(mixed));
    }
    {
        // A line added to a text with Windows line breaks gets one too; the rest is kept.
        CDlgSuggest dialog;
        QVERIFY(ShowActive(dialog));
        ClickCell(dialog.List(kUpper), 0, CDlgSuggest::ColAdvice);
        QTest::keyClick(dialog.Editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(dialog.Editor(), Qt::Key_Return);
        QTest::keyClicks(dialog.Editor(), QStringLiteral("three"));
        ClickCell(dialog.List(kUpper), 1, CDlgSuggest::ColAdvice);
        QTest::keyClick(dialog.Editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(dialog.Editor(), QStringLiteral("!"));
        dialog.SaveButton()->click();
        QCOMPARE(StoredAdvice(1), hv::DbValue(windows + "\r\nthree"));
        QCOMPARE(StoredAdvice(2), hv::DbValue(longText + "!"));
    }
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSuggest::vanishedRowIsReportedAndTheRestSaved() {
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    for (int index : {kUpper, kLower})
        for (int row = 0; row < dialog.List(index)->rowCount(); ++row)
            dialog.List(index)->item(row, CDlgSuggest::ColAdvice)->setText(QStringLiteral("new"));
    QVERIFY(Exec("delete from Product where OrderNo=3"));
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>{"The advice with order number 3 is no longer in the "
                                      "database, so its text was not saved."});
    QCOMPARE(Value("select count(*) from Product where Suggest='new'"),
             hv::DbValue(2 * int(hv::SeedReports().size()) - 1));
    QCOMPARE(Value("select count(*) from Product where OrderNo=3"), hv::DbValue(0));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestCDlgSuggest::unavailableDatabase() {
    m_env->RemoveDatabase();
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.List(kUpper)->rowCount(), 0);
    QCOMPARE(dialog.List(kLower)->rowCount(), 0);
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kConnectionError});
    dialog.setResult(-1);
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, kConnectionError));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), -1);
}

void TestCDlgSuggest::rowsAreDrawnWrappedAndNeverHighlighted() {
    QString words;
    for (int i = 0; i < 60; ++i)
        words += QStringLiteral("word ");
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {"first line\r\nsecond line", 1}));
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {"just one line", 2}));
    QVERIFY(Exec("update Product set Suggest=? where OrderNo=?", {words.toStdString(), 3}));
    CDlgSuggest dialog;
    QVERIFY(ShowActive(dialog));
    QTableWidget* list = dialog.List(kUpper);
    list->selectRow(0);
    const QImage image = list->viewport()->grab().toImage();
    const int line = list->fontMetrics().lineSpacing();
    const auto secondLine = [&](int row) {
        const QRect cell = list->visualItemRect(list->item(row, CDlgSuggest::ColAdvice));
        return QRect(cell.left() + 3, cell.top() + line + 1, cell.width() - 6, line - 2);
    };
    QVERIFY(HasInk(image, secondLine(0)));  // a line break
    QVERIFY(!HasInk(image, secondLine(1))); // a single line
    QVERIFY(HasInk(image, secondLine(2)));  // a long text wrapped at the column's edge
    // The selected row keeps its white cells.
    const QRect selected = list->visualItemRect(list->item(0, CDlgSuggest::ColSystem));
    QCOMPARE(image.pixelColor(selected.right() - 4, selected.bottom() - 4), QColor(Qt::white));
}

QTEST_MAIN(TestCDlgSuggest)
#include "tst_settingsSuggest.moc"
