#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Handles the next modal window a test opens (a message box or dialog running its own
// event loop): polls for it on the GUI thread and hands it to the handler once, which
// inspects it and closes it.
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
        m_handler(modal);
    }

    Handler m_handler;
    QTimer m_timer;
    bool m_handled = false;
};
