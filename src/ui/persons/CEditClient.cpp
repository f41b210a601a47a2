#include "ui/persons/CEditClient.h"

#include "common/OleDate.h"
#include "data/MessageSink.h"
#include "persons/PersonRules.h"
#include "persons/PersonStore.h"
#include "ui/persons/PersonFormParts.h"
#include "ui/persons/PersonPictures.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

constexpr QColor kBackground(255, 255, 192);
constexpr QColor kMarkColour(255, 0, 0);
constexpr int kSidePicture = 138;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}
std::string ToStd(const QString& text) {
    return text.toStdString();
}

QLabel* RequiredMark(QWidget* parent) {
    auto* mark = new QLabel(QStringLiteral("*"), parent);
    QPalette palette = mark->palette();
    palette.setColor(QPalette::WindowText, kMarkColour);
    mark->setPalette(palette);
    return mark;
}

QDate ToQDate(double oleDate) {
    const hv::DateTime dt = hv::FromOleDate(oleDate);
    return QDate(dt.year, dt.month, dt.day);
}

double ToOle(const QDate& date) {
    return hv::ToOleDate({date.year(), date.month(), date.day()});
}

} // namespace

CEditClient::CEditClient(QWidget* parent) : LoadingDialog(parent) {
    setObjectName(QStringLiteral("editClient"));
    setWindowTitle(QStringLiteral("the tested person information"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);

    m_group = new QComboBox(this);
    m_group->setObjectName(QStringLiteral("group"));
    m_name = NamedLineEdit("name", this);
    const SexChoice sex = MakeSexChoice(this);
    m_male = sex.male;
    m_female = sex.female;
    m_birthday = new QDateEdit(this);
    m_birthday->setObjectName(QStringLiteral("birthday"));
    m_birthday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_birthday->setCalendarPopup(true);
    m_birthday->setMinimumDate(QDate(1800, 1, 1));
    m_height = NamedLineEdit("height", this);
    m_weight = NamedLineEdit("weight", this);
    // The boxes take digits only when typed into.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    m_height->setValidator(digits);
    m_weight->setValidator(digits);
    m_telephone = NamedLineEdit("telephone", this);
    m_mobile = NamedLineEdit("mobile", this);
    m_email = NamedLineEdit("email", this);
    m_company = NamedLineEdit("company", this);
    m_occupation = NamedLineEdit("occupation", this);
    m_address = NamedLineEdit("address", this);
    m_remark = new QPlainTextEdit(this);
    m_remark->setObjectName(QStringLiteral("remark"));
    m_remark->setTabChangesFocus(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    auto label = [this](const char* text, QWidget* buddy) { return BuddyLabel(text, buddy, this); };
    // Left: the person; right: how to reach the person.
    grid->addWidget(label("&Group:", m_group), 0, 0);
    grid->addWidget(m_group, 0, 1);
    grid->addWidget(label("&Name:", m_name), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(RequiredMark(this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Sex:"), this), 2, 0);
    grid->addLayout(sex.row, 2, 1);
    grid->addWidget(RequiredMark(this), 2, 2);
    grid->addWidget(label("&Birthday:", m_birthday), 3, 0);
    grid->addWidget(m_birthday, 3, 1);
    grid->addWidget(RequiredMark(this), 3, 2);
    grid->addWidget(label("&Height: (CM)", m_height), 4, 0);
    grid->addWidget(m_height, 4, 1);
    grid->addWidget(RequiredMark(this), 4, 2);
    grid->addWidget(label("&Weight: (Kg)", m_weight), 5, 0);
    grid->addWidget(m_weight, 5, 1);
    grid->addWidget(RequiredMark(this), 5, 2);
    grid->addWidget(label("&Telephone:", m_telephone), 0, 4);
    grid->addWidget(m_telephone, 0, 5);
    grid->addWidget(label("&Mobile:", m_mobile), 1, 4);
    grid->addWidget(m_mobile, 1, 5);
    grid->addWidget(label("Emai&l:", m_email), 2, 4);
    grid->addWidget(m_email, 2, 5);
    grid->addWidget(label("&Company:", m_company), 3, 4);
    grid->addWidget(m_company, 3, 5);
    grid->addWidget(label("&Occupation:", m_occupation), 4, 4);
    grid->addWidget(m_occupation, 4, 5);
    grid->addWidget(label("&Address:", m_address), 5, 4);
    grid->addWidget(m_address, 5, 5);
    grid->addWidget(label("&Remark:", m_remark), 6, 0, Qt::AlignTop);
    grid->addWidget(m_remark, 6, 1, 1, 5);
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);

    auto* save = new QPushButton(QStringLiteral("Save(&S)"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    exit->setObjectName(QStringLiteral("exitButton"));
    exit->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CEditClient::OnSave);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(exit);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(16, 14, 16, 12);
    right->addLayout(grid, 1);
    right->addLayout(buttons);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("sidePicture"));
    const QPixmap side = PersonPicture(kSidePicture);
    if (!side.isNull()) {
        picture->setPixmap(side);
        picture->setAlignment(Qt::AlignTop);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->addLayout(right, 1);
    resize(side.isNull() ? 720 : 720 + side.width(), 380);

    // Keyboard order follows the form: the person, then the contact fields, then the remark.
    QWidget* order[] = {m_group,   m_name,      m_male,   m_female, m_birthday, m_height,
                        m_weight,  m_telephone, m_mobile, m_email,  m_company,  m_occupation,
                        m_address, m_remark,    save,     exit};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool CEditClient::LoadGroups() {
    const auto groups = hv::LoadGroups();
    if (!groups)
        return false;
    int preset = 0;
    for (const hv::GroupRecord& group : *groups) {
        if (group.groupId == m_GroupID)
            preset = m_group->count();
        m_group->addItem(TreeIcon(TreeImage::Group), FromStd(group.name), group.groupId);
    }
    m_group->setCurrentIndex(groups->empty() ? -1 : preset);
    return true;
}

bool CEditClient::LoadPerson() {
    hv::PersonRecord person;
    const hv::ReadStatus status = hv::LoadPerson(m_ExamerID, person);
    if (status == hv::ReadStatus::Failed)
        return false;
    if (status == hv::ReadStatus::NotFound)
        return true;
    m_name->setText(FromStd(person.name));
    (person.male ? m_male : m_female)->setChecked(true);
    if (person.birthday)
        m_birthday->setDate(ToQDate(*person.birthday));
    m_height->setText(FromStd(person.height));
    m_weight->setText(FromStd(person.weight));
    m_telephone->setText(FromStd(person.telephone));
    m_mobile->setText(FromStd(person.mobile));
    m_email->setText(FromStd(person.email));
    m_company->setText(FromStd(person.company));
    m_occupation->setText(FromStd(person.job));
    m_address->setText(FromStd(person.address));
    m_remark->setPlainText(FromStd(person.remark));
    return true;
}

bool CEditClient::LoadEntry() {
    const hv::DateTime today = hv::LocalNow();
    m_birthday->setDate(QDate(today.year, today.month, today.day));
    m_male->setChecked(true);
    if (!LoadGroups() || (m_ExamerID != 0 && !LoadPerson()))
        return false;
    m_name->setFocus();
    return true;
}

QWidget* CEditClient::FieldOf(hv::PersonField field) const {
    switch (field) {
    case hv::PersonField::Group:
        return m_group;
    case hv::PersonField::Name:
        return m_name;
    case hv::PersonField::Sex:
        return m_male;
    case hv::PersonField::Birthday:
        return m_birthday;
    case hv::PersonField::Height:
        return m_height;
    case hv::PersonField::Weight:
        return m_weight;
    }
    return m_name;
}

void CEditClient::OnSave() {
    hv::PersonRecord entry;
    entry.examerId = m_ExamerID;
    entry.groupId = m_group->currentIndex() >= 0 ? m_group->currentData().toInt() : 0;
    entry.name = ToStd(m_name->text());
    entry.male = m_male->isChecked();
    entry.birthday = ToOle(m_birthday->date());
    entry.height = ToStd(m_height->text());
    entry.weight = ToStd(m_weight->text());
    entry.telephone = ToStd(m_telephone->text());
    entry.mobile = ToStd(m_mobile->text());
    entry.email = ToStd(m_email->text());
    entry.company = ToStd(m_company->text());
    entry.job = ToStd(m_occupation->text());
    entry.address = ToStd(m_address->text());
    entry.remark = ToStd(m_remark->toPlainText());

    if (const auto problem = hv::PrepareForSave(entry, hv::LocalNow())) {
        hv::ShowMessage(problem->message);
        FieldOf(problem->field)->setFocus();
        return;
    }
    // A failed write has been reported; the entry stays on screen to try again.
    if (!hv::SavePerson(entry))
        return;
    m_ExamerID = entry.examerId;
    m_GroupID = entry.groupId;
    accept();
}
