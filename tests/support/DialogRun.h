#pragma once

#include "VirtualScheduler.h"
#include "testing/SensorShared.h"
#include "testing/TestRun.h"

#include <memory>

namespace hv::test {

// A test dialog's run on virtual time, opened as the toolbar opens it: constructed, the
// presence check, then the polling worker, which has made its first poll on return. Null
// when the presence check finds no sensor.
inline std::unique_ptr<TestRun> OpenDialogRun(TestRunListener& listener, SoundPlayer& sound,
                                              VirtualScheduler& clock) {
    auto run = std::make_unique<TestRun>(listener, sound, &clock);
    if (!IsSensorPresent())
        return nullptr;
    run->StartPolling();
    clock.WaitIdle();
    return run;
}

// Start, as after the prompt's OK; the test's workers have started on return.
inline void StartTestRun(TestRun& run, VirtualScheduler& clock) {
    run.Start();
    clock.WaitIdle();
}

} // namespace hv::test
