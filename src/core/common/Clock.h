#pragma once

#include <chrono>

namespace hv {

// The program's source of the current time. Production uses the system clock; tests
// install a fixed or stepping clock so that nothing depends on when they run.
class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
};

// The process-wide clock. SetClock(nullptr) restores the system clock; returns the clock
// that was installed before (nullptr for the system clock).
const Clock& CurrentClock();
const Clock* SetClock(const Clock* clock);

// Whole seconds since the epoch by the current clock, as the runtime's time() gives them.
long long CurrentTimeSeconds();

// A clock that always reads one instant, which a test may move.
class FixedClock final : public Clock {
public:
    explicit FixedClock(TimePoint now) : m_now(now) {}
    TimePoint Now() const override { return m_now; }
    void Set(TimePoint now) { m_now = now; }
    void Advance(std::chrono::system_clock::duration by) { m_now += by; }

private:
    TimePoint m_now;
};

// Installs a clock for the lifetime of a scope.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) : m_previous(SetClock(&clock)) {}
    ~ScopedClock() { SetClock(m_previous); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* m_previous;
};

} // namespace hv
