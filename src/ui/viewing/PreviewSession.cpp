#include "ui/viewing/PreviewSession.h"

#include "print/DocumentJob.h"
#include "ui/viewing/DocumentPrinting.h"

#include <QPaintEngine>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

// The preview collects the pages of a paint request as pictures; a printer that prints has
// an engine of its own.
bool PaintsPreview(QPrinter* printer) {
    return printer->paintEngine() != nullptr &&
           printer->paintEngine()->type() == QPaintEngine::Picture;
}

} // namespace

PreviewSession::PreviewSession(hv::DocumentPlan plan, QWidget* parent)
    : QObject(parent), m_plan(std::move(plan)), m_parent(parent) {}

PreviewSession::~PreviewSession() {
    delete m_job;
}

void PreviewSession::SetPreview(QPrintPreviewWidget* preview) {
    m_preview = preview;
}

QString PreviewSession::NextFile() {
    return m_folder.filePath(QStringLiteral("preview-%1.pdf").arg(++m_files));
}

bool PreviewSession::Fits(const QPrinter& printer) const {
    return !m_document.isEmpty() && m_layout.isEquivalentTo(printer.pageLayout());
}

bool PreviewSession::Prepare(const QPrinter& printer) {
    const QPageLayout paper = printer.pageLayout();
    hv::DocumentJob job(m_plan, hv::StationPrintOptions(paper), NextFile());
    if (!RunDocumentJob(job, m_parent, false)) {
        m_error = job.Error();
        return false;
    }
    m_document = job.Target();
    m_layout = paper;
    return true;
}

void PreviewSession::Paint(QPrinter* printer) {
    if (Fits(*printer)) {
        const PrintOutcome outcome = PrintPdf(m_document, *printer);
        if (outcome.result == PrintOutcome::Result::Failed) {
            m_error = outcome.error;
            emit failed();
        }
        return;
    }
    if (PaintsPreview(printer)) {
        // The preview stays empty for the moment; it is painted again when the page is ready.
        MakeInBackground(printer->pageLayout());
        return;
    }
    // Printing from the preview on a page that was changed in the print dialog.
    if (Prepare(*printer))
        Paint(printer);
    else
        emit failed();
}

void PreviewSession::MakeInBackground(const QPageLayout& paper) {
    if (m_job != nullptr) {
        m_wanted = paper;
        return;
    }
    m_wanted.reset();
    m_job = new hv::DocumentJob(m_plan, hv::StationPrintOptions(paper), NextFile());
    connect(m_job, &hv::DocumentJob::finished, this, &PreviewSession::OnMade, Qt::QueuedConnection);
    m_job->Start();
}

void PreviewSession::OnMade(bool ok) {
    hv::DocumentJob* job = m_job;
    m_job = nullptr;
    if (ok) {
        m_document = job->Target();
        m_layout = job->Options().paper;
    } else {
        m_error = job->Error();
    }
    delete job;
    if (m_wanted && !m_wanted->isEquivalentTo(m_layout)) {
        MakeInBackground(*m_wanted);
        return;
    }
    m_wanted.reset();
    if (!ok) {
        emit failed();
        return;
    }
    if (m_preview)
        m_preview->updatePreview();
}
