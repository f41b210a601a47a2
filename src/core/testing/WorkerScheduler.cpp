#include "testing/WorkerScheduler.h"

namespace hv {

std::thread SystemScheduler::Spawn(std::function<void()> work) {
    return std::thread(std::move(work));
}

void SystemScheduler::SleepWhile(const std::atomic<bool>& running,
                                 std::chrono::milliseconds period) {
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, period, [&] { return !running.load(); });
}

void SystemScheduler::WakeSleepers() {
    // Taking the lock orders this call after any sleeper's look at its flag.
    { std::lock_guard lock(m_mutex); }
    m_wake.notify_all();
}

} // namespace hv
