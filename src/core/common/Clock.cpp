#include "common/Clock.h"

#include <atomic>

namespace hv {
namespace {

class SystemClock final : public Clock {
public:
    TimePoint Now() const override { return std::chrono::system_clock::now(); }
};

const SystemClock g_systemClock;
std::atomic<const Clock*> g_clock{&g_systemClock};

} // namespace

const Clock& CurrentClock() {
    return *g_clock.load();
}

const Clock* SetClock(const Clock* clock) {
    const Clock* previous = g_clock.exchange(clock ? clock : &g_systemClock);
    return previous == &g_systemClock ? nullptr : previous;
}

long long CurrentTimeSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(CurrentClock().Now().time_since_epoch()).count();
}

} // namespace hv
