#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Handles the next modal window a test opens (a message box or dialog running its own
// event loop): polls for it on the GUI thread and hands it to the handler once, which
// inspects it and closes it. A handler whose check failed has its window closed for it.
class ModalDriver {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalDriver(Handler handler) : m_handler(std::move(handler)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    // True once the handler has run.
    bool Handled() const { return m_handled; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        m_timer.stop();
        m_handled = true;
        QPointer<QWidget> watched(modal);
        m_handler(modal);
        // A check that failed inside the handler leaves the window open: close it, so that
        // the test ends with that failure instead of waiting on the window until it times out.
        if (QTest::currentTestFailed() && watched && watched->isVisible())
            if (auto* dialog = qobject_cast<QDialog*>(watched.data()))
                dialog->done(QDialog::Rejected);
    }

    Handler m_handler;
    QTimer m_timer;
    bool m_handled = false;
};
