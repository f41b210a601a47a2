#pragma once

#include <QDialog>

class QPushButton;

// The prompt before a test: a picture, the instruction and the choice to start or not.
class CTestTip : public QDialog {
    Q_OBJECT

public:
    explicit CTestTip(QWidget* parent = nullptr);

    QPushButton* StartButton() const { return m_pStart; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QPushButton* m_pStart = nullptr;
    QPushButton* m_pCancel = nullptr;
};
