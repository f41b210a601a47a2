#include "print/DocumentJob.h"

#include "data/OperatorTexts.h"
#include "print/DecorationOverlay.h"
#include "printing/PageDecoration.h"
#include "printing/PdfAssembly.h"
#include "printing/PrintSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <memory>

namespace hv {
namespace {

constexpr const char* kPartProperty = "halvoretPart";
// Set while the engine loads or prints for a page.
constexpr const char* kBusyProperty = "halvoretBusy";

void SetBusy(QWebEnginePage* page, bool busy) {
    page->setProperty(kBusyProperty, busy);
}

// The engine must not lose a page while it still loads or prints it, and a profile must
// outlive its pages. Pages at work when their job ends are let go once the engine is done
// with them, and the profile after the last of them.
void ReleaseWhenIdle(const std::vector<QWebEnginePage*>& pages, QWebEngineProfile* profile) {
    auto working = std::make_shared<int>(0);
    for (QWebEnginePage* page : pages) {
        if (!page->property(kBusyProperty).toBool()) {
            delete page;
            continue;
        }
        ++*working;
        const auto release = [page] { page->deleteLater(); };
        QObject::connect(page, &QWebEnginePage::loadFinished, page, release);
        QObject::connect(page, &QWebEnginePage::pdfPrintingFinished, page, release);
        QObject::connect(page, &QObject::destroyed, profile, [profile, working] {
            if (--*working == 0)
                profile->deleteLater();
        });
    }
    if (*working == 0)
        delete profile;
}

QString Text(std::string_view text, std::initializer_list<std::string_view> values = {}) {
    return QString::fromStdString(texts::FillText(text, values));
}

} // namespace

PrintOptions StationPrintOptions(const QPageLayout& paper) {
    return {paper, LoadPageTexts(), PrintsBackgrounds()};
}

QPageLayout BodyLayout(const QPageLayout& paper) {
    const QMarginsF m = paper.margins(QPageLayout::Point);
    const PageMargins body = BodyMargins({m.left(), m.top(), m.right(), m.bottom()});
    return QPageLayout(paper.pageSize(), paper.orientation(),
                       QMarginsF(body.left, body.top, body.right, body.bottom), QPageLayout::Point);
}

DocumentJob::DocumentJob(DocumentPlan plan, PrintOptions options, QString target, QObject* parent)
    : QObject(parent), m_plan(std::move(plan)), m_options(std::move(options)),
      m_target(std::move(target)), m_body(BodyLayout(m_options.paper)) {}

DocumentJob::~DocumentJob() {
    for (QWebEnginePage* page : m_pages)
        disconnect(page, nullptr, this, nullptr);
    if (m_profile != nullptr)
        ReleaseWhenIdle(m_pages, m_profile);
}

bool DocumentJob::Start() {
    if (m_started)
        return false;
    m_started = true;
    m_running = true;
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid()) {
        Fail(Text(texts::kPagesNotJoined, {m_work->errorString().toStdString()}));
        return true;
    }
    emit progress(0, Steps());
    // A profile of its own that keeps nothing on disk.
    m_profile = new QWebEngineProfile();
    const int parallel = std::min<int>(kParallelPages, static_cast<int>(m_plan.parts.size()));
    for (int i = 0; i < parallel && m_running; ++i) {
        auto* page = new QWebEnginePage(m_profile);
        page->settings()->setAttribute(QWebEngineSettings::PrintElementBackgrounds,
                                       m_options.backgrounds);
        connect(page, &QWebEnginePage::loadFinished, this,
                [this, page](bool ok) { OnLoaded(page, ok); });
        connect(page, &QWebEnginePage::pdfPrintingFinished, this,
                [this, page](const QString&, bool ok) { OnRendered(page, ok); });
        m_pages.push_back(page);
        StartNext(page);
    }
    if (m_plan.parts.empty())
        Assemble();
    return true;
}

void DocumentJob::Cancel() {
    if (!m_running)
        return;
    m_cancelled = true;
    Finish(false);
}

QString DocumentJob::PartFile(int index) const {
    return m_work->filePath(QStringLiteral("part-%1.pdf").arg(index, 3, 10, QLatin1Char('0')));
}

QString DocumentJob::PageName(int index) const {
    return QString::fromStdString(m_plan.parts[static_cast<std::size_t>(index)].page.string());
}

void DocumentJob::StartNext(QWebEnginePage* page) {
    if (!m_running || m_next >= static_cast<int>(m_plan.parts.size()))
        return;
    const int index = m_next++;
    page->setProperty(kPartProperty, index);
    SetBusy(page, true);
    const std::filesystem::path& file = m_plan.parts[static_cast<std::size_t>(index)].page;
    if (file.empty()) {
        page->setUrl(QUrl(QStringLiteral("about:blank")));
        return;
    }
    if (!std::filesystem::exists(file)) {
        SetBusy(page, false);
        Fail(Text(texts::kPageFileMissing, {file.string()}));
        return;
    }
    page->load(QUrl::fromLocalFile(PageName(index)));
}

void DocumentJob::OnLoaded(QWebEnginePage* page, bool ok) {
    SetBusy(page, false);
    if (!m_running)
        return;
    const int index = page->property(kPartProperty).toInt();
    if (!ok) {
        Fail(Text(texts::kPageNotLoaded, {PageName(index).toStdString()}));
        return;
    }
    SetBusy(page, true);
    page->printToPdf(PartFile(index), m_body);
}

void DocumentJob::OnRendered(QWebEnginePage* page, bool ok) {
    SetBusy(page, false);
    if (!m_running)
        return;
    const int index = page->property(kPartProperty).toInt();
    if (!ok || !QFileInfo::exists(PartFile(index))) {
        Fail(Text(texts::kPageNotRendered, {PageName(index).toStdString()}));
        return;
    }
    emit progress(++m_done, Steps());
    if (m_done == static_cast<int>(m_plan.parts.size()))
        Assemble();
    else
        StartNext(page);
}

void DocumentJob::Assemble() {
    if (!m_running)
        return;
    PdfAssembly assembly;
    std::string error;
    for (std::size_t i = 0; i < m_plan.parts.size(); ++i)
        if (!assembly.AddPart(m_plan.parts[i].title, PartFile(static_cast<int>(i)).toStdString(),
                              error)) {
            Fail(Text(texts::kPagesNotJoined, {error}));
            return;
        }
    const QString overlay = m_work->filePath(QStringLiteral("decorations.pdf"));
    QString drawError;
    if (!DrawDecorations(overlay, assembly.Pages(), m_options.paper.margins(QPageLayout::Point),
                         m_options.texts, drawError)) {
        Fail(Text(texts::kDecorationNotDrawn, {drawError.toStdString()}));
        return;
    }
    if (!assembly.Write(overlay.toStdString(), m_plan.title, m_target.toStdString(), error)) {
        Fail(Text(texts::kPagesNotJoined, {error}));
        return;
    }
    m_pageCount = static_cast<int>(assembly.Pages().size());
    emit progress(Steps(), Steps());
    Finish(true);
}

void DocumentJob::Fail(const QString& reason) {
    if (!m_running)
        return;
    m_error = reason;
    Finish(false);
}

// A page the engine prints is left to finish: stopping it then brings the engine down.
void DocumentJob::Finish(bool ok) {
    m_running = false;
    emit finished(ok);
}

} // namespace hv
