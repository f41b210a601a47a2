#include "ui/viewing/CFullPage.h"

#include "ui/viewing/CExplorer.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/ControlLookup.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

namespace {

constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 6;

} // namespace

CFullPage::CFullPage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fullPage"));
    setWindowTitle(QStringLiteral("Full Page View"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // As big as the working area of the caller's screen, as the main frame is, also where
    // nothing maximises it; opened over the caller, so on its screen.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
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

// The browser's view is made before the window first appears: made later, it has the
// window system's window made again, which on X11 loses the window's modality and
// maximised state. The window is maximised once it is shown: a window manager may drop a
// state asked for before the window was mapped.
void CFullPage::setVisible(bool visible) {
    const bool first = visible && !m_bInitialised;
    if (first) {
        m_bInitialised = true;
        m_pBrowser->View();
        // Without a page the view still loads a blank one now: the engine makes its
        // drawing surface at the first load, which must come before the window appears.
        if (url.isEmpty())
            m_pBrowser->Clear();
        else
            m_pBrowser->Navigate(url);
    }
    QDialog::setVisible(visible);
    if (first)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CFullPage::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The size now: a resize event posted before the window was shown may arrive late,
    // carrying the size the window had then.
    const QSize size = this->size();
    m_pBrowser->setGeometry(0, kButtonBand, size.width(), size.height() - kButtonBand);
}
