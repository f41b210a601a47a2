#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;
class QTableWidget;

// The "Tested Record" page of the person pane: the selected person's tests, newest first,
// with a pick mark per row. From here the operator opens one test's reports, deletes picked
// tests or compares two of them.
class CTabPage1 : public QWidget {
    Q_OBJECT

public:
    // The frame's pane switches, connected by the pane's owner.
    using ShowReportPane = std::function<void(int measId)>;
    using ShowComparePane = std::function<void(int firstMeasId, int secondMeasId)>;

    // Columns of the list.
    enum Column { Pick = 0, TestDate, TestTime, Name, Age, Sex, MeasId, ColumnCount };

    explicit CTabPage1(QWidget* parent = nullptr);

    void SetShowReportPane(ShowReportPane show) { m_showReportPane = std::move(show); }
    void SetShowComparePane(ShowComparePane show) { m_showComparePane = std::move(show); }

    // Lists the person's tests; 0 empties the list and keeps the current person.
    void FillRecordList(int examerId);
    int CurrentExamerID() const { return m_currentExamerId; }

    // The pick mark of a row ("1" in its first cell).
    void SetPickMark(int row, bool picked);
    bool IsPicked(int row) const;
    int RowCount() const;
    int MeasIdAt(int row) const;

    QTableWidget* List() const { return m_list; }

    // The three commands of the page.
    void OnGetReport();
    void OnDelReport();
    void OnComparative();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TogglePick(int row);
    std::vector<int> PickedMeasIds() const;

    QTableWidget* m_list = nullptr;
    QPushButton* m_getReport = nullptr;
    QPushButton* m_delReport = nullptr;
    QPushButton* m_comparative = nullptr;
    int m_currentExamerId = 0;
    ShowReportPane m_showReportPane;
    ShowComparePane m_showComparePane;
};
