#pragma once

#include "data/MessageSink.h"
#include "data/PasswordPrompt.h"

#include <QObject>
#include <functional>

// Shows the core's messages and questions in message boxes captioned with the program's
// title, and asks for a database server's password in a dialog that does not show what is
// typed. It may be called from any thread: a call from a worker thread waits until the
// box has been answered on the GUI thread, which must keep its event loop running.
class GuiMessageSink final : public QObject, public hv::MessageSink, public hv::PasswordPrompt {
    Q_OBJECT

public:
    explicit GuiMessageSink(QObject* parent = nullptr);

    // A message box with an OK button.
    void ShowMessage(const std::string& text) override;
    // A Yes/No message box with the question icon; only the answer No gives false.
    bool AskYesNo(const std::string& text) override;
    // A password dialog (object name "passwordDialog"); Cancel gives up.
    std::optional<std::string> AskPassword(const std::string& where,
                                           const std::string& problem) override;

private:
    void RunOnGuiThread(const std::function<void()>& work);
};
