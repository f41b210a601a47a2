#include "ui/app/CPelmoraApp.h"

#include "data/MessageSink.h"
#include "testing/SimulatedHid.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CSplashWnd.h"
#include "ui/app/GuiMessageSink.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

static_assert(CPelmoraApp::Options{}.splashMs == CSplashWnd::kDefaultDurationMs);

CPelmoraApp::Options CPelmoraApp::ParseOptions(const QStringList& arguments) {
    Options options;
    options.demoSensor = arguments.contains(QStringLiteral("--demo-sensor"));
    const qsizetype at = arguments.indexOf(QStringLiteral("--splash-ms"));
    if (at >= 0 && at + 1 < arguments.size()) {
        bool ok = false;
        const int ms = arguments.at(at + 1).toInt(&ok);
        if (ok && ms >= 0)
            options.splashMs = ms;
    }
    return options;
}

CPelmoraApp::CPelmoraApp() : CPelmoraApp(Options{}) {}

CPelmoraApp::CPelmoraApp(Options options) : m_options(options) {}

CPelmoraApp::~CPelmoraApp() {
    delete m_pSplash;
    m_pMainFrame.reset();
    if (m_pMessageSink) {
        hv::SetMessageSink(m_pPreviousSink);
        hv::SetPasswordPrompt(m_pPreviousPrompt);
    }
}

bool CPelmoraApp::InitInstance() {
    if (QGuiApplication::primaryScreen() == nullptr) {
        std::fputs("Halvoret: no screen to show the program on.\n", stderr);
        return false;
    }
    if (m_options.demoSensor)
        hv::UseDemoSensor();
    m_pMessageSink = std::make_unique<GuiMessageSink>();
    m_pPreviousSink = hv::SetMessageSink(m_pMessageSink.get());
    m_pPreviousPrompt = hv::SetPasswordPrompt(m_pMessageSink.get());

    m_pMainFrame = std::make_unique<CMainFrame>();

    m_pSplash = new CSplashWnd;
    m_pSplash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_pSplash, &CSplashWnd::Finished, m_pMainFrame.get(),
                     [this] { ShowMainFrame(); });
    m_pSplash->ShowFor(m_options.splashMs);
    return true;
}

CSplashWnd* CPelmoraApp::Splash() const {
    return m_pSplash;
}

void CPelmoraApp::ShowMainFrame() {
    m_pMainFrame->show();
    m_pMainFrame->raise();
    m_pMainFrame->activateWindow();
}
