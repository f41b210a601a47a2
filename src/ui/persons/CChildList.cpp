#include "ui/persons/CChildList.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"
#include "exchange/RegisterExport.h"
#include "persons/PersonStore.h"
#include "ui/persons/CEditClient.h"
#include "ui/persons/CEditGroup.h"
#include "ui/persons/CEditSearch.h"
#include "ui/persons/CImportPersons.h"
#include "ui/persons/CTabPage0.h"
#include "ui/persons/CTabPage1.h"
#include "ui/persons/PersonPictures.h"
#include "ui/widgets/FileDialog.h"
#include "ui/widgets/UiText.h"

#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

constexpr int kKeyRole = Qt::UserRole; // the item's GroupID or ExamerID
constexpr int kTabBarHeight = 34;

int Key(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toInt() : 0;
}
bool IsPerson(const QTreeWidgetItem* item) {
    return item && item->parent();
}

std::string Question(int stringId, const QString& itemText) {
    return hv::SubstitutePercentS(hv::LoadString(stringId), itemText.toStdString());
}

} // namespace

CChildList::CChildList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("personPane"));
    setAutoFillBackground(true);
    CreateTree();
    CreateButtons();
    CreateExchangeButtons();
    CreateTabs();
    FillTree();
}

void CChildList::CreateTree() {
    // The panel behind the tree and its buttons, in the button-face colour.
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("treePanel"));
    m_frame->setAutoFillBackground(true);
    m_frame->setBackgroundRole(QPalette::Button);
    m_frame->setFrameShape(QFrame::StyledPanel);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("personTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(24, 24));
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setUniformRowHeights(true);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CChildList::OnTreeSelectionChanged);
    m_tree->installEventFilter(this);
}

// Keys on the tree run the commands of the buttons for the selected item: Enter edits it,
// Delete deletes it, Insert adds a person.
bool CChildList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_tree || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QWidget::eventFilter(watched, event);
    const bool person = IsPerson(SelectedItem());
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        person ? OnEditPerson() : OnEditGroup();
        return true;
    case Qt::Key_Delete:
        person ? OnDeletePerson() : OnDeleteGroup();
        return true;
    case Qt::Key_Insert:
        OnAddPerson();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CChildList::CreateButtons() {
    m_clientBox = new QGroupBox(QStringLiteral("Client Records"), this);
    m_groupBox = new QGroupBox(QStringLiteral("Group Records"), this);
    struct ButtonDef {
        ButtonId id;
        const char* caption;
        void (CChildList::*command)();
    };
    const ButtonDef buttons[] = {
        {AddPerson, "Add", &CChildList::OnAddPerson},
        {EditPerson, "Edit", &CChildList::OnEditPerson},
        {DeletePerson, "Delete", &CChildList::OnDeletePerson},
        {SearchPerson, "Search", &CChildList::OnSearch},
        {AddGroup, "Add", &CChildList::OnAddGroup},
        {EditGroup, "Edit", &CChildList::OnEditGroup},
        {DeleteGroup, "Delete", &CChildList::OnDeleteGroup},
    };
    for (const ButtonDef& def : buttons) {
        // Created after the group boxes, so they lie above them.
        auto* button = new QPushButton(QString::fromLatin1(def.caption), this);
        button->setObjectName(QStringLiteral("btn%1").arg(def.id));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, def.command);
        m_buttons[def.id - AddPerson] = button;
    }
    m_buttons[AddPerson - AddPerson]->setToolTip(QStringLiteral("Add a tested person"));
    m_buttons[AddGroup - AddPerson]->setToolTip(QStringLiteral("Add a group"));
}

void CChildList::CreateExchangeButtons() {
    m_exchangeBox = new QGroupBox(UiText(hv::texts::kExchangeBox), this);
    m_exchangeBox->setObjectName(QStringLiteral("exchangeBox"));
    struct ButtonDef {
        ButtonId id;
        std::string_view caption;
        std::string_view tip;
        void (CChildList::*command)();
    };
    const ButtonDef buttons[] = {
        {ImportPersons, hv::texts::kImportButton, hv::texts::kImportCaption,
         &CChildList::OnImportPersons},
        {ExportPersons, hv::texts::kExportPersonsButton, hv::texts::kExportPersonsCaption,
         &CChildList::OnExportPersons},
        {ExportSummary, hv::texts::kExportSummaryButton, hv::texts::kExportSummaryCaption,
         &CChildList::OnExportSummary},
    };
    for (const ButtonDef& def : buttons) {
        auto* button = new QPushButton(UiText(def.caption), this);
        button->setObjectName(QStringLiteral("btn%1").arg(def.id));
        button->setAutoDefault(false);
        button->setToolTip(UiText(def.tip));
        connect(button, &QPushButton::clicked, this, def.command);
        m_exchangeButtons[def.id - ImportPersons] = button;
    }
}

