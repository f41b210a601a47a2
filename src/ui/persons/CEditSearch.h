#pragma once

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QTableWidget;

// "Search tested person": finds persons by any combination of their fields, newest first,
// and lets the operator pick one. After OK, m_ExamerID is the picked person (0 when a
// double click missed every row).
class CEditSearch : public QDialog {
    Q_OBJECT

public:
    explicit CEditSearch(QWidget* parent = nullptr);

    int m_ExamerID = 0;

    QTableWidget* ResultList() const { return m_results; }

    // Search(&S): lists the matches; with no condition given the previous results stay.
    void OnSearch();
    // Select(&C): picks the selected result row.
    void OnSelect();
    // Clear(&U): empties the conditions and the results.
    void OnClear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_name = nullptr;      // 1063
    QRadioButton* m_male = nullptr;   // 1061
    QRadioButton* m_female = nullptr; // 1062
    QButtonGroup* m_sexes = nullptr;
    QLineEdit* m_height = nullptr;     // 1064
    QLineEdit* m_weight = nullptr;     // 1065
    QLineEdit* m_mobile = nullptr;     // 1066
    QLineEdit* m_telephone = nullptr;  // 1067
    QLineEdit* m_company = nullptr;    // 1068
    QLineEdit* m_occupation = nullptr; // 1069
    QLineEdit* m_address = nullptr;    // 1070
    QTableWidget* m_results = nullptr; // 1071
};
