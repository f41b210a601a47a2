#include "ui/persons/CProgress.h"

#include "analysis/AnalysisRun.h"
#include "ui/persons/PersonPictures.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <exception>

namespace {

std::atomic<long long> g_pacingMs{50};

constexpr int kStepSize = 2;
constexpr int kPicture = 133;

} // namespace

// Hands each finished step of the worker to the GUI thread, after the pause that paces the
// report pages.
class CProgress::StepRelay final : public hv::AnalysisProgress {
public:
    explicit StepRelay(CProgress* dialog) : m_dialog(dialog) {}

    void StepDone(int step) override {
        if (step < hv::kAnalysisSteps)
            std::this_thread::sleep_for(Pacing());
        QMetaObject::invokeMethod(
            m_dialog, [d = m_dialog] { d->StepIt(); }, Qt::QueuedConnection);
    }

private:
    CProgress* m_dialog;
};

CProgress::CProgress(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("progressDialog"));
    setModal(true);
    setFixedSize(414, 88);

    auto* picture = new QLabel(this);
    picture->setPixmap(PersonPicture(kPicture));
    picture->move(35, 24);
    picture->adjustSize();

    auto* text = new QLabel(QStringLiteral("Processing information, please wait..."), this);
    text->setObjectName(QStringLiteral("progressText"));
    text->move(88, 16);
    text->adjustSize();

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setGeometry(88, 39, 276, 23);
    m_progress->setRange(0, hv::kAnalysisSteps * kStepSize);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
}

CProgress::~CProgress() {
    if (m_worker.joinable())
        m_worker.join();
}

void CProgress::SetPacing(std::chrono::milliseconds pause) {
    g_pacingMs = pause.count();
}

std::chrono::milliseconds CProgress::Pacing() {
    return std::chrono::milliseconds(g_pacingMs.load());
}

int CProgress::exec() {
    m_finished = false;
    m_run = std::make_unique<hv::CAnalysisRun>(m_MeasID);
    // Preparing reads the person, the report list and the settings; what fails has been
    // reported, and the dialog ends before it shows.
    if (m_run->Prepare() != hv::PrepareResult::Ready) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    m_progress->setValue(0);
    m_worker = std::thread([this] {
        StepRelay relay(this);
        try {
            m_run->Run(&relay);
        } catch (const std::exception&) {
            // The run reports its own failures; nothing is left to do but close.
        }
        QMetaObject::invokeMethod(
            this, [this] { WorkDone(); }, Qt::QueuedConnection);
    });
    return QDialog::exec();
}

void CProgress::StepIt() {
    m_progress->setValue(m_progress->value() + kStepSize);
}

void CProgress::WorkDone() {
    if (m_worker.joinable())
        m_worker.join();
    QTimer::singleShot(Pacing(), this, [this] {
        m_finished = true;
        accept();
    });
}

void CProgress::reject() {
    if (m_finished)
        QDialog::reject();
}

void CProgress::closeEvent(QCloseEvent* event) {
    if (!m_finished)
        event->ignore();
}
