#include "ui/settings/CDlgSetting.h"

#include "ui/settings/CDlgSetPref.h"
#include "ui/settings/CDlgSetRept.h"
#include "ui/settings/CDlgSetSens.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonWidth = 220;
constexpr int kButtonHeight = 32;

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

CDlgSetting::CDlgSetting(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Personalization"));
    m_pReportSetting = MakeButton(QStringLiteral("Display Report Setting(&R)"), this);
    m_pPreferences = MakeButton(QStringLiteral("Preferences(&S)"), this);
    m_pSensitivity = MakeButton(QStringLiteral("Sensitivity Adjustment(&L)"), this);
    m_pExit = MakeButton(QStringLiteral("Exit(&E)"), this);

    connect(m_pReportSetting, &QPushButton::clicked, this, &CDlgSetting::RunReportSetting);
    connect(m_pPreferences, &QPushButton::clicked, this, &CDlgSetting::RunPreferences);
    connect(m_pSensitivity, &QPushButton::clicked, this, &CDlgSetting::RunSensitivity);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    for (QPushButton* button : {m_pReportSetting, m_pPreferences, m_pSensitivity})
        layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addWidget(m_pExit, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDlgSetting::RunReportSetting() {
    CDlgSetRept dialog(this);
    dialog.exec();
}

void CDlgSetting::RunPreferences() {
    CDlgSetPref dialog(this);
    dialog.exec();
}

void CDlgSetting::RunSensitivity() {
    CDlgSetSens dialog(this);
    dialog.exec();
}
