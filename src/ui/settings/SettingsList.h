#pragma once

#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>
#include <vector>

class QTableWidget;

// How a cell of a settings list is drawn. Every cell is filled white first, its text inset
// 3 pixels left and right; rows are never drawn highlighted, the current cell of a list with
// the focus is framed.
enum class CellStyle {
    CenteredLine, // one line, centred both ways
    LeftLine,     // one line, left, vertically centred
    WrappedTop,   // left, from the top, word-wrapped over as many lines as fit
    CheckBox,     // a check box, ticked when the text is "1"
};

struct ListColumn {
    QString heading;
    int width; // 0 hides the column
    CellStyle style;
};

// Draws the cells of a settings list by their column's style.
class SettingsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    SettingsCellDelegate(std::vector<CellStyle> styles, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintCheckBox(QPainter* painter, const QStyleOptionViewItem& option, bool ticked) const;

    std::vector<CellStyle> m_styles;
};

// A report-style list for the settings windows: single full-row selection, grid lines,
// centred headings, no row headers, fixed column widths and rows of one fixed height. Its
// cells are not editable; the windows change them.
QTableWidget* CreateSettingsList(const std::vector<ListColumn>& columns, int rowHeight,
                                 QWidget* parent);

// Appends a row with one text per column; returns its index.
int AppendListRow(QTableWidget* list, const QStringList& texts);

QString ListCellText(const QTableWidget* list, int row, int column);
void SetListCellText(QTableWidget* list, int row, int column, const QString& text);
