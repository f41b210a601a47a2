#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QPlainTextEdit;
class QPushButton;
class QTableWidget;
namespace hv {
struct AdviceLists;
}

// "Edit Expert Advice": the advice texts of both kinds in two lists with tall,
// word-wrapped rows. A click on an advice cell, or F2 in a list, opens an edit box over it;
// when the box loses the focus (Tab and Shift+Tab return to the list) its text goes back
// into the row it was opened on. Save writes every row and closes; Exit closes and forgets
// the edits. Enter neither closes the window nor ends an edit.
class CDlgSuggest : public QDialog {
    Q_OBJECT

public:
    enum Column { ColNo = 0, ColSystem = 1, ColAdvice = 2, ColOrderNo = 3 };
    enum ListIndex { HiddenProblems = 0, SubHealthTrends = 1 };
    static constexpr int kRowHeight = 50;

    explicit CDlgSuggest(QWidget* parent = nullptr);

    QTableWidget* List(int index) const { return m_lists[static_cast<std::size_t>(index)]; }
    QPlainTextEdit* Editor() const { return m_pEditor; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* ExitButton() const { return m_pExit; }

    // Opens the edit box over the advice cell of a row (what a click on that cell does).
    void StartEdit(int listIndex, int row);
    // Puts the edit box's text into the row it was opened on and hides the box.
    void EndEdit();
    bool IsEditing() const;
    int EditedList() const { return m_editedList; }
    int EditedRow(int listIndex) const { return m_editedRow[static_cast<std::size_t>(listIndex)]; }

    // Writes every row, changed or not, and closes with the Cancel result once all rows were
    // visited.
    void Save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidget* CreateList(int index, QWidget* frame);
    void Load();
    hv::AdviceLists CollectRows() const;
    QString EditedText() const;

    std::array<QTableWidget*, 2> m_lists{};
    QPlainTextEdit* m_pEditor = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pExit = nullptr;
    int m_editedList = HiddenProblems;
    std::array<int, 2> m_editedRow{-1, -1};
    QString m_textBeforeEdit; // the cell's text when the box opened
};
