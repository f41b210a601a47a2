#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

// "Group Info": creates a group (m_GroupID 0) or renames one. After OK, m_GroupID holds the
// group's key and m_Name the name as saved. A group that cannot be read ends the dialog
// with Cancel before it shows.
class CEditGroup : public QDialog {
    Q_OBJECT

public:
    explicit CEditGroup(QWidget* parent = nullptr);

    int m_GroupID = 0;
    QString m_Name;

    int exec() override;

    // Save(&S): checks the name, writes the row and ends with OK; stays open when nothing
    // could be written.
    void OnSave();

private:
    QLineEdit* m_nameEdit = nullptr;
    QPlainTextEdit* m_remarkEdit = nullptr;
};
