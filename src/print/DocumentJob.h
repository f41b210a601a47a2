#pragma once

#include "printing/DocumentPlan.h"
#include "settings/PageHeadFoot.h"

#include <QObject>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class QWebEnginePage;
class QWebEngineProfile;

namespace hv {

// How a document is printed: the printer's page (size, orientation, margins), the header
// and footer texts, and whether page backgrounds are printed.
struct PrintOptions {
    QPageLayout paper{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    PageTexts texts;
    bool backgrounds = false;
};

// The options of this station for a printer's page: the stored header and footer texts and
// the station's background switch.
PrintOptions StationPrintOptions(const QPageLayout& paper);

// The page the browser engine lays a report out on: the paper with room left for the
// header and footer.
QPageLayout BodyLayout(const QPageLayout& paper);

// Makes one finished PDF file of a document plan: every part rendered by the browser engine,
// the header, footer, page numbers and the line about the values drawn over each page,
// the pages numbered through the whole document, an outline entry per part. It runs in the
// background on the thread's event loop: Start returns at once, progress tells how many
// steps are done, finished tells how it ended. The target is written beside itself and
// renamed into place, so a failed or cancelled job leaves it as it was. A job runs once.
class DocumentJob : public QObject {
    Q_OBJECT

public:
    DocumentJob(DocumentPlan plan, PrintOptions options, QString target, QObject* parent = nullptr);
    ~DocumentJob() override;

    // False when the job has run or runs already (a second start is refused, never lost:
    // the first goes on).
    bool Start();
    // Stops the job; finished follows with Cancelled() true. Nothing when it has ended.
    void Cancel();

    bool IsRunning() const { return m_running; }
    // The steps progress counts to: one per part, and the putting together.
    int Steps() const { return static_cast<int>(m_plan.parts.size()) + 1; }
    const QString& Target() const { return m_target; }
    const PrintOptions& Options() const { return m_options; }
    // After a successful end: the pages of the document.
    int PageCount() const { return m_pageCount; }
    // After a failed end: what failed, in words for the operator; empty when cancelled.
    const QString& Error() const { return m_error; }
    bool Cancelled() const { return m_cancelled; }

    // How many pages the engine renders at the same time.
    static constexpr int kParallelPages = 2;

signals:
    void progress(int done, int total);
    void finished(bool ok);

private:
    void StartNext(QWebEnginePage* page);
    void OnLoaded(QWebEnginePage* page, bool ok);
    void OnRendered(QWebEnginePage* page, bool ok);
    void Assemble();
    void Fail(const QString& reason);
    void Finish(bool ok);
    QString PartFile(int index) const;
    QString PageName(int index) const;

    DocumentPlan m_plan;
    PrintOptions m_options;
    QString m_target;
    QPageLayout m_body;
    std::unique_ptr<QTemporaryDir> m_work;
    QWebEngineProfile* m_profile = nullptr;
    std::vector<QWebEnginePage*> m_pages;
    int m_next = 0;
    int m_done = 0;
    int m_pageCount = 0;
    bool m_started = false;
    bool m_running = false;
    bool m_cancelled = false;
    QString m_error;
};

} // namespace hv
