#pragma once

#include <QDialog>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

class QProgressBar;

namespace hv {
class CAnalysisRun;
}

// "Processing information, please wait...": runs the analysis of one test on a worker
// thread while its bar advances, and closes itself with OK when every page is written.
// The operator can neither close nor cancel it. When the analysis cannot start (the test or
// its person is missing, the database cannot be read) it ends with Cancel without showing.
class CProgress : public QDialog {
    Q_OBJECT

public:
    explicit CProgress(QWidget* parent = nullptr);
    ~CProgress() override;

    // The test to analyse; set before exec().
    int m_MeasID = 0;

    int exec() override;

    // The pause after each report page, which lets the operator follow the bar, and before
    // the dialog closes. 50 ms in the program; tests shorten it.
    static void SetPacing(std::chrono::milliseconds pause);
    static std::chrono::milliseconds Pacing();

    QProgressBar* ProgressBar() const { return m_progress; }

    // Escape, the close button and Alt+F4 do nothing while the analysis runs.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class StepRelay;

    void StepIt();
    void WorkDone();

    QProgressBar* m_progress = nullptr;
    std::unique_ptr<hv::CAnalysisRun> m_run;
    std::thread m_worker;
    bool m_finished = false;
};
