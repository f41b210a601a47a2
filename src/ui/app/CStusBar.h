#pragma once

#include <QWidget>

class QLabel;

// The one-line strip at the bottom of the main window: a centred grey notice with the
// program's version and the register in use (the file, or the server database), and while
// the demonstration's simulated sensor serves, a notice saying so before it.
class CStusBar : public QWidget {
    Q_OBJECT

public:
    explicit CStusBar(QWidget* parent = nullptr);

    QString Text() const;
    // The demonstration notice; empty when the real sensor serves.
    QString DemoNotice() const;

private:
    QLabel* m_pNotice;
    QLabel* m_pDemo = nullptr;
};
