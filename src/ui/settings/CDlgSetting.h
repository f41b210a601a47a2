#pragma once

#include <QDialog>

class QPushButton;

// "Personalization": a hub whose buttons open the report selection, the preferences and
// the sensitivity windows. It reads and writes nothing itself.
class CDlgSetting : public QDialog {
    Q_OBJECT

public:
    explicit CDlgSetting(QWidget* parent = nullptr);

    QPushButton* ReportSettingButton() const { return m_pReportSetting; }
    QPushButton* PreferencesButton() const { return m_pPreferences; }
    QPushButton* SensitivityButton() const { return m_pSensitivity; }
    QPushButton* ExitButton() const { return m_pExit; }

    void RunReportSetting();
    void RunPreferences();
    void RunSensitivity();

private:
    QPushButton* m_pReportSetting = nullptr;
    QPushButton* m_pPreferences = nullptr;
    QPushButton* m_pSensitivity = nullptr;
    QPushButton* m_pExit = nullptr;
};
