#include "ui/settings/CDlgSetSens.h"

#include "data/MessageSink.h"
#include "data/StringTable.h"
#include "settings/Sensitivity.h"
#include "ui/widgets/UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kSliderHeight = 220;
constexpr int kDescriptionWidth = 280;

} // namespace

CDlgSetSens::CDlgSetSens(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sensitivity adjustment"));

    m_pDescription = new QLabel(UiText(hv::ids::SensitivityDescription), this);
    m_pDescription->setWordWrap(true);
    m_pDescription->setFixedWidth(kDescriptionWidth);
    m_pDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_pSave = new QPushButton(QStringLiteral("Save(&S)"), this);
    m_pExit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    m_pSave->setDefault(true);
    connect(m_pSave, &QPushButton::clicked, this, &CDlgSetSens::Save);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addLayout(CreateSliderColumn());
    body->addSpacing(20);
    body->addWidget(m_pDescription);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pSave);
    buttons->addWidget(m_pExit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addLayout(body);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_pSlider->setValue(hv::LoadSensitivity());
}

QLayout* CDlgSetSens::CreateSliderColumn() {
    m_pSlider = new QSlider(Qt::Vertical, this);
    m_pSlider->setRange(hv::kSensitivityMin, hv::kSensitivityMax);
    m_pSlider->setTickInterval(hv::kSensitivityTickStep);
    m_pSlider->setTickPosition(QSlider::TicksBothSides);
    m_pSlider->setSingleStep(1);
    m_pSlider->setPageStep(hv::kSensitivityTickStep);
    // The smallest number, the highest sensitivity, sits at the top, and the Up key moves
    // towards it.
    m_pSlider->setInvertedAppearance(true);
    m_pSlider->setInvertedControls(true);
    m_pSlider->setFixedHeight(kSliderHeight);
    m_pSlider->setValue(hv::kSensitivityDefault);

    auto* marks = new QVBoxLayout;
    marks->setSpacing(0);
    marks->addWidget(new QLabel(QStringLiteral("High"), this), 0, Qt::AlignTop);
    marks->addStretch(1);
    marks->addWidget(new QLabel(QStringLiteral("Mid"), this), 0, Qt::AlignVCenter);
    marks->addStretch(1);
    marks->addWidget(new QLabel(QStringLiteral("Low"), this), 0, Qt::AlignBottom);

    auto* column = new QHBoxLayout;
    column->addWidget(m_pSlider);
    column->addLayout(marks);
    return column;
}

void CDlgSetSens::Save() {
    if (hv::SaveSensitivity(m_pSlider->value()) == hv::SaveResult::Saved)
        hv::ShowMessage(hv::ids::SaveSuccessfully);
}
