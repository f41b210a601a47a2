#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAbstractItemView;
class QPainter;
class QStyleOptionViewItem;

// Gives a list's rows a keyboard command: while the list has the focus, each of the keys
// runs the command on its current row, as a click would on that row.
class RowKeys : public QObject {
    Q_OBJECT

public:
    using Command = std::function<void(int row)>;

    // The filter belongs to the list and lives as long as it.
    static void Add(QAbstractItemView* list, std::vector<Qt::Key> keys, Command command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RowKeys(QAbstractItemView* list, std::vector<Qt::Key> keys, Command command);

    QAbstractItemView* m_list;
    std::vector<Qt::Key> m_keys;
    Command m_command;
};

// Frames the current cell of a list that has the focus, for lists whose rows are never drawn
// highlighted: without it a keyboard user could not see which row a key would act on.
void PaintCurrentCellFrame(QPainter* painter, const QStyleOptionViewItem& option);
