#include "ui/app/GuiMessageSink.h"

#include "data/OperatorTexts.h"
#include "data/StringTable.h"
#include "ui/widgets/UiText.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>

namespace {

QString Caption() {
    return UiText(hv::ids::AppTitle);
}

// The string table keeps Windows line breaks; a message box wants plain ones.
QString DisplayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The box belongs to whatever window the operator is working in, so it stays above it. The
// splash closes and deletes itself on a timer, so it must never own a box that is still open.
QWidget* BoxParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* active = QApplication::activeWindow();
    if (active && active->windowType() == Qt::SplashScreen)
        return nullptr;
    return active;
}

} // namespace

GuiMessageSink::GuiMessageSink(QObject* parent) : QObject(parent) {}

void GuiMessageSink::ShowMessage(const std::string& text) {
    RunOnGuiThread([&text] {
        QMessageBox box(QMessageBox::Information, Caption(), DisplayText(text), QMessageBox::Ok,
                        BoxParent());
        box.exec();
    });
}

bool GuiMessageSink::AskYesNo(const std::string& text) {
    bool answer = true;
    RunOnGuiThread([&text, &answer] {
        QMessageBox box(QMessageBox::Question, Caption(), DisplayText(text),
                        QMessageBox::Yes | QMessageBox::No, BoxParent());
        answer = box.exec() != QMessageBox::No;
    });
    return answer;
}

std::optional<std::string> GuiMessageSink::AskPassword(const std::string& where,
                                                       const std::string& problem) {
    std::optional<std::string> answer;
    RunOnGuiThread([&] {
        QInputDialog dialog(BoxParent());
        dialog.setObjectName(QStringLiteral("passwordDialog"));
        dialog.setWindowTitle(Caption());
        const QString question =
            UiText(hv::texts::FillText(hv::texts::kServerPasswordQuestion, {where}));
        dialog.setLabelText(
            problem.empty() ? question : DisplayText(problem) + QStringLiteral("\n\n") + question);
        dialog.setTextEchoMode(QLineEdit::Password);
        if (dialog.exec() == QDialog::Accepted)
            answer = dialog.textValue().toStdString();
    });
    return answer;
}

void GuiMessageSink::RunOnGuiThread(const std::function<void()>& work) {
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, work, Qt::BlockingQueuedConnection);
}
