#include "ui/settings/SettingsList.h"

#include "ui/widgets/RowKeys.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace {

constexpr int kTextInset = 3;
constexpr int kCheckInsetX = 3;
constexpr int kCheckInsetY = 2;

// Line breaks of any convention, for drawing only.
QString DisplayLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

SettingsCellDelegate::SettingsCellDelegate(std::vector<CellStyle> styles, QObject* parent)
    : QStyledItemDelegate(parent), m_styles(std::move(styles)) {}

void SettingsCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const auto column = static_cast<std::size_t>(index.column());
    const CellStyle style = column < m_styles.size() ? m_styles[column] : CellStyle::LeftLine;
    const QString text = index.data(Qt::DisplayRole).toString();

    painter->save();
    painter->fillRect(option.rect, Qt::white);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Active, QPalette::Text));
    const QRect inner = option.rect.adjusted(kTextInset, 0, -kTextInset, 0);
    switch (style) {
    case CellStyle::CheckBox:
        PaintCheckBox(painter, option, text == QLatin1String("1"));
        break;
    case CellStyle::CenteredLine:
        painter->drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, inner.width()));
        break;
    case CellStyle::LeftLine:
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, inner.width()));
        break;
    case CellStyle::WrappedTop:
        painter->setClipRect(option.rect);
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                          DisplayLines(text));
        break;
    }
    PaintCurrentCellFrame(painter, option);
    painter->restore();
}

void SettingsCellDelegate::PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option,
                                         bool ticked) const {
    const QRect area =
        option.rect.adjusted(kCheckInsetX, kCheckInsetY, -kCheckInsetX, -kCheckInsetY);
    const int side = std::min(area.width(), area.height());
    QStyleOptionButton box;
    box.rect = QRect(0, 0, side, side);
    box.rect.moveCenter(area.center());
    box.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

QTableWidget* CreateSettingsList(const std::vector<ListColumn>& columns, int rowHeight,
                                 QWidget* parent) {
    auto* list = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    std::vector<CellStyle> styles;
    QStringList headings;
    for (const ListColumn& column : columns) {
        styles.push_back(column.style);
        headings << column.heading;
    }
    list->setItemDelegate(new SettingsCellDelegate(std::move(styles), list));
    list->setHorizontalHeaderLabels(headings);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->setTabKeyNavigation(false);
    list->setCornerButtonEnabled(false);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QHeaderView* rows = list->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView* header = list->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setStretchLastSection(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    int width = 0;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const int w = columns[static_cast<std::size_t>(c)].width;
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        if (w == 0) {
            list->setColumnHidden(c, true);
        } else {
            list->setColumnWidth(c, w);
            width += w;
        }
    }
    list->setFixedWidth(width + 2 * list->frameWidth() +
                        list->verticalScrollBar()->sizeHint().width());
    return list;
}

int AppendListRow(QTableWidget* list, const QStringList& texts) {
    const int row = list->rowCount();
    list->insertRow(row);
    for (int c = 0; c < texts.size() && c < list->columnCount(); ++c)
        list->setItem(row, c, new QTableWidgetItem(texts[c]));
    return row;
}

QString ListCellText(const QTableWidget* list, int row, int column) {
    const QTableWidgetItem* item = list->item(row, column);
    return item ? item->text() : QString();
}

void SetListCellText(QTableWidget* list, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = list->item(row, column))
        item->setText(text);
    else
        list->setItem(row, column, new QTableWidgetItem(text));
}
