#pragma once

#include "testing/WorkerScheduler.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <list>

namespace hv {

// Virtual time for the test run's workers. A pausing worker blocks until the controlling
// thread advances the clock past its wake-up time; wake-ups happen one at a time in time
// order (equal times in the order the pauses began), each worker running until it pauses
// again or ends. A whole test thus runs in a fraction of a second and always interleaves
// the same way. WakeSleepers() releases every pausing worker at once, as stopping does.
class VirtualScheduler final : public WorkerScheduler {
public:
    using Ms = std::chrono::milliseconds;

    VirtualScheduler() = default;
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    std::thread Spawn(std::function<void()> work) override;
    void SleepWhile(const std::atomic<bool>& running, Ms period) override;
    void WakeSleepers() override;

    // Waits until every worker pauses or has ended, without advancing the clock.
    void WaitIdle();
    // Advances the clock by `span`, waking each pause that falls due on the way.
    void RunFor(Ms span);
    // Advances the clock until `done()` holds (asked whenever every worker pauses) or
    // `limit` has passed. Returns whether `done()` held.
    bool RunUntil(const std::function<bool()>& done, Ms limit);

    Ms Now() const;
    // Workers that have been spawned and have not ended yet.
    int LiveWorkers() const;

private:
    struct Worker {
        enum class State { Running, Pausing } state = State::Running;
        Ms wakeAt{0};
        std::uint64_t order = 0;
    };

    bool AllPausedLocked() const;
    Worker* NextDueLocked(Ms limit);
    template <class Lock> bool Advance(Lock& lock, Ms target, const std::function<bool()>& done);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::list<Worker> m_workers; // stable addresses: each thread keeps a pointer to its own
    Ms m_now{0};
    std::uint64_t m_nextOrder = 0;
};

} // namespace hv