void CChildList::CreateTabs() {
    m_tab = new QWidget(this);
    m_tab->setObjectName(QStringLiteral("personTabs"));
    m_tabFrame = new QFrame(m_tab);
    m_tabFrame->setFrameShape(QFrame::StyledPanel);
    m_tabBar = new QTabBar(m_tab);
    m_tabBar->setObjectName(QStringLiteral("personTabBar"));
    QFont tabFont = m_tabBar->font();
    tabFont.setPixelSize(16);
    m_tabBar->setFont(tabFont);
    m_tabBar->addTab(UiText(hv::ids::TabBasicInfo));
    m_tabBar->addTab(UiText(hv::ids::TabTestedRecord));
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_page0 = new CTabPage0(m_tab);
    m_page1 = new CTabPage1(m_tab);
    m_page1->hide();
    connect(m_tabBar, &QTabBar::currentChanged, this, [this] { SyncTabPages(); });
}

void CChildList::setShowReportPane(std::function<void(int)> show) {
    m_page1->SetShowReportPane(std::move(show));
}

void CChildList::setShowComparePane(std::function<void(int, int)> show) {
    m_page1->SetShowComparePane(std::move(show));
}

QPushButton* CChildList::Button(ButtonId id) const {
    const int index = id - AddPerson;
    if (index >= 0 && index < 7)
        return m_buttons[index];
    const int exchange = id - ImportPersons;
    return exchange >= 0 && exchange < 3 ? m_exchangeButtons[exchange] : nullptr;
}

QTreeWidgetItem* CChildList::AddGroupItem(int groupId, const QString& name) {
    auto* item = new QTreeWidgetItem(m_tree, {name});
    item->setData(0, kKeyRole, groupId);
    item->setIcon(0, TreeIcon(TreeImage::Group));
    return item;
}

bool CChildList::FillTree() {
    m_tree->clear();
    const auto tree = hv::LoadPersonTree();
    if (!tree)
        return false;
    m_tree->setUpdatesEnabled(false);
    const QIcon groupIcon = TreeIcon(TreeImage::Group);
    const QIcon maleIcon = TreeIcon(true);
    const QIcon femaleIcon = TreeIcon(false);
    QList<QTreeWidgetItem*> groups;
    groups.reserve(static_cast<qsizetype>(tree->size()));
    for (const hv::GroupNode& group : *tree) {
        auto* groupItem = new QTreeWidgetItem({QString::fromStdString(group.name)});
        groupItem->setData(0, kKeyRole, group.groupId);
        groupItem->setIcon(0, groupIcon);
        for (const hv::PersonNode& person : group.persons) {
            auto* personItem =
                new QTreeWidgetItem(groupItem, {QString::fromStdString(person.name)});
            personItem->setData(0, kKeyRole, person.examerId);
            personItem->setIcon(0, person.male ? maleIcon : femaleIcon);
        }
        groups.append(groupItem);
    }
    m_tree->addTopLevelItems(groups);
    m_tree->setUpdatesEnabled(true);
    m_tree->setFocus();
    return true;
}

QTreeWidgetItem* CChildList::FindExamerItem(QTreeWidgetItem* start, int examerId) const {
    if (examerId == 0 || start == nullptr)
        return nullptr;
    QTreeWidgetItem* parent = start->parent();
    const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
    const int first = parent ? parent->indexOfChild(start) : m_tree->indexOfTopLevelItem(start);
    for (int i = first; i < count; ++i) {
        QTreeWidgetItem* sibling = parent ? parent->child(i) : m_tree->topLevelItem(i);
        if (sibling->parent() && Key(sibling) == examerId)
            return sibling;
        if (sibling->childCount() > 0)
            if (QTreeWidgetItem* found = FindExamerItem(sibling->child(0), examerId))
                return found;
    }
    return nullptr;
}

QTreeWidgetItem* CChildList::SelectedItem() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

