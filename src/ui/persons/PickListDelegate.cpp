#include "ui/persons/PickListDelegate.h"

#include "ui/widgets/RowKeys.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

constexpr int kPickColumn = 0;
constexpr int kNameColumn = 3;
constexpr int kKeyColumn = 6;

} // namespace

void PickListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    painter->fillRect(option.rect, Qt::white);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (index.column() == kPickColumn) {
        // A check box inside the cell, 3 pixels in from the sides and 2 from top and bottom.
        const QRect inner = option.rect.adjusted(3, 2, -3, -2);
        const int side = std::min(inner.height(), inner.width());
        QStyleOptionButton box;
        box.rect = QRect(inner.center().x() - side / 2, inner.top(), side, side);
        box.state = QStyle::State_Enabled |
                    (text == QStringLiteral("1") ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    } else {
        const bool left = index.column() == kNameColumn || index.column() == kKeyColumn;
        const QRect inner = option.rect.adjusted(3, 0, -3, 0);
        painter->setPen(option.palette.color(QPalette::Active, QPalette::Text));
        painter->setFont(option.font);
        const QString shown = option.fontMetrics.elidedText(text, Qt::ElideRight, inner.width());
        painter->drawText(inner, (left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                          shown);
    }
    PaintCurrentCellFrame(painter, option);
    painter->restore();
}
