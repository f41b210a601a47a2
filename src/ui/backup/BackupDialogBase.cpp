#include "ui/backup/BackupDialogBase.h"

#include "backup/BackupOptions.h"
#include "data/MessageSink.h"
#include "data/StringTable.h"
#include "ui/widgets/FileDialog.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

// Hands the worker's progress to the GUI thread, once per step of the bar.
class BackupDialogBase::BarRelay final : public hv::BackupProgress {
public:
    explicit BarRelay(QProgressBar* bar) : m_bar(bar) {}

    void OnProgress(double fraction) override {
        const int step = static_cast<int>(std::floor(fraction * kBarSteps));
        if (step == m_step)
            return;
        m_step = step;
        QMetaObject::invokeMethod(
            m_bar, [bar = m_bar, step] { bar->setValue(step); }, Qt::QueuedConnection);
    }

private:
    QProgressBar* m_bar;
    int m_step = 0;
};

BackupDialogBase::BackupDialogBase(const QString& title, const QString& readyText, int picture,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("picture"));
    image->setPixmap(BitmapPicture(picture));

    m_text = new QLabel(readyText, this);
    m_text->setObjectName(QStringLiteral("statusText"));

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setRange(0, kBarSteps);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(260);

    m_start = new QPushButton(QStringLiteral("Start(&S)"), this);
    m_start->setObjectName(QStringLiteral("startButton"));
    m_start->setDefault(true);
    m_exit = new QPushButton(QStringLiteral("Exit"), this);
    m_exit->setObjectName(QStringLiteral("exitButton"));
    connect(m_start, &QPushButton::clicked, this, [this] { OnStart(); });
    connect(m_exit, &QPushButton::clicked, this, &BackupDialogBase::reject);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_text);
    texts->addWidget(m_bar);
    auto* body = new QHBoxLayout;
    body->addWidget(image);
    body->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

BackupDialogBase::~BackupDialogBase() {
    if (m_worker.joinable())
        m_worker.join();
}

std::string BackupDialogBase::ChooseArchive(ArchiveUse use) {
    const QString filter = QStringLiteral("Backup Files (*.zip)");
    const QString proposed = QDir::current().filePath(QStringLiteral("Backup.zip"));
    const QString file =
        use == ArchiveUse::Write
            ? FileDialog::getSaveFileName(this, UiText(hv::ids::BackupFileTo), proposed, filter)
            : FileDialog::getOpenFileName(this, UiText(hv::ids::OpenBackupFile), proposed, filter);
    if (file.isEmpty()) {
        reject();
        return {};
    }
    return QFile::encodeName(file).toStdString();
}

void BackupDialogBase::RunInBackground(std::function<void(const hv::BackupOptions&)> work) {
    m_start->setEnabled(false);
    m_exit->setEnabled(false);
    m_bar->setValue(0);
    m_worker = std::thread([this, work = std::move(work)] {
        BarRelay relay(m_bar);
        hv::BackupOptions options;
        options.progress = &relay;
        work(options);
        QMetaObject::invokeMethod(
            this, [this] { WorkEnded(); }, Qt::QueuedConnection);
    });
}

void BackupDialogBase::WorkEnded() {
    m_worker.join();
    m_exit->setEnabled(true);
    OnWorkDone();
}

void BackupDialogBase::reject() {
    if (!IsWorking())
        QDialog::reject();
}

void BackupDialogBase::closeEvent(QCloseEvent* event) {
    if (IsWorking())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

bool BackupDialogBase::Finish(bool succeeded, std::optional<int> finishedMessageId) {
    if (!succeeded) {
        reject();
        return false;
    }
    m_bar->setValue(kBarSteps);
    if (finishedMessageId)
        hv::ShowMessage(*finishedMessageId);
    accept();
    return true;
}
