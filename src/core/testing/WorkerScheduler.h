#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace hv {

// Starts the test run's worker threads and times their periodic pauses. The program uses
// real time; tests use a VirtualScheduler, which runs a whole test in a moment.
class WorkerScheduler {
public:
    virtual ~WorkerScheduler() = default;

    // Starts a worker thread; the caller joins it.
    virtual std::thread Spawn(std::function<void()> work) = 0;
    // Pauses the calling worker for `period` while `running` stays true. Returns early
    // once `running` is false and WakeSleepers() has been called after it was cleared.
    virtual void SleepWhile(const std::atomic<bool>& running, std::chrono::milliseconds period) = 0;
    // Makes every pausing worker look at its flag again.
    virtual void WakeSleepers() = 0;
};

// Real time: pauses are condition-variable waits, so stopping never waits out a period.
class SystemScheduler final : public WorkerScheduler {
public:
    std::thread Spawn(std::function<void()> work) override;
    void SleepWhile(const std::atomic<bool>& running, std::chrono::milliseconds period) override;
    void WakeSleepers() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace hv
