#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QDialog;
class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineView;

// The embedded web browser of the report views: shows a page file and carries out the print,
// print preview, save-as and page-setup commands on the page it shows, each with its own
// dialog. The browser engine starts with the first page shown, so a view that never shows a
// page costs nothing.
class CExplorer : public QWidget {
    Q_OBJECT

public:
    // The commands of ExecWB and the one option the program uses with them.
    enum Command { SaveAs = 4, Print = 6, PrintPreview = 7, PageSetup = 8 };
    enum Option { PromptUser = 1 };

    // Runs a command's dialog and says whether the operator accepted it. Tests replace it so
    // that no dialog waits for an operator.
    using DialogRunner = std::function<bool(QDialog&)>;

    explicit CExplorer(QWidget* parent = nullptr);
    ~CExplorer() override;

    // Loads and shows the page at the address; returns at once.
    void Navigate(const QUrl& url);
    // Shows an empty page instead of the one shown (nothing to do when none was shown).
    void Clear();
    // Carries out a command on the page shown. Print and preview return when the page has
    // been printed; a save goes on in the background. Returns false when the command was
    // refused (unknown, or another command of this browser is still running). Printed pages
    // carry the station's header and footer, the page numbers and the line about the values:
    // the page is made into a PDF document first, whose pages are then drawn on the printer
    // and in the preview.
    bool ExecWB(int command, int option = PromptUser);

    // The address last navigated to (empty before the first).
    QUrl Address() const { return m_address; }
    // From Navigate until that page has finished loading.
    bool IsLoading() const { return m_bLoading; }
    // Whether the last page that finished loading could be loaded.
    bool IsLoaded() const { return m_bLoaded; }
    // The browser itself, created on first use.
    QWebEngineView* View();

    // The printer shared by every browser of the program: page setup, print and preview all
    // use its paper, margins and destination. It prints at 300 dots per inch.
    static QPrinter& SharedPrinter();
    // Installs the runner of the command dialogs; an empty one restores the modal run.
    static void SetDialogRunner(DialogRunner runner);
    // Runs a dialog of a print command through the installed runner.
    static bool RunDialog(QDialog& dialog);

signals:
    // The page has finished loading (ok false: it could not be loaded).
    void loadFinished(bool ok);
    // A command has ended; ok false when it was cancelled or failed.
    void commandFinished(int command, bool ok);

private:
    bool RunPrint();
    bool RunPreview();
    bool RunSaveAs();
    bool RunPageSetup();
    QString PrintPage(QPrinter& printer);
    void ShowPrintFailure(const QString& error);
    void WatchSave(QWebEngineDownloadRequest* download);

    QWebEngineView* m_pView = nullptr;
    QUrl m_address;
    bool m_bLoading = false;
    bool m_bLoaded = false;
    bool m_bBusy = false;
};

// The browser of the comparison view; the same control as CExplorer.
class CExplorer1 : public CExplorer {
    Q_OBJECT

public:
    using CExplorer::CExplorer;
};
