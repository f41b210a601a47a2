#pragma once

#include <QWidget>
#include <functional>
#include <string_view>

class CTabPage0;
class CTabPage1;
class QFrame;
class QGroupBox;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

// The person pane: the tree of groups and tested persons with their commands on the left,
// the selected person's "Basic Info" and "Tested Record" pages on the right. It lives as
// long as the main frame, which only shows and hides it. Every change is written to the
// database at once; the pane keeps nothing but the tree items.
class CChildList : public QWidget {
    Q_OBJECT

public:
    // Control ids of the pane's buttons (the buttons' object names are "btn<id>").
    enum ButtonId {
        AddPerson = 1013,
        EditPerson = 1014,
        DeletePerson = 1015,
        SearchPerson = 1016,
        AddGroup = 1017,
        EditGroup = 1018,
        DeleteGroup = 1019,
        // The register exchange row: persons from and to spreadsheet files.
        ImportPersons = 1025,
        ExportPersons = 1026,
        ExportSummary = 1027,
    };

    explicit CChildList(QWidget* parent = nullptr);

    // The frame's pane switches used by the "Tested Record" page.
    void setShowReportPane(std::function<void(int measId)> show);
    void setShowComparePane(std::function<void(int firstMeasId, int secondMeasId)> show);

    // Rebuilds the tree from the database, every group collapsed; false when it could not
    // be read (the tree is then empty).
    bool FillTree();
    // The person item with this key among start, its following siblings and their
    // children; null for key 0 or when there is none.
    QTreeWidgetItem* FindExamerItem(QTreeWidgetItem* start, int examerId) const;
    // The key (ExamerID) of the person selected in the tree; 0 when no person is selected.
    int GetSelectedExamerID() const;
    // Shows the page of the tab bar's current tab and hides the other.
    void SyncTabPages();
    // Selects the person's item with its group expanded and the focus in the tree; clears
    // the selection when the person is not in the tree.
    void SelectExamer(int examerId);

    // After a test was saved: the "Tested Record" page with the person's tests, the new
    // test (the first row) picked.
    void ShowNewTest(int examerId);

    QTreeWidget* Tree() const { return m_tree; }
    QTabBar* TabBar() const { return m_tabBar; }
    CTabPage0* BasicInfoPage() const { return m_page0; }
    CTabPage1* RecordPage() const { return m_page1; }
    QPushButton* Button(ButtonId id) const;

    // The commands of the buttons.
    void OnAddPerson();
    void OnEditPerson();
    void OnDeletePerson();
    void OnSearch();
    void OnAddGroup();
    void OnEditGroup();
    void OnDeleteGroup();
    void OnImportPersons();
    void OnExportPersons();
    void OnExportSummary();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTree();
    void CreateButtons();
    void CreateTabs();
    void LayoutTabs();
    void OnTreeSelectionChanged();
    QTreeWidgetItem* SelectedItem() const;
    // The group of the selected item (the item itself or a person's parent); null when
    // nothing is selected.
    QTreeWidgetItem* SelectedGroupItem() const;
    void CreateExchangeButtons();
    void ExportGroup(std::string_view caption, const QString& proposedName, bool summary);
    QTreeWidgetItem* AddGroupItem(int groupId, const QString& name);
    void RemoveItem(QTreeWidgetItem* item);

    QFrame* m_frame = nullptr;        // 1021
    QTreeWidget* m_tree = nullptr;    // 1011
    QGroupBox* m_clientBox = nullptr; // 1023
    QGroupBox* m_groupBox = nullptr;  // 1024
    QPushButton* m_buttons[7] = {};   // 1013 .. 1019
    QGroupBox* m_exchangeBox = nullptr;
    QPushButton* m_exchangeButtons[3] = {}; // 1025 .. 1027
    QWidget* m_tab = nullptr;               // 1012
    QTabBar* m_tabBar = nullptr;
    QFrame* m_tabFrame = nullptr;
    CTabPage0* m_page0 = nullptr;
    CTabPage1* m_page1 = nullptr;
};
