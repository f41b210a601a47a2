#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace hv {
struct BackupOptions;
}

// What the backup and the restore dialogs share: a picture, a line of text, a progress bar
// of 20 steps, Start and Exit. The work runs on a worker thread, so the window keeps
// painting; the bar moves through queued calls. While the work runs the dialog cannot be
// closed, since the files are half-way through a change.
class BackupDialogBase : public QDialog {
    Q_OBJECT

public:
    static constexpr int kBarSteps = 20;

    ~BackupDialogBase() override;

    QProgressBar* ProgressBar() const { return m_bar; }
    QPushButton* StartButton() const { return m_start; }
    bool IsWorking() const { return m_worker.joinable(); }

    // Escape, the close button and Exit do nothing while the work runs.
    void reject() override;

protected:
    BackupDialogBase(const QString& title, const QString& readyText, int picture, QWidget* parent);

    // Start was pressed.
    virtual void OnStart() = 0;
    // The work has ended; called on the GUI thread after the worker has been joined.
    virtual void OnWorkDone() = 0;

    // Asks for the archive in a file dialog that proposes "Backup.zip" in the current folder
    // and lists zip files: to be written or to be read. The chosen path as the file system
    // spells it; empty when the operator cancelled, which closes this dialog.
    enum class ArchiveUse { Write, Read };
    std::string ChooseArchive(ArchiveUse use);
    // Runs work on the worker thread with options whose progress moves the bar.
    void RunInBackground(std::function<void(const hv::BackupOptions&)> work);
    // Ends the dialog after the work: a failure (already reported by the work) cancels it;
    // a success fills the bar, shows the finishing message (unless the work has told the
    // operator what to know already) and accepts. Returns succeeded.
    bool Finish(bool succeeded, std::optional<int> finishedMessageId);

    void closeEvent(QCloseEvent* event) override;

private:
    class BarRelay;

    void WorkEnded();

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_exit = nullptr;
    std::thread m_worker;
};
