#pragma once

#include <QDialog>

class QButtonGroup;
class QRadioButton;
class QPushButton;

// "Preferences": the three switches of the settings row that decide what the report pages
// generated from now on contain. OK stores them and closes; Exit closes without storing.
// When the database cannot be read the window does not appear.
class CDlgSetPref : public QDialog {
    Q_OBJECT

public:
    explicit CDlgSetPref(QWidget* parent = nullptr);

    // False when the settings could not be read; exec() then returns Rejected at once.
    bool IsLoaded() const { return m_loaded; }
    int exec() override;

    // The radio pairs, first button (Yes, Yes, Graph) then second (No, No, Text).
    QRadioButton* StandardYes() const { return m_radios[0]; }
    QRadioButton* StandardNo() const { return m_radios[1]; }
    QRadioButton* DescriptionYes() const { return m_radios[2]; }
    QRadioButton* DescriptionNo() const { return m_radios[3]; }
    QRadioButton* GraphMode() const { return m_radios[4]; }
    QRadioButton* TextMode() const { return m_radios[5]; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* ExitButton() const { return m_pExit; }

    // Stores the switches; closes with OK when they were stored.
    void Save();

private:
    void CreateControls();
    bool Load();

    QRadioButton* m_radios[6] = {};
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pExit = nullptr;
    bool m_loaded = false;
};
