#include "ui/settings/CDlgPageSet.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "printing/PrintSettings.h"
#include "settings/PageHeadFoot.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr int kTextWidth = 360;

// Radio ids are the alignments they stand for.
constexpr hv::TextAlignment kRadioAlignments[] = {
    hv::TextAlignment::Left, hv::TextAlignment::Center, hv::TextAlignment::Right};
const char* const kRadioCaptions[] = {"Left", "Center", "Right"};

} // namespace

CDlgPageSet::CDlgPageSet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Set headers and footers"));

    QWidget* head = CreateRow(m_head, QStringLiteral("Header"), QStringLiteral("header"));
    QWidget* foot = CreateRow(m_foot, QStringLiteral("Footer"), QStringLiteral("footer"));
    m_pBackgrounds =
        new QCheckBox(QStringLiteral("Print page backgrounds (colours and pictures)"), this);
    m_pBackgrounds->setObjectName(QStringLiteral("printBackgrounds"));
    m_pBackgrounds->setChecked(hv::PrintsBackgrounds());

    m_pOk = new QPushButton(QStringLiteral("OK(&O)"), this);
    m_pExit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &CDlgPageSet::Save);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(head);
    layout->addWidget(foot);
    layout->addWidget(m_pBackgrounds);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const hv::PageTexts texts = hv::LoadPageTexts();
    Show(m_head, texts.head);
    Show(m_foot, texts.foot);
    m_head.text->setFocus();
}

QWidget* CDlgPageSet::CreateRow(TextRow& row, const QString& title, const QString& name) {
    auto* frame = new QGroupBox(title, this);
    row.alignment = new QButtonGroup(frame);
    auto* radios = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        QRadioButton*& radio = row.radios[static_cast<std::size_t>(i)];
        radio = new QRadioButton(QString::fromLatin1(kRadioCaptions[i]), frame);
        radio->setObjectName(name + QString::fromLatin1(kRadioCaptions[i]));
        row.alignment->addButton(radio, static_cast<int>(kRadioAlignments[i]));
        radios->addWidget(radio);
    }
    radios->addStretch(1);

    row.text = new QLineEdit(frame);
    row.text->setObjectName(name + QStringLiteral("Text"));
    // A stored text of any length comes back whole.
    row.text->setMaxLength(std::numeric_limits<int>::max());
    row.text->setMinimumWidth(kTextWidth);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(radios);
    layout->addWidget(row.text);
    return frame;
}

void CDlgPageSet::Show(TextRow& row, const hv::AlignedText& value) {
    if (QAbstractButton* radio = row.alignment->button(static_cast<int>(value.alignment)))
        radio->setChecked(true);
    row.text->setText(QString::fromStdString(value.text));
}

hv::AlignedText CDlgPageSet::Read(const TextRow& row) {
    const int id = row.alignment->checkedId();
    return {id < 0 ? hv::TextAlignment::None : static_cast<hv::TextAlignment>(id),
            row.text->text().toStdString()};
}

void CDlgPageSet::Save() {
    std::string error;
    if (m_pBackgrounds->isChecked() != hv::PrintsBackgrounds() &&
        !hv::SetPrintsBackgrounds(m_pBackgrounds->isChecked(), error))
        hv::ShowMessage(hv::texts::FillText(hv::texts::kPrintSettingNotSaved, {error}));
    if (hv::SavePageTexts({Read(m_head), Read(m_foot)}) != hv::SaveResult::NotOpened)
        accept();
}
