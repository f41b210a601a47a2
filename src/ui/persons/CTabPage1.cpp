#include "ui/persons/CTabPage1.h"

#include "common/OleDate.h"
#include "data/MessageSink.h"
#include "data/StringTable.h"
#include "persons/TestRecords.h"
#include "ui/persons/CProgress.h"
#include "ui/persons/PickListDelegate.h"
#include "ui/widgets/RowKeys.h"
#include "ui/widgets/UiText.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int kBandHeight = 51;   // the striped band under the list
constexpr int kListGap = 55;      // the list leaves this much room at the bottom
constexpr int kButtonsAbove = 40; // the buttons' top, counted from the bottom
const QString kPicked = QStringLiteral("1");

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    QFont font = button->font();
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    button->setFont(font);
    button->setAutoDefault(false);
    button->resize(std::max(button->sizeHint().width() + 16, 130), 30);
    return button;
}

} // namespace

CTabPage1::CTabPage1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("testedRecordPage"));

    m_list = new QTableWidget(0, ColumnCount, this);
    m_list->setObjectName(QStringLiteral("recordList"));
    m_list->setHorizontalHeaderLabels(
        {UiText(hv::ids::ColSelect), UiText(hv::ids::ColTestDate), UiText(hv::ids::ColTestTime),
         UiText(hv::ids::ColName), UiText(hv::ids::ColAge), UiText(hv::ids::ColSex), QString()});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_list->horizontalHeader()->setStretchLastSection(false);
    const int widths[] = {70, 120, 120, 120, 80, 80};
    for (int column = 0; column < MeasId; ++column)
        m_list->setColumnWidth(column, widths[column]);
    m_list->setColumnHidden(MeasId, true);
    m_list->verticalHeader()->hide();
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setItemDelegate(new PickListDelegate(m_list));
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    m_list->setPalette(palette);
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == Pick)
            TogglePick(row);
    });
    // Space picks or unpicks the current row, as a click on its first cell does.
    RowKeys::Add(m_list, {Qt::Key_Space}, [this](int row) { TogglePick(row); });

    m_getReport = MakeButton(QStringLiteral("Get Report(&E)"), QStringLiteral("btn1026"), this);
    m_delReport = MakeButton(QStringLiteral("Del Report(&D)"), QStringLiteral("btn1027"), this);
    m_comparative = MakeButton(QStringLiteral("Comparative(&F)"), QStringLiteral("btn1145"), this);
    connect(m_getReport, &QPushButton::clicked, this, &CTabPage1::OnGetReport);
    connect(m_delReport, &QPushButton::clicked, this, &CTabPage1::OnDelReport);
    connect(m_comparative, &QPushButton::clicked, this, &CTabPage1::OnComparative);
}

void CTabPage1::FillRecordList(int examerId) {
    m_list->setRowCount(0);
    if (examerId == 0)
        return;
    m_currentExamerId = examerId;
    const auto rows = hv::LoadTestRecords(examerId, hv::OleNow());
    if (!rows)
        return;
    m_list->setUpdatesEnabled(false);
    m_list->setRowCount(static_cast<int>(rows->size()));
    for (int r = 0; r < static_cast<int>(rows->size()); ++r) {
        const hv::TestRecordRow& row = (*rows)[static_cast<std::size_t>(r)];
        const QString cells[ColumnCount] = {
            QString(),
            QString::fromStdString(row.date),
            QString::fromStdString(row.time),
            QString::fromStdString(row.name),
            QString::fromStdString(row.age),
            QString::fromStdString(row.sex),
            QString::number(row.measId),
        };
        for (int column = 0; column < ColumnCount; ++column)
            m_list->setItem(r, column, new QTableWidgetItem(cells[column]));
    }
    m_list->setUpdatesEnabled(true);
}

void CTabPage1::SetPickMark(int row, bool picked) {
    if (QTableWidgetItem* item = m_list->item(row, Pick))
        item->setText(picked ? kPicked : QStringLiteral("0"));
}

bool CTabPage1::IsPicked(int row) const {
    const QTableWidgetItem* item = m_list->item(row, Pick);
    return item && item->text() == kPicked;
}

int CTabPage1::RowCount() const {
    return m_list->rowCount();
}

int CTabPage1::MeasIdAt(int row) const {
    const QTableWidgetItem* item = m_list->item(row, MeasId);
    return item ? item->text().toInt() : 0;
}

void CTabPage1::TogglePick(int row) {
    SetPickMark(row, !IsPicked(row));
}

std::vector<int> CTabPage1::PickedMeasIds() const {
    std::vector<int> ids;
    for (int row = 0; row < RowCount(); ++row)
        if (IsPicked(row))
            ids.push_back(MeasIdAt(row));
    return ids;
}

void CTabPage1::OnGetReport() {
    // The upper (newest) picked test; further picks are ignored.
    const std::vector<int> picked = PickedMeasIds();
    const int measId = picked.empty() ? 0 : picked.front();
    if (measId == 0) {
        hv::ShowMessage(hv::ids::SelectRecordForReport);
        return;
    }
    CProgress progress(this);
    progress.m_MeasID = measId;
    if (progress.exec() == QDialog::Accepted && m_showReportPane)
        m_showReportPane(measId);
}

void CTabPage1::OnDelReport() {
    const std::vector<int> picked = PickedMeasIds();
    if (picked.empty()) {
        hv::ShowMessage(hv::ids::SelectRecordsToDelete);
        return;
    }
    if (!hv::AskYesNo(hv::ids::DeleteRecordsQuestion))
        return;
    if (hv::DeleteTests(picked))
        FillRecordList(m_currentExamerId);
}

void CTabPage1::OnComparative() {
    const std::vector<int> picked = PickedMeasIds();
    if (picked.size() != 2) {
        hv::ShowMessage(hv::ids::SelectTwoRecords);
        return;
    }
    if (m_showComparePane)
        m_showComparePane(picked[0], picked[1]);
}

void CTabPage1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    m_list->setGeometry(0, 0, cx, std::max(0, cy - kListGap));
    const int w1 = m_getReport->width();
    const int w2 = m_delReport->width();
    m_getReport->move(20, cy - kButtonsAbove);
    m_delReport->move(w1 + 40, cy - kButtonsAbove);
    m_comparative->move(w1 + w2 + 100, cy - kButtonsAbove);
}

void CTabPage1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = height() - kBandHeight;
    const int right = width() - 1;
    // One-pixel stripes between the band's border lines.
    for (int offset = 1; offset < kBandHeight - 1; ++offset) {
        painter.setPen(offset % 2 ? QColor(240, 240, 240) : QColor(200, 200, 200));
        painter.drawLine(1, top + offset, right - 1, top + offset);
    }
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(0, top, right, top);
    painter.drawLine(0, top + kBandHeight - 1, right, top + kBandHeight - 1);
    painter.drawLine(0, top, 0, top + kBandHeight - 1);
    painter.drawLine(right, top, right, top + kBandHeight - 1);
}
