#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>

class CMainFrame;
class CSplashWnd;
class GuiMessageSink;
namespace hv {
class MessageSink;
class PasswordPrompt;
} // namespace hv

// Start-up and shut-down of the program on an existing QApplication: installs the message
// boxes, creates the main window hidden, shows the splash and then the main window.
class CPelmoraApp {
public:
    struct Options {
        int splashMs = 2000;
        // A simulated sensor that reports contact stands in for the hardware.
        bool demoSensor = false;
    };

    // Reads "--splash-ms N" and "--demo-sensor" (demonstration aids); anything else keeps
    // the defaults.
    static Options ParseOptions(const QStringList& arguments);

    CPelmoraApp();
    explicit CPelmoraApp(Options options);
    ~CPelmoraApp();
    CPelmoraApp(const CPelmoraApp&) = delete;
    CPelmoraApp& operator=(const CPelmoraApp&) = delete;

    // Runs start-up up to the splash; the main window appears when the splash has gone.
    // False when the program cannot start (no screen to show it on).
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    // The splash while it is shown, nullptr afterwards.
    CSplashWnd* Splash() const;

private:
    void ShowMainFrame();

    Options m_options;
    std::unique_ptr<GuiMessageSink> m_pMessageSink;
    hv::MessageSink* m_pPreviousSink = nullptr;
    hv::PasswordPrompt* m_pPreviousPrompt = nullptr;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QPointer<CSplashWnd> m_pSplash;
};
