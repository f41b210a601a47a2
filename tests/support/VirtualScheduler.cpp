#include "VirtualScheduler.h"

#include <algorithm>

namespace hv {
namespace {
thread_local void* t_worker = nullptr; // the calling thread's record, if it is a worker
}

VirtualScheduler::~VirtualScheduler() {
    // Workers are joined by their owners before the scheduler goes; nothing to wait for.
}

std::thread VirtualScheduler::Spawn(std::function<void()> work) {
    Worker* self = nullptr;
    {
        std::lock_guard lock(m_mutex);
        self = &m_workers.emplace_back();
    }
    return std::thread([this, self, work = std::move(work)] {
        t_worker = self;
        work();
        t_worker = nullptr;
        std::lock_guard lock(m_mutex);
        m_workers.remove_if([self](const Worker& w) { return &w == self; });
        m_changed.notify_all();
    });
}

void VirtualScheduler::SleepWhile(const std::atomic<bool>& running, Ms period) {
    auto* self = static_cast<Worker*>(t_worker);
    std::unique_lock lock(m_mutex);
    if (self == nullptr || !running.load())
        return;
    self->wakeAt = m_now + period;
    self->order = m_nextOrder++;
    self->state = Worker::State::Pausing;
    m_changed.notify_all();
    m_changed.wait(lock, [self] { return self->state == Worker::State::Running; });
}

void VirtualScheduler::WakeSleepers() {
    std::lock_guard lock(m_mutex);
    for (Worker& w : m_workers)
        w.state = Worker::State::Running;
    m_changed.notify_all();
}

void VirtualScheduler::WaitIdle() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return AllPausedLocked(); });
}

void VirtualScheduler::RunFor(Ms span) {
    std::unique_lock lock(m_mutex);
    Advance(lock, m_now + span, nullptr);
}

bool VirtualScheduler::RunUntil(const std::function<bool()>& done, Ms limit) {
    std::unique_lock lock(m_mutex);
    return Advance(lock, m_now + limit, done);
}

template <class Lock>
bool VirtualScheduler::Advance(Lock& lock, Ms target, const std::function<bool()>& done) {
    for (;;) {
        m_changed.wait(lock, [this] { return AllPausedLocked(); });
        if (done) {
            // Every worker pauses, so nothing changes while the question is asked unlocked.
            lock.unlock();
            const bool finished = done();
            lock.lock();
            if (finished)
                return true;
            if (!AllPausedLocked())
                continue;
        }
        Worker* next = NextDueLocked(target);
        if (next == nullptr) {
            m_now = std::max(m_now, target);
            return false;
        }
        m_now = std::max(m_now, next->wakeAt);
        next->state = Worker::State::Running;
        m_changed.notify_all();
    }
}

VirtualScheduler::Ms VirtualScheduler::Now() const {
    std::lock_guard lock(m_mutex);
    return m_now;
}

int VirtualScheduler::LiveWorkers() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_workers.size());
}

bool VirtualScheduler::AllPausedLocked() const {
    return std::all_of(m_workers.begin(), m_workers.end(),
                       [](const Worker& w) { return w.state == Worker::State::Pausing; });
}

VirtualScheduler::Worker* VirtualScheduler::NextDueLocked(Ms limit) {
    Worker* next = nullptr;
    for (Worker& w : m_workers) {
        if (w.wakeAt > limit)
            continue;
        if (next == nullptr || w.wakeAt < next->wakeAt ||
            (w.wakeAt == next->wakeAt && w.order < next->order))
            next = &w;
    }
    return next;
}

} // namespace hv
