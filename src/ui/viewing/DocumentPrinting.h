#pragma once

#include "printing/DocumentPlan.h"

#include <QString>
#include <QUrl>

class QPrinter;
class QWidget;
namespace hv {
class DocumentJob;
}

// What the report views share to print: a document job run to its end while the windows
// stay live, and a finished PDF drawn onto a printer.

// The document of one page: the page a browser shows (an empty address gives an empty page).
hv::DocumentPlan PagePlan(const QUrl& address);

// Runs a job to its end. With progress, a window-modal progress dialog with Cancel shows the
// steps (cancelling stops the job); without, the wait cursor shows. True when the job
// finished its file.
bool RunDocumentJob(hv::DocumentJob& job, QWidget* parent, bool progress);

struct PrintOutcome {
    enum class Result { Printed, Cancelled, Failed } result = Result::Printed;
    QString error; // what failed
};

// Draws a finished PDF on a printer: the pages the printer's range asks for (all when it
// names none), each rendered at the printer's resolution over the whole paper, since the
// document carries its own margins. With a progress parent, a progress dialog with Cancel
// shows the pages; cancelling aborts the job at the printer.
PrintOutcome PrintPdf(const QString& pdf, QPrinter& printer, QWidget* progressParent = nullptr);

// Makes the plan's document in a temporary folder, on the printer's paper, and draws it on
// the printer; with progress, both steps show it and can be cancelled.
PrintOutcome PrintPlan(const hv::DocumentPlan& plan, QPrinter& printer, QWidget* parent,
                       bool progress);
