#pragma once

#include "ui/testing/CTestingOptions.h"

#include <QMainWindow>
#include <QUrl>
#include <functional>

class CBtnsBar;
class CChildList;
class CChildPara;
class CChildReport;
class CChildView;
class CStusBar;

// The program's only top-level window: frameless, covering the screen's working area, with
// the picture toolbar at the top, the client area with its three panes and the status strip
// at the bottom. At most one pane is visible; with none, the client area shows the home
// picture. Its Show... operations are the only way to change the visible pane.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Opens an address with the desktop's default handler; replaceable so that tests see
    // the address instead of starting a browser.
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit CMainFrame(QWidget* parent = nullptr);

    void ShowHome();
    void ShowPersonPane();
    void ShowReportPane(int measId);
    void ShowComparePane(int firstMeasId, int secondMeasId);

    // The toolbar's Testing command.
    void StartTest();
    // Opens Help.html of the current working directory; a missing file is not reported.
    void OpenHelp();
    // Runs the about box.
    void ShowAbout();

    void SetUrlOpener(UrlOpener opener);
    // The clock and sound of the Testing command's dialog; the program keeps the defaults.
    void SetTestingOptions(const CTestingOptions& options) { m_testingOptions = options; }

    bool IsHomeShown() const { return m_bShowHome; }
    CChildList* PersonPane() const { return m_pPersonPane; }
    CChildReport* ReportPane() const { return m_pReportPane; }
    CChildPara* ComparePane() const { return m_pComparePane; }
    CStusBar* StatusStrip() const { return m_pStatusStrip; }
    CChildView* ClientView() const { return m_pView; }
    CBtnsBar* ButtonsBar() const { return m_pBtnsBar; }

protected:
    // Every close request (toolbar, window system, Alt+F4) asks the exit question once.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLayout();
    void ConnectToolbar();
    template <typename Dialog> void RunModal();

    bool m_bShowHome = true;
    CChildList* m_pPersonPane = nullptr;
    CChildReport* m_pReportPane = nullptr;
    CChildPara* m_pComparePane = nullptr;
    CStusBar* m_pStatusStrip = nullptr;
    CChildView* m_pView = nullptr;
    CBtnsBar* m_pBtnsBar = nullptr;
    UrlOpener m_openUrl;
    CTestingOptions m_testingOptions;
};
