#include "ui/settings/CDlgSetRept.h"

#include "data/MessageSink.h"
#include "data/StringTable.h"
#include "settings/ReportSelection.h"
#include "ui/settings/SettingsList.h"
#include "ui/widgets/RowKeys.h"
#include "ui/widgets/UiText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

namespace {

constexpr int kRowHeight = 20;
constexpr int kVisibleRows = 20;

const QString kShown = QStringLiteral("1");
const QString kHidden = QStringLiteral("0");

} // namespace

CDlgSetRept::CDlgSetRept(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Display report setting"));

    auto* male = new QGroupBox(QStringLiteral("The report of male"), this);
    auto* female = new QGroupBox(QStringLiteral("The report of female"), this);
    m_pMaleList = CreateList(QStringLiteral("maleList"), male);
    m_pFemaleList = CreateList(QStringLiteral("femaleList"), female);

    m_pSave = new QPushButton(QStringLiteral("Save(&S)"), this);
    m_pExit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    m_pSave->setDefault(true);
    connect(m_pSave, &QPushButton::clicked, this, &CDlgSetRept::Save);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* lists = new QHBoxLayout;
    lists->addWidget(male);
    lists->addWidget(female);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pSave);
    buttons->addWidget(m_pExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_loaded = Load();
}

QTableWidget* CDlgSetRept::CreateList(const QString& name, QWidget* frame) {
    QTableWidget* list =
        CreateSettingsList({{UiText(hv::ids::ColNo), 70, CellStyle::CenteredLine},
                            {UiText(hv::ids::ColReportName), 140, CellStyle::LeftLine},
                            {UiText(hv::ids::ColIndicate), 70, CellStyle::CheckBox},
                            {QString(), 0, CellStyle::LeftLine}},
                           kRowHeight, frame);
    list->setObjectName(name);
    list->setFixedHeight(list->horizontalHeader()->sizeHint().height() + kVisibleRows * kRowHeight +
                         2 * list->frameWidth());
    connect(list, &QTableWidget::cellClicked, this,
            [list](int row, int column) { ToggleFlag(list, row, column); });
    // Space ticks or clears the current row's report, as a click on its check box does.
    RowKeys::Add(list, {Qt::Key_Space}, [list](int row) { ToggleFlag(list, row, ColIndicate); });
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(list);
    return list;
}

bool CDlgSetRept::Load() {
    const std::optional<hv::ReportChoiceLists> lists = hv::LoadReportChoices();
    if (!lists)
        return false;
    Fill(m_pMaleList, lists->male);
    Fill(m_pFemaleList, lists->female);
    return true;
}

void CDlgSetRept::Fill(QTableWidget* list, const std::vector<hv::ReportChoice>& choices) {
    list->setRowCount(0);
    int n = 0;
    for (const hv::ReportChoice& choice : choices)
        AppendListRow(list,
                      {QString::number(++n), QString::fromStdString(choice.reportName),
                       choice.shown ? kShown : kHidden, QString::fromStdString(choice.reportNo)});
}

std::vector<hv::ReportChoice> CDlgSetRept::Choices(const QTableWidget* list) {
    std::vector<hv::ReportChoice> choices;
    for (int row = 0; row < list->rowCount(); ++row)
        choices.push_back({ListCellText(list, row, ColReportNo).toStdString(),
                           ListCellText(list, row, ColName).toStdString(),
                           ListCellText(list, row, ColIndicate) == kShown});
    return choices;
}

void CDlgSetRept::ToggleFlag(QTableWidget* list, int row, int column) {
    if (column != ColIndicate)
        return;
    const bool shown = ListCellText(list, row, ColIndicate) == kShown;
    SetListCellText(list, row, ColIndicate, shown ? kHidden : kShown);
}

int CDlgSetRept::exec() {
    if (!m_loaded) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

void CDlgSetRept::Save() {
    if (hv::SaveReportChoices({Choices(m_pMaleList), Choices(m_pFemaleList)}))
        hv::ShowMessage(hv::ids::SaveSuccessfully);
}