int CChildList::GetSelectedExamerID() const {
    const QTreeWidgetItem* item = SelectedItem();
    return IsPerson(item) ? Key(item) : 0;
}

void CChildList::SyncTabPages() {
    const bool records = m_tabBar->currentIndex() == 1;
    m_page0->setVisible(!records);
    m_page1->setVisible(records);
}

void CChildList::SelectExamer(int examerId) {
    QTreeWidgetItem* found = FindExamerItem(m_tree->topLevelItem(0), examerId);
    if (found) {
        found->parent()->setExpanded(true);
        m_tree->setCurrentItem(found);
        m_tree->scrollToItem(found);
    } else {
        m_tree->clearSelection();
        m_tree->setCurrentItem(nullptr);
    }
    m_tree->setFocus();
}

void CChildList::ShowNewTest(int examerId) {
    m_tabBar->setCurrentIndex(1);
    SyncTabPages();
    m_page1->FillRecordList(examerId);
    m_page1->SetPickMark(0, true);
}

void CChildList::OnTreeSelectionChanged() {
    const QTreeWidgetItem* item = SelectedItem();
    const bool person = IsPerson(item) && Key(item) != 0;
    Button(EditPerson)->setEnabled(person);
    Button(DeletePerson)->setEnabled(person);
    Button(EditGroup)->setEnabled(!person);
    Button(DeleteGroup)->setEnabled(!person);
    const int examerId = person ? Key(item) : 0;
    m_page0->ShowExamer(examerId);
    m_page1->FillRecordList(examerId);
}

void CChildList::RemoveItem(QTreeWidgetItem* item) {
    // Like a tree control, the selection moves on to a neighbour of the removed item, and
    // the pages follow it.
    delete item;
    QTreeWidgetItem* current = m_tree->currentItem();
    if (current && !current->isSelected())
        current->setSelected(true);
    else
        OnTreeSelectionChanged();
}

void CChildList::OnAddPerson() {
    QTreeWidgetItem* item = SelectedItem();
    if (IsPerson(item))
        item = item->parent();
    CEditClient editor(this);
    editor.m_ExamerID = 0;
    editor.m_GroupID = Key(item);
    if (editor.exec() != QDialog::Accepted)
        return;
    FillTree();
    SelectExamer(editor.m_ExamerID);
}

void CChildList::OnEditPerson() {
    QTreeWidgetItem* item = SelectedItem();
    if (!IsPerson(item) || Key(item) == 0)
        return;
    CEditClient editor(this);
    editor.m_ExamerID = Key(item);
    editor.m_GroupID = Key(item->parent());
    if (editor.exec() != QDialog::Accepted)
        return;
    FillTree();
    SelectExamer(editor.m_ExamerID);
}

void CChildList::OnDeletePerson() {
    QTreeWidgetItem* item = SelectedItem();
    if (!IsPerson(item))
        return;
    if (!hv::AskYesNo(Question(hv::ids::DeletePersonQuestion, item->text(0))))
        return;
    if (hv::DeletePerson(Key(item)))
        RemoveItem(item);
}

void CChildList::OnSearch() {
    CEditSearch search(this);
    if (search.exec() == QDialog::Accepted)
        SelectExamer(search.m_ExamerID);
}

void CChildList::OnAddGroup() {
    CEditGroup editor(this);
    editor.m_GroupID = 0;
    if (editor.exec() == QDialog::Accepted && editor.m_GroupID != 0)
        AddGroupItem(editor.m_GroupID, editor.m_Name);
}

void CChildList::OnEditGroup() {
    QTreeWidgetItem* item = SelectedItem();
    if (item == nullptr || IsPerson(item) || Key(item) == 0)
        return;
    CEditGroup editor(this);
    editor.m_GroupID = Key(item);
    if (editor.exec() == QDialog::Accepted)
        item->setText(0, editor.m_Name);
}

void CChildList::OnDeleteGroup() {
    QTreeWidgetItem* item = SelectedItem();
    if (item == nullptr || IsPerson(item))
        return;
    if (item->childCount() > 0) {
        hv::ShowMessage(hv::ids::GroupHasPersons);
        return;
    }
    if (!hv::AskYesNo(Question(hv::ids::DeleteGroupQuestion, item->text(0))))
        return;
    switch (hv::DeleteGroup(Key(item))) {
    case hv::GroupDeletion::Deleted:
        RemoveItem(item);
        break;
    case hv::GroupDeletion::HasPersons:
        // Persons were added to the group elsewhere: show them and keep the group.
        hv::ShowMessage(hv::ids::GroupHasPersons);
        FillTree();
        break;
    case hv::GroupDeletion::Failed:
        break;
    }
}

