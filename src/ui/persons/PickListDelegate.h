#pragma once

#include <QStyledItemDelegate>

// Draws the test list: every cell on white, never highlighted; the first column as a check
// box ticked when its text is "1"; the name and key columns left-aligned, the others centred.
class PickListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
