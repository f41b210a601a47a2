#include "ui/settings/CDlgSetPref.h"

#include "settings/ReportPreferences.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

namespace {

struct SwitchRow {
    const char* caption; // two lines
    const char* on;
    const char* off;
};

constexpr SwitchRow kRows[] = {
    {"Whether to display the\nreport reference:", "Yes", "No"},
    {"Whether to display report\nparameter description:", "Yes", "No"},
    {"Report abnormal results\nDisplay Mode:", "Graph", "Text"},
};

void SetPair(QRadioButton* on, QRadioButton* off, const std::optional<bool>& value) {
    if (value)
        (*value ? on : off)->setChecked(true);
}

} // namespace

CDlgSetPref::CDlgSetPref(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preferences"));
    CreateControls();
    m_loaded = Load();
}

void CDlgSetPref::CreateControls() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(14);
    for (int row = 0; row < 3; ++row) {
        const SwitchRow& r = kRows[row];
        auto* group = new QButtonGroup(this);
        QRadioButton*& on = m_radios[2 * row];
        QRadioButton*& off = m_radios[2 * row + 1];
        on = new QRadioButton(QString::fromLatin1(r.on), this);
        off = new QRadioButton(QString::fromLatin1(r.off), this);
        group->addButton(on);
        group->addButton(off);
        grid->addWidget(new QLabel(QString::fromLatin1(r.caption), this), row, 0);
        grid->addWidget(on, row, 1);
        grid->addWidget(off, row, 2);
    }

    m_pOk = new QPushButton(QStringLiteral("OK(&O)"), this);
    m_pExit = new QPushButton(QStringLiteral("Exit(&E)"), this);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &CDlgSetPref::Save);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pExit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(grid);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CDlgSetPref::Load() {
    const std::optional<hv::ReportPreferences> preferences = hv::LoadReportPreferences();
    if (!preferences)
        return false;
    SetPair(StandardYes(), StandardNo(), preferences->showStandard);
    SetPair(DescriptionYes(), DescriptionNo(), preferences->showDescription);
    SetPair(GraphMode(), TextMode(), preferences->graphMode);
    return true;
}

int CDlgSetPref::exec() {
    if (!m_loaded) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

void CDlgSetPref::Save() {
    const hv::ReportPreferences preferences{
        StandardYes()->isChecked(), DescriptionYes()->isChecked(), GraphMode()->isChecked()};
    if (hv::SaveReportPreferences(preferences) == hv::SaveResult::Saved)
        accept();
}
