#pragma once

namespace hv {
class SoundPlayer;
class WorkerScheduler;
} // namespace hv

// What a test replaces in the test dialog; the program takes the defaults (real time, the
// beep through Qt Multimedia).
struct CTestingOptions {
    hv::WorkerScheduler* scheduler = nullptr;
    hv::SoundPlayer* sound = nullptr;
};
