#pragma once

#include "testing/WorkerScheduler.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace hv {

// The random movement of the four wave lines for one half second of contact: per line a
// horizontal advance (0..59) and a vertical step (1..60).
struct WaveStep {
    std::array<int, 4> dx{};
    std::array<int, 4> dy{};
};

// What one contact tick changes on the displays.
struct ContactTickReport {
    int tick = 0;                                // contact ticks so far, 1..562
    std::optional<WaveStep> wave;                // a new half second: the wave moves...
    std::optional<std::array<int, 4>> levelBars; // ...and the four bars get values 1..99
    std::optional<int> stagePicture;             // number of the stage picture to show now
};

// Numbers of one display tick (every 100 ms of contact on the user-interface thread).
struct DisplayTickValues {
    std::array<int, 4> fieldDigits{}; // first 1..9, the others 0..9
    std::array<double, 2> meters{};   // 0.0 .. 28.0 in steps of 0.1
    int traceLength = 0;              // 1..30
};

// Told about the progress of a test, on the progress worker's thread.
class TestRunListener {
public:
    virtual ~TestRunListener() = default;
    virtual void OnContactTick(const ContactTickReport& report) = 0;
    // The test has its 563 contact ticks (or was cancelled on one of its last two).
    virtual void OnTestFinished() = 0;
};

// Plays the beep asynchronously; a missing file gives the system's default sound.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void PlayAsync(const std::string& path) = 0;
};

enum class TestRunState { Idle, Running, Finished, Ended };

// One test dialog's test run: the polling, blink and progress workers, the contact ticks
// with their stages and beeps, and storing the finished test. Driven from the
// user-interface thread; the workers report through the listener and the sound player.
// There is one run at a time: the workers share the process-wide report and flags.
class TestRun {
public:
    static constexpr int kTicksToComplete = 563;
    static constexpr std::chrono::milliseconds kPollPeriod{200};
    static constexpr std::chrono::milliseconds kBlinkPeriod{800};
    static constexpr std::chrono::milliseconds kTickPeriod{100};
    static constexpr int kIdleStage = 0;
    static constexpr int kMeasurementNumbers = 128;

    // Sets the shared report to its starting values and clears the flags. Without a
    // scheduler the workers run in real time.
    TestRun(TestRunListener& listener, SoundPlayer& sound, WorkerScheduler* scheduler = nullptr);
    // Clears the flags and waits for the workers, which end within moments.
    ~TestRun();
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    void SetExamerID(int examerId) { m_examerId = examerId; }
    int ExamerID() const { return m_examerId; }

    // Reads the person's sex. False when the database or the query cannot be opened (the
    // dialog then closes); a person without a row counts as male.
    bool LoadPerson();
    bool IsFemale() const { return m_bFemale; }

    // Starts the polling worker, which runs until the run is destroyed or the sensor is
    // lost.
    void StartPolling();
    // Starts a test (after the operator has confirmed the prompt).
    void Start();
    // Stops a running test and sends the reset report. A test on its last two ticks
    // still finishes.
    void Cancel();
    // Stores the finished test in MeasData with the current time and a string of 128
    // numbers from the generator seeded with the current second; sends the reset report.
    // True when the row was stored (the dialog ends with OK), false otherwise (Cancel).
    bool Save();
    // Sends the reset report; the dialog ends with Cancel.
    void Exit();

    // One display tick; false (and nothing drawn from the generator) without contact.
    bool DisplayTick(DisplayTickValues& values);

    TestRunState State() const { return m_state.load(); }
    // The stage picture shown for a stage number: the stages past 10 show the final
    // picture, 12 for a woman, 11 for a man.
    int StagePicture(int stage) const;
    int FinalStagePicture() const { return StagePicture(11); }
    // The file of a stage picture, relative to the working directory.
    static std::string StagePicturePath(int picture);
    // The beep, in the working directory at the time the run was made.
    const std::string& SoundPath() const { return m_soundPath; }

    // The measurement string for a seed: 128 numbers 0..299, each followed by "-". Seeds
    // the calling thread's generator.
    static std::string MakeMeasurementText(std::uint32_t seed);

private:
    void PollSensor();
    void Blink();
    void CountContact();
    void ContactTick(int tick);
    void StopTestWorkers();

    TestRunListener& m_listener;
    SoundPlayer& m_sound;
    std::unique_ptr<SystemScheduler> m_ownScheduler;
    WorkerScheduler& m_scheduler;

    int m_examerId = 0;
    bool m_bFemale = false;
    std::string m_soundPath;
    std::atomic<TestRunState> m_state{TestRunState::Idle};

    // Progress markers of the contact ticks, touched only by the progress worker while
    // it runs and reset by Start before it starts.
    int m_lastHalfSecond = 0;
    int m_lastSecond = 0;
    int m_lastStage = 0;
    // Next bar pattern; never reset, so a new test continues the cycle.
    unsigned m_patternIndex = 0;

    std::thread m_pollThread;
    std::thread m_blinkThread;
    std::thread m_progressThread;
};

} // namespace hv
