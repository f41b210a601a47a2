#pragma once

#include "printing/DocumentPlan.h"

#include <QObject>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <optional>

class QPrinter;
class QPrintPreviewWidget;
class QWidget;
namespace hv {
class DocumentJob;
}

// The documents behind a print preview. The preview paints the finished PDF of the
// printer's page, so it shows exactly what prints. When the operator changes the page in
// the preview (orientation, page setup), the document for the new page is made in the
// background and the preview is painted again once it is ready; a change while one is being
// made waits for it and is made next, so none is lost.
class PreviewSession : public QObject {
    Q_OBJECT

public:
    explicit PreviewSession(hv::DocumentPlan plan, QWidget* parent);
    ~PreviewSession() override;

    // Makes the document for the printer's page before the preview opens; the wait cursor
    // shows meanwhile. False with Error() when it could not be made.
    bool Prepare(const QPrinter& printer);
    // The preview to paint again once a document for a changed page is ready.
    void SetPreview(QPrintPreviewWidget* preview);
    // Answers the preview's paint request (and its print button's).
    void Paint(QPrinter* printer);

    // Why the last document could not be made or printed.
    const QString& Error() const { return m_error; }

signals:
    // A document could not be made or printed; the reason is in Error().
    void failed();

private:
    bool Fits(const QPrinter& printer) const;
    void MakeInBackground(const QPageLayout& paper);
    void OnMade(bool ok);
    QString NextFile();

    hv::DocumentPlan m_plan;
    QWidget* m_parent;
    QTemporaryDir m_folder;
    int m_files = 0;
    QString m_document; // the finished document the preview paints; empty before the first
    QPageLayout m_layout;
    QString m_error;
    hv::DocumentJob* m_job = nullptr;
    std::optional<QPageLayout> m_wanted;
    QPointer<QPrintPreviewWidget> m_preview;
};
