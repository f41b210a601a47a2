#include "ui/viewing/CFullPage.h"

#include "ui/viewing/CExplorer.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/ControlLookup.h"

#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 6;

} // namespace

CFullPage::CFullPage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fullPage"));
    setWindowTitle(QStringLiteral("Full Page View"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowState(Qt::WindowMaximized);
    m_pBrowser = new CExplorer(this);
    m_pBrowser->setObjectName(QStringLiteral("browser"));

    AddButton(ctl::view::FullPagePrint, QStringLiteral("Print(&P)"), CExplorer::Print);
    AddButton(ctl::view::FullPagePreview, QStringLiteral("Preview(&V)"), CExplorer::PrintPreview);
    AddButton(ctl::view::FullPageSave, QStringLiteral("Save(&S)"), CExplorer::SaveAs);
    AddButton(ctl::view::FullPagePageSet, QStringLiteral("Page Set"), CExplorer::PageSetup);
    QPushButton* exit = AddButton(ctl::view::Cancel, QStringLiteral("Exit(&E)"), 0);
    // Exit, Escape, Enter and the close box all end the view.
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    exit->setDefault(true);
}

QPushButton* CFullPage::AddButton(int id, const QString& text, int command) {
    auto* button = new QPushButton(text, this);
    TagControl(button, id);
    const int x = kButtonGap + static_cast<int>(m_buttons.size()) * (kButtonWidth + kButtonGap);
    button->setGeometry(x, (kButtonBand - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
    if (command != 0)
        connect(button, &QPushButton::clicked, this,
                [this, command] { m_pBrowser->ExecWB(command); });
    m_buttons.append(button);
    return button;
}

QPushButton* CFullPage::Button(int id) const {
    return FindControl(m_buttons, id);
}

void CFullPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    if (!url.isEmpty())
        m_pBrowser->Navigate(url);
}

void CFullPage::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize size = event->size();
    m_pBrowser->setGeometry(0, kButtonBand, size.width(), size.height() - kButtonBand);
}
