#include "ui/persons/CTabPage0.h"

#include "persons/PersonStore.h"
#include "persons/PersonText.h"
#include "ui/persons/PersonPictures.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace {

struct Field {
    int controlId;
    const char* caption;
    int row;
    int column; // 0 left, 1 right
};

// Left column 1028..1034, right column 1035..1039.
constexpr Field kFields[] = {
    {1028, "Name:", 0, 0},       {1035, "Sex:", 0, 1},     {1029, "Birthday:", 1, 0},
    {1036, "Height:", 1, 1},     {1030, "Weight:", 2, 0},  {1037, "Mobile:", 2, 1},
    {1031, "Telephone:", 3, 0},  {1038, "Email:", 3, 1},   {1032, "Company:", 4, 0},
    {1039, "Occupation:", 4, 1}, {1033, "Address:", 5, 0}, {1034, "Remark:", 6, 0},
};

constexpr QColor kValueColour(0, 0, 192);
constexpr int kBackgroundPicture = 136;

} // namespace

CTabPage0::CTabPage0(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("basicInfoPage"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(14);

    QFont valueFont = font();
    valueFont.setWeight(QFont::Bold);
    for (const Field& f : kFields) {
        auto* caption = new QLabel(QString::fromLatin1(f.caption), this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("value%1").arg(f.controlId));
        value->setFont(valueFont);
        QPalette palette = value->palette();
        palette.setColor(QPalette::WindowText, kValueColour);
        value->setPalette(palette);
        value->setTextFormat(Qt::PlainText);
        value->setWordWrap(true);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        caption->setBuddy(value);
        // The address and the remark take the whole width.
        const bool wide = f.controlId == 1033 || f.controlId == 1034;
        grid->addWidget(caption, f.row, f.column * 2);
        grid->addWidget(value, f.row, f.column * 2 + 1, 1, wide ? 3 : 1);
        m_values[static_cast<std::size_t>(f.controlId - kFirstValueId)] = value;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
}

QLabel* CTabPage0::ValueLabel(int controlId) const {
    const int index = controlId - kFirstValueId;
    return index >= 0 && index < static_cast<int>(m_values.size())
               ? m_values[static_cast<std::size_t>(index)]
               : nullptr;
}

void CTabPage0::ClearLabels() {
    for (QLabel* label : m_values)
        label->clear();
}

void CTabPage0::ShowExamer(int examerId) {
    ClearLabels();
    if (parentWidget())
        parentWidget()->update();
    if (examerId == 0)
        return;
    hv::PersonRecord person;
    if (hv::LoadPerson(examerId, person) != hv::ReadStatus::Found)
        return;
    const hv::BasicInfoTexts t = hv::FormatBasicInfo(person);
    const std::pair<int, const std::string*> texts[] = {
        {1028, &t.name},    {1035, &t.sex},    {1029, &t.birthday},  {1036, &t.height},
        {1030, &t.weight},  {1037, &t.mobile}, {1031, &t.telephone}, {1038, &t.email},
        {1032, &t.company}, {1039, &t.job},    {1033, &t.address},   {1034, &t.remark},
    };
    for (const auto& [id, text] : texts)
        ValueLabel(id)->setText(QString::fromStdString(*text));
}

void CTabPage0::paintEvent(QPaintEvent*) {
    const QPixmap picture = PersonPicture(kBackgroundPicture);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(width() - picture.width(), height() - picture.height(), picture);
}
