#pragma once

#include <QDialog>
#include <vector>

class QPushButton;
class QTableWidget;
namespace hv {
struct ReportChoice;
}

// "Display report setting": which reports the report browser offers to men and to women.
// A click in the Indicate column, or Space on a row, ticks or clears a report; Save writes
// every flag of both lists and keeps the window open. When the database cannot be read the window
// does not appear.
class CDlgSetRept : public QDialog {
    Q_OBJECT

public:
    // The columns of both lists.
    enum Column { ColNo = 0, ColName = 1, ColIndicate = 2, ColReportNo = 3 };

    explicit CDlgSetRept(QWidget* parent = nullptr);

    bool IsLoaded() const { return m_loaded; }
    int exec() override;

    QTableWidget* MaleList() const { return m_pMaleList; }
    QTableWidget* FemaleList() const { return m_pFemaleList; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* ExitButton() const { return m_pExit; }

    // Writes both lists; says "Save Successfully!" when every flag was stored.
    void Save();

private:
    QTableWidget* CreateList(const QString& name, QWidget* frame);
    bool Load();
    static void Fill(QTableWidget* list, const std::vector<hv::ReportChoice>& choices);
    static std::vector<hv::ReportChoice> Choices(const QTableWidget* list);
    static void ToggleFlag(QTableWidget* list, int row, int column);

    QTableWidget* m_pMaleList = nullptr;
    QTableWidget* m_pFemaleList = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pExit = nullptr;
    bool m_loaded = false;
};
