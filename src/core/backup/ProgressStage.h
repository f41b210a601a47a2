#pragma once

#include "backup/BackupOptions.h"

#include <algorithm>

namespace hv {

// One stage of an operation, owning the span [from, to] of the overall progress: a stage's
// own share from 0 to 1 is passed on as the matching overall share.
class ProgressStage {
public:
    ProgressStage(BackupProgress* progress, double from, double to)
        : m_progress(progress), m_from(from), m_to(to) {}

    void operator()(double share) const {
        if (m_progress)
            m_progress->OnProgress(m_from + (m_to - m_from) * std::clamp(share, 0.0, 1.0));
    }

private:
    BackupProgress* m_progress;
    double m_from;
    double m_to;
};

} // namespace hv
