#include "ui/viewing/DocumentPrinting.h"

#include "data/OperatorTexts.h"
#include "print/DocumentJob.h"
#include "print/PdfPages.h"
#include "ui/widgets/UiText.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace {

QString Filled(std::string_view text, int a, int b) {
    return UiText(hv::texts::FillText(text, {std::to_string(a), std::to_string(b)}));
}

std::unique_ptr<QProgressDialog> MakeProgress(QWidget* parent, int steps) {
    auto dialog = std::make_unique<QProgressDialog>(parent);
    dialog->setObjectName(QStringLiteral("printProgress"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->setRange(0, steps);
    dialog->setValue(0);
    return dialog;
}

// The printer's range, counted from 0, within the document's pages.
std::pair<int, int> PrintedRange(const QPrinter& printer, int pages) {
    if (printer.fromPage() <= 0)
        return {0, pages - 1};
    const int first = std::clamp(printer.fromPage(), 1, pages) - 1;
    const int last = std::clamp(printer.toPage() <= 0 ? pages : printer.toPage(), 1, pages) - 1;
    return {first, std::max(first, last)};
}

} // namespace

hv::DocumentPlan PagePlan(const QUrl& address) {
    hv::DocumentPlan plan;
    const QString file = address.isLocalFile() ? address.toLocalFile() : QString();
    plan.title = QFileInfo(file).completeBaseName().toStdString();
    plan.parts.push_back({plan.title, file.toStdString()});
    return plan;
}

bool RunDocumentJob(hv::DocumentJob& job, QWidget* parent, bool progress) {
    QEventLoop loop;
    QObject::connect(&job, &hv::DocumentJob::finished, &loop, &QEventLoop::quit);
    std::unique_ptr<QProgressDialog> dialog;
    if (progress) {
        dialog = MakeProgress(parent, job.Steps());
        dialog->setLabelText(Filled(hv::texts::kPreparingPages, 1, job.Steps() - 1));
        QObject::connect(dialog.get(), &QProgressDialog::canceled, &job, &hv::DocumentJob::Cancel);
        QObject::connect(&job, &hv::DocumentJob::progress, dialog.get(), [&](int done, int total) {
            dialog->setValue(done);
            dialog->setLabelText(
                Filled(hv::texts::kPreparingPages, std::min(done + 1, total - 1), total - 1));
        });
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    job.Start();
    if (job.IsRunning())
        loop.exec();
    if (!progress)
        QApplication::restoreOverrideCursor();
    return job.PageCount() > 0;
}

PrintOutcome PrintPdf(const QString& pdf, QPrinter& printer, QWidget* progressParent) {
    using Result = PrintOutcome::Result;
    hv::PdfPages pages;
    if (!pages.Open(pdf))
        return {Result::Failed, UiText(hv::texts::kPrintedPdfUnreadable)};
    const auto [first, last] = PrintedRange(printer, pages.PageCount());
    // The painter starts at the printable area's corner; the paper begins before it.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel).translated(-page.topLeft());
    QPainter painter;
    if (!painter.begin(&printer))
        return {Result::Failed, UiText(hv::texts::kPrinterNotStarted)};
    std::unique_ptr<QProgressDialog> dialog;
    if (progressParent != nullptr)
        dialog = MakeProgress(progressParent, last - first + 1);
    const bool done = pages.Paint(painter, printer, paper, first, last, [&](int n, int total) {
        if (!dialog)
            return true;
        dialog->setValue(n);
        dialog->setLabelText(Filled(hv::texts::kPrintingPages, std::min(n + 1, total), total));
        QApplication::processEvents();
        return !dialog->wasCanceled();
    });
    if (!done) {
        const bool cancelled = dialog && dialog->wasCanceled();
        printer.abort();
        painter.end();
        return cancelled ? PrintOutcome{Result::Cancelled, {}}
                         : PrintOutcome{Result::Failed, UiText(hv::texts::kPrinterNotStarted)};
    }
    if (!painter.end())
        return {Result::Failed, UiText(hv::texts::kPrinterNotStarted)};
    return {};
}

PrintOutcome PrintPlan(const hv::DocumentPlan& plan, QPrinter& printer, QWidget* parent,
                       bool progress) {
    const QTemporaryDir folder;
    hv::DocumentJob job(plan, hv::StationPrintOptions(printer.pageLayout()),
                        folder.filePath(QStringLiteral("document.pdf")));
    if (!RunDocumentJob(job, parent, progress))
        return {job.Cancelled() ? PrintOutcome::Result::Cancelled : PrintOutcome::Result::Failed,
                job.Error()};
    return PrintPdf(job.Target(), printer, progress ? parent : nullptr);
}
