#include "ui/widgets/RowKeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>
#include <algorithm>

RowKeys::RowKeys(QAbstractItemView* list, std::vector<Qt::Key> keys, Command command)
    : QObject(list), m_list(list), m_keys(std::move(keys)), m_command(std::move(command)) {
    m_list->installEventFilter(this);
}

void RowKeys::Add(QAbstractItemView* list, std::vector<Qt::Key> keys, Command command) {
    new RowKeys(list, std::move(keys), std::move(command));
}

bool RowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ours =
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        std::find(m_keys.begin(), m_keys.end(), static_cast<Qt::Key>(key->key())) != m_keys.end();
    const int row = m_list->currentIndex().row();
    if (!ours || row < 0)
        return QObject::eventFilter(watched, event);
    m_command(row);
    return true;
}

void PaintCurrentCellFrame(QPainter* painter, const QStyleOptionViewItem& option) {
    if (!(option.state & QStyle::State_HasFocus))
        return;
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(option);
    frame.rect = option.rect.adjusted(1, 1, -1, -1);
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = Qt::white;
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, option.widget);
}
