#pragma once

#include "ui/widgets/LoadingDialog.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// "Group Info": creates a group (m_GroupID 0) or renames one. After OK, m_GroupID holds the
// group's key and m_Name the name as saved. The group is read whenever the dialog is about to
// show (exec, open or show); one that cannot be read ends the dialog with Cancel without
// showing.
class CEditGroup : public LoadingDialog {
    Q_OBJECT

public:
    explicit CEditGroup(QWidget* parent = nullptr);

    int m_GroupID = 0;
    QString m_Name;

    // Save(&S): checks the name, writes the row and ends with OK; stays open when nothing
    // could be written.
    void OnSave();

protected:
    bool LoadEntry() override;

private:
    QLineEdit* m_nameEdit = nullptr;
    QPlainTextEdit* m_remarkEdit = nullptr;
};
