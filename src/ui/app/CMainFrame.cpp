#include "ui/app/CMainFrame.h"

#include "data/MessageSink.h"
#include "data/StringTable.h"
#include "ui/app/CBtnsBar.h"
#include "ui/app/CChildView.h"
#include "ui/app/CDlgAbout.h"
#include "ui/app/CStusBar.h"
#include "ui/app/ControlIds.h"
#include "ui/backup/CDlgBackup.h"
#include "ui/backup/CDlgRestore.h"
#include "ui/persons/CChildList.h"
#include "ui/settings/CDlgPageSet.h"
#include "ui/settings/CDlgSetting.h"
#include "ui/settings/CDlgSuggest.h"
#include "ui/testing/CTesting.h"
#include "ui/viewing/CChildPara.h"
#include "ui/viewing/CChildReport.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::FramelessWindowHint),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(UiText(hv::ids::MainTitle));
    setWindowIcon(ProgramIcon());
    CreateLayout();
    ConnectToolbar();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

void CMainFrame::CreateLayout() {
    auto* frameArea = new QWidget(this);
    m_pBtnsBar = new CBtnsBar(frameArea);
    m_pView = new CChildView([this] { return m_bShowHome; }, frameArea);
    m_pStatusStrip = new CStusBar(frameArea);

    // The panes belong to the client view; all start hidden, so the home picture shows.
    m_pPersonPane = new CChildList;
    m_pReportPane = new CChildReport;
    m_pComparePane = new CChildPara;
    for (QWidget* pane :
         {static_cast<QWidget*>(m_pPersonPane), static_cast<QWidget*>(m_pReportPane),
          static_cast<QWidget*>(m_pComparePane)}) {
        m_pView->AddPane(pane);
        pane->hide();
    }
    // The panes hand over to each other only through the frame.
    m_pPersonPane->setShowReportPane([this](int measId) { ShowReportPane(measId); });
    m_pPersonPane->setShowComparePane(
        [this](int first, int second) { ShowComparePane(first, second); });
    m_pReportPane->SetReturnHandler([this] { ShowPersonPane(); });
    m_pComparePane->SetReturnHandler([this] { ShowPersonPane(); });

    auto* layout = new QVBoxLayout(frameArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pBtnsBar);
    layout->addWidget(m_pView, 1);
    layout->addWidget(m_pStatusStrip);
    setCentralWidget(frameArea);
}

void CMainFrame::ConnectToolbar() {
    auto onClick = [this](int id, auto slot) {
        connect(m_pBtnsBar->Button(id), &QAbstractButton::clicked, this, slot);
    };
    onClick(ctl::Home, [this] { ShowHome(); });
    onClick(ctl::Dossier, [this] { ShowPersonPane(); });
    onClick(ctl::Testing, [this] { StartTest(); });
    onClick(ctl::Suggest, [this] { RunModal<CDlgSuggest>(); });
    onClick(ctl::PageSet, [this] { RunModal<CDlgPageSet>(); });
    onClick(ctl::Backup, [this] { RunModal<CDlgBackup>(); });
    onClick(ctl::Restore, [this] { RunModal<CDlgRestore>(); });
    onClick(ctl::Setting, [this] { RunModal<CDlgSetting>(); });
    onClick(ctl::Help, [this] { OpenHelp(); });
    onClick(ctl::About, [this] { ShowAbout(); });
    onClick(ctl::Exit, [this] { close(); });
    onClick(ctl::CloseSign, [this] { close(); });
    onClick(ctl::Minimise, [this] { showMinimized(); });

    // Without a border the window system may offer no close command of its own.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

void CMainFrame::ShowHome() {
    m_bShowHome = true;
    m_pPersonPane->hide();
    m_pReportPane->hide();
    m_pComparePane->hide();
    m_pView->update();
}

// The pane opens with the focus in its tree, so that the keyboard goes on from there.
void CMainFrame::ShowPersonPane() {
    m_bShowHome = false;
    m_pComparePane->hide();
    m_pReportPane->hide();
    m_pPersonPane->show();
    if (!m_pPersonPane->isAncestorOf(QApplication::focusWidget()))
        m_pPersonPane->Tree()->setFocus();
}

// The report and comparison panes are only reached from the person pane, so neither hides
// the other.
void CMainFrame::ShowReportPane(int measId) {
    m_bShowHome = false;
    m_pPersonPane->hide();
    m_pReportPane->LoadReportList(measId);
    m_pReportPane->show();
    m_pReportPane->repaint();
}

void CMainFrame::ShowComparePane(int firstMeasId, int secondMeasId) {
    m_bShowHome = false;
    m_pPersonPane->hide();
    m_pComparePane->Compare(firstMeasId, secondMeasId);
    m_pComparePane->show();
    m_pComparePane->repaint();
}

template <typename Dialog> void CMainFrame::RunModal() {
    Dialog dialog(this);
    dialog.exec();
}

// A test needs a selected person and a present sensor; after a saved test the person pane
// shows the new test on top of the person's test list, picked for "Get Report".
void CMainFrame::StartTest() {
    ShowPersonPane();
    const int examerId = m_pPersonPane->GetSelectedExamerID();
    if (examerId == 0) {
        hv::ShowMessage(hv::ids::SelectPersonBeforeTesting);
        return;
    }
    if (CTesting::RunForPerson(this, examerId, m_testingOptions))
        m_pPersonPane->ShowNewTest(examerId);
}

void CMainFrame::OpenHelp() {
    m_openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Help.html"))));
}

void CMainFrame::ShowAbout() {
    CDlgAbout about(this);
    about.exec();
}

void CMainFrame::SetUrlOpener(UrlOpener opener) {
    m_openUrl = std::move(opener);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (hv::AskYesNo(hv::ids::ExitQuestion))
        event->accept();
    else
        event->ignore();
}
