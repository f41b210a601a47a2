#pragma once

#include <cstdint>
#include <functional>

namespace hv {

// Passes on how far a long copy has come, as a share from 0 to 1, only when it has moved by
// at least a thousandth, so a callback that repaints a window is not flooded.
class ProgressThrottle {
public:
    explicit ProgressThrottle(const std::function<void(double)>& onProgress)
        : m_onProgress(onProgress) {}

    void Report(std::uintmax_t done, std::uintmax_t total) {
        if (!m_onProgress)
            return;
        const int permille = total == 0 ? 1000 : static_cast<int>(done * 1000 / total);
        if (permille != m_last) {
            m_last = permille;
            m_onProgress(permille / 1000.0);
        }
    }

private:
    const std::function<void(double)>& m_onProgress;
    int m_last = -1;
};

} // namespace hv