void CChildList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    auto h = [](int value) { return std::max(0, value); };
    m_frame->setGeometry(10, 10, 300, h(cy - 16));
    // The register exchange row sits between the tree and the person buttons.
    m_tree->setGeometry(18, 18, 284, h(cy - 197));
    m_exchangeBox->setGeometry(18, cy - 175, 284, 50);
    Button(ImportPersons)->setGeometry(25, cy - 157, 90, 25);
    Button(ExportPersons)->setGeometry(115, cy - 157, 90, 25);
    Button(ExportSummary)->setGeometry(205, cy - 157, 90, 25);
    m_clientBox->setGeometry(18, cy - 120, 284, 50);
    Button(AddPerson)->setGeometry(25, cy - 102, 60, 25);
    Button(EditPerson)->setGeometry(85, cy - 102, 73, 25);
    Button(DeletePerson)->setGeometry(158, cy - 102, 73, 25);
    Button(SearchPerson)->setGeometry(231, cy - 102, 60, 25);
    m_groupBox->setGeometry(18, cy - 65, 284, 50);
    Button(AddGroup)->setGeometry(25, cy - 47, 90, 25);
    Button(EditGroup)->setGeometry(115, cy - 47, 90, 25);
    Button(DeleteGroup)->setGeometry(205, cy - 47, 90, 25);
    m_tab->setGeometry(320, 10, h(cx - 330), h(cy - 16));
    LayoutTabs();
}

void CChildList::LayoutTabs() {
    const int w = m_tab->width();
    const int ht = m_tab->height();
    m_tabBar->setGeometry(0, 0, w, kTabBarHeight);
    m_tabFrame->setGeometry(0, kTabBarHeight - 1, w, std::max(0, ht - kTabBarHeight + 1));
    const QRect pages(8, 35, std::max(0, w - 16), std::max(0, ht - 43));
    m_page0->setGeometry(pages);
    m_page1->setGeometry(pages);
}

QTreeWidgetItem* CChildList::SelectedGroupItem() const {
    QTreeWidgetItem* item = SelectedItem();
    return IsPerson(item) ? item->parent() : item;
}

void CChildList::OnImportPersons() {
    QTreeWidgetItem* group = SelectedGroupItem();
    if (group == nullptr || Key(group) == 0) {
        hv::ShowMessage(std::string(hv::texts::kImportChooseGroup));
        return;
    }
    const QString file = FileDialog::getOpenFileName(
        this, UiText(hv::texts::kImportCaption), QString(), UiText(hv::texts::kImportFileFilter));
    if (file.isEmpty())
        return;
    const int groupId = Key(group);
    CImportPersons preview(file, groupId, group->text(0), this);
    preview.StartReading();
    if (preview.exec() != QDialog::Accepted)
        return;
    FillTree();
    const std::vector<int>& added = preview.NewExamerIDs();
    if (!added.empty())
        SelectExamer(added.front());
}

void CChildList::ExportGroup(std::string_view caption, const QString& proposedName, bool summary) {
    QTreeWidgetItem* group = SelectedGroupItem();
    if (group == nullptr || Key(group) == 0) {
        hv::ShowMessage(std::string(hv::texts::kExportChooseGroup));
        return;
    }
    const QString proposed = FileDialog::OnDesktop(group->text(0) + proposedName);
    const QString file = FileDialog::getSaveFileName(this, UiText(caption), proposed,
                                                     UiText(hv::texts::kExportFileFilter));
    if (file.isEmpty())
        return;
    const std::filesystem::path target(file.toStdString());
    const hv::ExportOutcome outcome =
        summary ? hv::ExportSummary(Key(group), target) : hv::ExportPersons(Key(group), target);
    if (!outcome.written && !outcome.message.empty())
        hv::ShowMessage(outcome.message);
}

void CChildList::OnExportPersons() {
    ExportGroup(hv::texts::kExportPersonsCaption, QStringLiteral(" persons.csv"), false);
}

void CChildList::OnExportSummary() {
    ExportGroup(hv::texts::kExportSummaryCaption, QStringLiteral(" results.csv"), true);
}
