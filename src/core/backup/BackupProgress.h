#pragma once

#include <algorithm>

namespace hv {

// Told how far a backup or a restore has come. Called on the thread that runs the
// operation, so a window must hand the figure over to its own thread.
class BackupProgress {
public:
    virtual ~BackupProgress() = default;
    // The share of the work done so far, from 0.0 to 1.0, never decreasing.
    virtual void OnProgress(double fraction) = 0;
};

// Tells progress (when there is one) that the whole operation has come to fraction.
inline void ReportProgress(BackupProgress* progress, double fraction) {
    if (progress)
        progress->OnProgress(fraction);
}

// One stage of an operation, owning the span [from, to] of the overall progress: a stage's
// own share from 0 to 1 is passed on as the matching overall share.
class ProgressStage {
public:
    ProgressStage(BackupProgress* progress, double from, double to)
        : m_progress(progress), m_from(from), m_to(to) {}

    void operator()(double share) const {
        ReportProgress(m_progress, m_from + (m_to - m_from) * std::clamp(share, 0.0, 1.0));
    }

private:
    BackupProgress* m_progress;
    double m_from;
    double m_to;
};

} // namespace hv
