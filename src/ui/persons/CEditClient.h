#pragma once

#include "ui/widgets/LoadingDialog.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace hv {
enum class PersonField;
}

// "the tested person information": creates a tested person (m_ExamerID 0) or edits one.
// The caller presets m_GroupID; after OK, m_ExamerID is the person's key (the new key for a
// new person) and m_GroupID the group chosen. The groups and the person are read whenever
// the dialog is about to show (exec, open or show); when they cannot be read the dialog ends
// with Cancel without showing.
class CEditClient : public LoadingDialog {
    Q_OBJECT

public:
    explicit CEditClient(QWidget* parent = nullptr);

    int m_ExamerID = 0;
    int m_GroupID = 0;

    // Save(&S): checks the entry in the order group, name, birthday, height, weight, writes
    // the row and ends with OK. A refused entry keeps the dialog open with every field as
    // typed and the focus on the field to correct.
    void OnSave();

protected:
    bool LoadEntry() override;

private:
    bool LoadGroups();
    bool LoadPerson();
    QWidget* FieldOf(hv::PersonField field) const;

    QComboBox* m_group = nullptr;       // 1053
    QLineEdit* m_name = nullptr;        // 1040
    QRadioButton* m_male = nullptr;     // 1041
    QRadioButton* m_female = nullptr;   // 1042
    QDateEdit* m_birthday = nullptr;    // 1043
    QLineEdit* m_height = nullptr;      // 1044
    QLineEdit* m_weight = nullptr;      // 1045
    QLineEdit* m_telephone = nullptr;   // 1046
    QLineEdit* m_mobile = nullptr;      // 1047
    QLineEdit* m_email = nullptr;       // 1048
    QLineEdit* m_company = nullptr;     // 1049
    QLineEdit* m_occupation = nullptr;  // 1050
    QLineEdit* m_address = nullptr;     // 1051
    QPlainTextEdit* m_remark = nullptr; // 1052
};
