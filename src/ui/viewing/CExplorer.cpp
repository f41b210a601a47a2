#include "ui/viewing/CExplorer.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "print/DocumentJob.h"
#include "ui/viewing/DocumentPrinting.h"
#include "ui/viewing/PreviewSession.h"
#include "ui/widgets/FileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr int kPrintResolution = 300;

QPrinter* g_printer = nullptr;

void DeleteSharedPrinter() {
    delete g_printer;
    g_printer = nullptr;
}

CExplorer::DialogRunner& Runner() {
    static CExplorer::DialogRunner runner;
    return runner;
}

// Marks a browser busy for the lifetime of a command.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

QWebEngineDownloadRequest::SavePageFormat SaveFormatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("mht") || suffix == QLatin1String("mhtml")
               ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
               : QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
}

} // namespace

CExplorer::CExplorer(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

CExplorer::~CExplorer() = default;

QWebEngineView* CExplorer::View() {
    if (m_pView == nullptr) {
        m_pView = new QWebEngineView(this);
        layout()->addWidget(m_pView);
        connect(m_pView, &QWebEngineView::loadFinished, this, [this](bool ok) {
            m_bLoading = false;
            m_bLoaded = ok;
            emit loadFinished(ok);
        });
        connect(m_pView->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                &CExplorer::WatchSave);
    }
    return m_pView;
}

void CExplorer::Navigate(const QUrl& url) {
    m_address = url;
    m_bLoading = true;
    View()->load(url);
}

void CExplorer::Clear() {
    m_address = QUrl();
    if (m_pView != nullptr)
        m_pView->setUrl(QUrl(QStringLiteral("about:blank")));
}

bool CExplorer::ExecWB(int command, int /*option: the user is always prompted*/) {
    if (m_bBusy)
        return false;
    BusyScope busy(m_bBusy);
    switch (command) {
    case Print:
        return RunPrint();
    case PrintPreview:
        return RunPreview();
    case SaveAs:
        return RunSaveAs();
    case PageSetup:
        return RunPageSetup();
    default:
        return false;
    }
}

bool CExplorer::RunPrint() {
    QPrintDialog dialog(&SharedPrinter(), this);
    bool ok = RunDialog(dialog);
    if (ok) {
        const QString error = PrintPage(SharedPrinter());
        ok = error.isEmpty();
        if (!ok)
            ShowPrintFailure(error);
    }
    emit commandFinished(Print, ok);
    return true;
}

// The preview paints the finished document of the printer's page; the document is made
// before the preview opens and again for every page changed inside it.
bool CExplorer::RunPreview() {
    PreviewSession session(PagePlan(m_address), this);
    if (!session.Prepare(SharedPrinter())) {
        ShowPrintFailure(session.Error());
        emit commandFinished(PrintPreview, false);
        return true;
    }
    QPrintPreviewDialog dialog(&SharedPrinter(), this);
    session.SetPreview(dialog.findChild<QPrintPreviewWidget*>());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &session, &PreviewSession::Paint);
    connect(&session, &PreviewSession::failed, this,
            [this, &session] { ShowPrintFailure(session.Error()); });
    emit commandFinished(PrintPreview, RunDialog(dialog));
    return true;
}

void CExplorer::ShowPrintFailure(const QString& error) {
    hv::ShowMessage(hv::texts::FillText(hv::texts::kPageNotPrinted, {error.toStdString()}));
}

// The page shown, made into a finished document and drawn on the printer; what failed, or
// empty.
QString CExplorer::PrintPage(QPrinter& printer) {
    const PrintOutcome outcome = PrintPlan(PagePlan(m_address), printer, this, false);
    return outcome.result == PrintOutcome::Result::Failed ? outcome.error : QString();
}

bool CExplorer::RunSaveAs() {
    const QString proposed = FileDialog::OnDesktop(QFileInfo(m_address.fileName()).fileName());
    const QString fileName = FileDialog::getSaveFileName(
        this, QStringLiteral("Save As"), proposed,
        QStringLiteral("Web page, complete (*.htm *.html);;Web archive, single file (*.mhtml)"));
    if (fileName.isEmpty()) {
        emit commandFinished(SaveAs, false);
        return true;
    }
    View()->page()->save(QFileInfo(fileName).absoluteFilePath(), SaveFormatFor(fileName));
    return true;
}

// The engine saves a page as a download that it starts itself; its end tells whether the
// file was written.
void CExplorer::WatchSave(QWebEngineDownloadRequest* download) {
    if (download == nullptr || m_pView == nullptr || download->page() != m_pView->page() ||
        !download->isSavePageDownload() ||
        download->state() != QWebEngineDownloadRequest::DownloadInProgress)
        return;
    const QString target =
        QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this,
            [this, download, target] {
                if (!download->isFinished())
                    return;
                const bool ok = download->state() == QWebEngineDownloadRequest::DownloadCompleted;
                if (!ok)
                    hv::ShowMessage(
                        hv::texts::FillText(hv::texts::kPageNotSaved, {target.toStdString()}));
                emit commandFinished(SaveAs, ok);
            });
}

bool CExplorer::RunDialog(QDialog& dialog) {
    const DialogRunner& runner = Runner();
    return runner ? runner(dialog) : dialog.exec() == QDialog::Accepted;
}

bool CExplorer::RunPageSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), this);
    emit commandFinished(PageSetup, RunDialog(dialog));
    return true;
}

QPrinter& CExplorer::SharedPrinter() {
    if (g_printer == nullptr) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        g_printer->setResolution(kPrintResolution);
        // Deleted with the application, after every browser has finished printing.
        qAddPostRoutine(DeleteSharedPrinter);
    }
    return *g_printer;
}

void CExplorer::SetDialogRunner(DialogRunner runner) {
    Runner() = std::move(runner);
}
