#include "ModalDriver.h"
#include "ui/app/GuiMessageSink.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <atomic>
#include <thread>

namespace {

// What a test saw of a message box before answering it.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool onGuiThread = false;
};

ModalDriver::Handler Answer(SeenBox& seen, QMessageBox::StandardButton answer) {
    return [&seen, answer](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.onGuiThread = box->thread() == QCoreApplication::instance()->thread();
        box->button(answer)->click();
    };
}

} // namespace

class TestGuiMessageSink : public QObject {
    Q_OBJECT

private slots:
    void showMessageHasOkOnly();
    void askYesNo_data();
    void askYesNo();
    void workerThreadWaitsForTheAnswer();
    void passwordDialogHidesWhatIsTyped();
    void cancellingThePasswordGivesUp();
};

void TestGuiMessageSink::showMessageHasOkOnly() {
    GuiMessageSink sink;
    SeenBox seen;
    ModalDriver driver(Answer(seen, QMessageBox::Ok));

    sink.ShowMessage("Sorry, Did not find your hardware\r\nVerify the port!");

    QVERIFY(driver.Handled());
    QCOMPARE(seen.caption, QStringLiteral("Pelmora"));
    QCOMPARE(seen.text, QStringLiteral("Sorry, Did not find your hardware\nVerify the port!"));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestGuiMessageSink::askYesNo_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("result");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No") << int(QMessageBox::No) << false;
}

void TestGuiMessageSink::askYesNo() {
    QFETCH(int, answer);
    QFETCH(bool, result);
    GuiMessageSink sink;
    SeenBox seen;
    ModalDriver driver(Answer(seen, static_cast<QMessageBox::StandardButton>(answer)));

    QCOMPARE(sink.AskYesNo("Are you sure you want to exit the system?"), result);

    QCOMPARE(seen.caption, QStringLiteral("Pelmora"));
    QCOMPARE(seen.text, QStringLiteral("Are you sure you want to exit the system?"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

void TestGuiMessageSink::workerThreadWaitsForTheAnswer() {
    GuiMessageSink sink;
    SeenBox seen;
    std::atomic<bool> returned{false};
    bool returnedWhileShown = true;
    ModalDriver driver([&](QWidget* modal) {
        returnedWhileShown = returned.load();
        Answer(seen, QMessageBox::No)(modal);
    });

    bool answer = true;
    std::thread worker([&] {
        answer = sink.AskYesNo("Whether to delete the selected records?");
        returned = true;
    });
    QTRY_VERIFY(returned.load());
    worker.join();

    QVERIFY(!returnedWhileShown);
    QVERIFY(seen.onGuiThread);
    QCOMPARE(seen.caption, QStringLiteral("Pelmora"));
    QVERIFY(!answer);
}

// Asked on a worker thread, as a connection of the analysis asks: the dialog appears on the
// GUI thread, shows the server's refusal above the question and hides the typing.
void TestGuiMessageSink::passwordDialogHidesWhatIsTyped() {
    GuiMessageSink sink;
    QString label;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("passwordDialog"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Pelmora"));
        label = dialog->labelText();
        echo = dialog->textEchoMode();
        dialog->setTextValue(QStringLiteral("s3cret"));
        dialog->accept();
    });
    std::optional<std::string> answer;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        answer = sink.AskPassword("halvoret on server", "password authentication failed");
        returned = true;
    });
    QTRY_VERIFY(returned.load());
    worker.join();
    QCOMPARE(echo, QLineEdit::Password);
    QCOMPARE(label, QStringLiteral("password authentication failed\n\nPassword for halvoret on "
                                   "server:"));
    QCOMPARE(answer, std::optional<std::string>("s3cret"));
}

void TestGuiMessageSink::cancellingThePasswordGivesUp() {
    GuiMessageSink sink;
    ModalDriver driver([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(sink.AskPassword("halvoret on server", ""), std::nullopt);
    QVERIFY(driver.Handled());
}

QTEST_MAIN(TestGuiMessageSink)
#include "tst_GuiMessageSink.moc"
