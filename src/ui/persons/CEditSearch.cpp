#include "ui/persons/CEditSearch.h"

#include "data/StringTable.h"
#include "persons/PersonSearch.h"
#include "ui/persons/PersonFormParts.h"
#include "ui/widgets/UiText.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kKeyColumn = 1;

std::string ToStd(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter starts nothing in this dialog.
    button->setAutoDefault(false);
    return button;
}

} // namespace

CEditSearch::CEditSearch(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("editSearch"));
    setWindowTitle(QStringLiteral("Search tested person"));

    m_name = NamedLineEdit("name", this);
    const SexChoice sex = MakeSexChoice(this);
    m_male = sex.male;
    m_female = sex.female;
    m_sexes = sex.group;
    m_height = NamedLineEdit("height", this);
    m_weight = NamedLineEdit("weight", this);
    m_mobile = NamedLineEdit("mobile", this);
    m_telephone = NamedLineEdit("telephone", this);
    m_company = NamedLineEdit("company", this);
    m_occupation = NamedLineEdit("occupation", this);
    m_address = NamedLineEdit("address", this);

    auto* grid = new QGridLayout;
    auto label = [this](const char* text, QWidget* buddy) { return BuddyLabel(text, buddy, this); };
    grid->addWidget(label("&Name:", m_name), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sex:"), this), 0, 2);
    grid->addLayout(sex.row, 0, 3);
    grid->addWidget(label("&Height: (cm)", m_height), 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(label("&Weight: (kg)", m_weight), 1, 2);
    grid->addWidget(m_weight, 1, 3);
    grid->addWidget(label("&Mobile:", m_mobile), 2, 0);
    grid->addWidget(m_mobile, 2, 1);
    grid->addWidget(label("&Telephone:", m_telephone), 2, 2);
    grid->addWidget(m_telephone, 2, 3);
    grid->addWidget(label("C&ompany:", m_company), 3, 0);
    grid->addWidget(m_company, 3, 1);
    grid->addWidget(label("Occu&pation:", m_occupation), 3, 2);
    grid->addWidget(m_occupation, 3, 3);
    grid->addWidget(label("&Address:", m_address), 4, 0);
    grid->addWidget(m_address, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_results = new QTableWidget(0, 8, this);
    m_results->setObjectName(QStringLiteral("resultList"));
    m_results->setHorizontalHeaderLabels({QString(), QStringLiteral("ID"), UiText(hv::ids::ColName),
                                          UiText(hv::ids::ColSex), UiText(hv::ids::ColBirthday),
                                          UiText(hv::ids::ColHeight), UiText(hv::ids::ColWeight),
                                          UiText(hv::ids::ColMobile)});
    m_results->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    const int widths[] = {20, 0, 60, 40, 80, 60, 60, 80};
    for (int column = 0; column < 8; ++column)
        m_results->setColumnWidth(column, widths[column]);
    // Names and numbers are often wider than their columns: the mobile number gets the
    // width it needs and the name takes the room that is left.
    m_results->horizontalHeader()->setSectionResizeMode(7, QHeaderView::ResizeToContents);
    m_results->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_results->setColumnHidden(kKeyColumn, true);
    m_results->verticalHeader()->hide();
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setShowGrid(true);
    m_results->setWordWrap(false);
    m_results->viewport()->installEventFilter(this);

    QPushButton* search = Button("Search(&S)", "searchButton", this);
    QPushButton* select = Button("Select(&C)", "selectButton", this);
    QPushButton* clear = Button("Clear(&U)", "clearButton", this);
    QPushButton* exit = Button("Exit(&E)", "exitButton", this);
    connect(search, &QPushButton::clicked, this, &CEditSearch::OnSearch);
    connect(select, &QPushButton::clicked, this, &CEditSearch::OnSelect);
    connect(clear, &QPushButton::clicked, this, &CEditSearch::OnClear);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {search, select, clear, exit})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_results, 1);
    layout->addLayout(buttons);
    resize(600, 480);
}

void CEditSearch::OnSearch() {
    hv::SearchCriteria criteria;
    criteria.name = ToStd(m_name);
    // Female is looked at first; the two are exclusive.
    if (m_female->isChecked())
        criteria.sex = hv::SexFilter::Female;
    else if (m_male->isChecked())
        criteria.sex = hv::SexFilter::Male;
    criteria.height = ToStd(m_height);
    criteria.weight = ToStd(m_weight);
    criteria.mobile = ToStd(m_mobile);
    criteria.telephone = ToStd(m_telephone);
    criteria.company = ToStd(m_company);
    criteria.occupation = ToStd(m_occupation);
    criteria.address = ToStd(m_address);
    if (criteria.IsEmpty())
        return;

    m_results->setRowCount(0);
    const auto hits = hv::SearchPersons(criteria);
    if (!hits)
        return;
    m_results->setUpdatesEnabled(false);
    m_results->setRowCount(static_cast<int>(hits->size()));
    for (int row = 0; row < static_cast<int>(hits->size()); ++row) {
        const auto cells = hv::SearchRowTexts((*hits)[static_cast<std::size_t>(row)], row);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            m_results->setItem(row, column,
                               new QTableWidgetItem(QString::fromStdString(cells[column])));
    }
    m_results->setUpdatesEnabled(true);
}

void CEditSearch::OnSelect() {
    const QList<QTableWidgetItem*> selected = m_results->selectedItems();
    if (selected.isEmpty())
        return;
    int row = selected.front()->row();
    for (const QTableWidgetItem* item : selected)
        row = std::min(row, item->row());
    m_ExamerID = m_results->item(row, kKeyColumn)->text().toInt();
    accept();
}

void CEditSearch::OnClear() {
    for (QLineEdit* edit :
         {m_name, m_height, m_weight, m_mobile, m_telephone, m_company, m_occupation, m_address})
        edit->clear();
    // Neither radio is set afterwards, which an exclusive group does not allow.
    m_sexes->setExclusive(false);
    m_male->setChecked(false);
    m_female->setChecked(false);
    m_sexes->setExclusive(true);
    m_results->setRowCount(0);
}

bool CEditSearch::eventFilter(QObject* watched, QEvent* event) {
    // A double click picks the row under the mouse, or nobody when it hits no row.
    if (watched == m_results->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int row = m_results->rowAt(at.y());
        const QTableWidgetItem* key = row >= 0 ? m_results->item(row, kKeyColumn) : nullptr;
        m_ExamerID = key ? key->text().toInt() : 0;
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
