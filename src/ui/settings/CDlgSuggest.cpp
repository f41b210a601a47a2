#include "ui/settings/CDlgSuggest.h"

#include "data/StringTable.h"
#include "settings/ExpertAdvice.h"
#include "ui/settings/SettingsList.h"
#include "ui/widgets/RowKeys.h"
#include "ui/widgets/UiText.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int kVisibleRows = 5;
constexpr int kCaretWidth = 1;

const char* const kFrameTitles[] = {"About the probably hidden problems",
                                    "About the problems of sub-health trends"};

} // namespace

CDlgSuggest::CDlgSuggest(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Edit Expert Advice"));

    auto* layout = new QVBoxLayout(this);
    for (int index : {HiddenProblems, SubHealthTrends}) {
        auto* frame = new QGroupBox(QString::fromLatin1(kFrameTitles[index]), this);
        auto* frameLayout = new QVBoxLayout(frame);
        m_lists[static_cast<std::size_t>(index)] = CreateList(index, frame);
        frameLayout->addWidget(List(index));
        layout->addWidget(frame);
    }

    // Enter does nothing here: no button is the default, none takes Enter when focused.
    m_pSave = new QPushButton(QStringLiteral("Save(&S)"), this);
    m_pExit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    for (QPushButton* button : {m_pSave, m_pExit}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(m_pSave, &QPushButton::clicked, this, &CDlgSuggest::Save);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pSave);
    buttons->addWidget(m_pExit);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The in-place edit box floats over the lists and belongs to no layout.
    m_pEditor = new QPlainTextEdit(this);
    m_pEditor->setObjectName(QStringLiteral("adviceEditor"));
    m_pEditor->setFont(font());
    m_pEditor->setCursorWidth(kCaretWidth);
    m_pEditor->setTabChangesFocus(true);
    m_pEditor->hide();
    m_pEditor->installEventFilter(this);

    setTabOrder(List(HiddenProblems), List(SubHealthTrends));
    setTabOrder(List(SubHealthTrends), m_pSave);
    setTabOrder(m_pSave, m_pExit);

    Load();
}

QTableWidget* CDlgSuggest::CreateList(int index, QWidget* frame) {
    QTableWidget* list =
        CreateSettingsList({{QString(), 40, CellStyle::CenteredLine},
                            {UiText(hv::ids::ColSystem), 180, CellStyle::LeftLine},
                            {UiText(hv::ids::ColExpertAdvice), 500, CellStyle::WrappedTop},
                            {QString(), 0, CellStyle::LeftLine}},
                           kRowHeight, frame);
    list->setObjectName(index == HiddenProblems ? QStringLiteral("hiddenProblemsList")
                                                : QStringLiteral("subHealthTrendsList"));
    list->setFixedHeight(list->horizontalHeader()->sizeHint().height() + kVisibleRows * kRowHeight +
                         2 * list->frameWidth());
    connect(list, &QTableWidget::cellClicked, this, [this, index](int row, int column) {
        if (column == ColAdvice)
            StartEdit(index, row);
    });
    // F2 opens the box over the current row's advice, as a click on it does.
    RowKeys::Add(list, {Qt::Key_F2}, [this, index](int row) { StartEdit(index, row); });
    // A box left over a scrolled list would sit over another row: end the edit instead.
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (IsEditing())
            EndEdit();
    });
    return list;
}

void CDlgSuggest::Load() {
    const hv::AdviceLists advice = hv::LoadAdvice();
    for (int index : {HiddenProblems, SubHealthTrends}) {
        const auto& rows = index == HiddenProblems ? advice.hidden : advice.subHealth;
        QTableWidget* list = List(index);
        int n = 0;
        for (const hv::AdviceRow& row : rows)
            AppendListRow(list,
                          {QString::number(++n), QString::fromStdString(row.system),
                           QString::fromStdString(row.suggest), QString::number(row.orderNo)});
    }
}

bool CDlgSuggest::IsEditing() const {
    return m_pEditor->isVisible();
}

void CDlgSuggest::StartEdit(int listIndex, int row) {
    QTableWidget* list = List(listIndex);
    if (row < 0 || row >= list->rowCount())
        return;
    if (IsEditing())
        EndEdit();
    list->scrollToItem(list->item(row, ColAdvice));
    const QRect cell = list->visualItemRect(list->item(row, ColAdvice));
    QRect box(list->viewport()->mapTo(this, cell.topLeft()), cell.size());
    box.setWidth(box.width() - 1);
    box.setHeight(box.height() - 1);

    m_editedList = listIndex;
    m_editedRow[static_cast<std::size_t>(listIndex)] = row;
    m_textBeforeEdit = ListCellText(list, row, ColAdvice);

    m_pEditor->setGeometry(box);
    m_pEditor->setPlainText(m_textBeforeEdit);
    m_pEditor->document()->setModified(false);
    m_pEditor->show();
    m_pEditor->raise();
    m_pEditor->setFocus(Qt::OtherFocusReason);
    m_pEditor->selectAll();
    m_pEditor->ensureCursorVisible();
}

// The box's text as the operator left it. An untouched text is the cell's text exactly
// (the box itself would turn "\r\n" into "\n"); a changed one keeps its line-break style.
QString CDlgSuggest::EditedText() const {
    if (!m_pEditor->document()->isModified())
        return m_textBeforeEdit;
    QString text = m_pEditor->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return QString::fromStdString(
        hv::KeepLineBreakStyle(text.toStdString(), m_textBeforeEdit.toStdString()));
}

void CDlgSuggest::EndEdit() {
    if (!IsEditing())
        return;
    const int row = m_editedRow[static_cast<std::size_t>(m_editedList)];
    QTableWidget* list = List(m_editedList);
    if (row >= 0 && row < list->rowCount())
        SetListCellText(list, row, ColAdvice, EditedText());
    m_pEditor->hide();
}

bool CDlgSuggest::eventFilter(QObject* watched, QEvent* event) {
    // Tab and Shift+Tab leave the box for the list it was opened on, at the edited row.
    if (watched == m_pEditor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QTableWidget* list = List(m_editedList);
            list->setFocus(Qt::TabFocusReason); // ends the edit
            return true;
        }
    }
    if (watched == m_pEditor && event->type() == QEvent::FocusOut) {
        // The box's own context menu and a switch to another window keep the edit open.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            EndEdit();
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgSuggest::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

hv::AdviceLists CDlgSuggest::CollectRows() const {
    hv::AdviceLists lists;
    for (int index : {HiddenProblems, SubHealthTrends}) {
        auto& rows = index == HiddenProblems ? lists.hidden : lists.subHealth;
        const QTableWidget* list = List(index);
        for (int row = 0; row < list->rowCount(); ++row)
            rows.push_back({ListCellText(list, row, ColOrderNo).toInt(),
                            ListCellText(list, row, ColSystem).toStdString(),
                            ListCellText(list, row, ColAdvice).toStdString()});
    }
    return lists;
}

void CDlgSuggest::Save() {
    // A key press on Save leaves the box open; what it holds is part of what is saved.
    EndEdit();
    if (hv::SaveAdvice(CollectRows()))
        done(Rejected);
}
