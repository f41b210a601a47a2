#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

// "Sensitivity adjustment": the detector's sensitivity level on a vertical slider from
// 10 (High, at the top) to 30 (Low, at the bottom). Save stores it and keeps the window
// open.
class CDlgSetSens : public QDialog {
    Q_OBJECT

public:
    explicit CDlgSetSens(QWidget* parent = nullptr);

    QSlider* Slider() const { return m_pSlider; }
    QLabel* Description() const { return m_pDescription; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* ExitButton() const { return m_pExit; }

    // Stores the slider's level; says "Save Successfully!" when it was stored.
    void Save();

private:
    QLayout* CreateSliderColumn();

    QSlider* m_pSlider = nullptr;
    QLabel* m_pDescription = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pExit = nullptr;
};
