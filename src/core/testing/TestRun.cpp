#include "testing/TestRun.h"

#include "common/Clock.h"
#include "common/OleDate.h"
#include "common/Random.h"
#include "data/AdoDb.h"
#include "data/Schema.h"
#include "testing/CHidDevice.h"
#include "testing/SensorShared.h"

#include <cstdio>
#include <filesystem>

namespace hv {
namespace {

constexpr std::array<std::uint8_t, 6> kBarPatterns{0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
// The progress worker stops counting after this many ticks; the last one completes the
// test without a tick of its own.
constexpr int kLastCountedTick = TestRun::kTicksToComplete - 1;
// A test stopped with more ticks than this still counts as complete.
constexpr int kFinishedAbove = TestRun::kTicksToComplete - 3;
constexpr int kTicksPerHalfSecond = 5;
constexpr int kTicksPerSecond = 10;
constexpr int kTicksPerStage = 50;
constexpr int kFirstStageTick = 10;
constexpr int kLastPlainStage = 10;
constexpr int kMaleFinalPicture = 11;
constexpr int kFemaleFinalPicture = 12;

void JoinIfRunning(std::thread& thread) {
    if (thread.joinable())
        thread.join();
}

std::string CurrentDirectoryFile(const char* name) {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    return ec ? std::string(name) : (dir / name).string();
}

} // namespace

TestRun::TestRun(TestRunListener& listener, SoundPlayer& sound, WorkerScheduler* scheduler)
    : m_listener(listener), m_sound(sound),
      m_ownScheduler(scheduler ? nullptr : std::make_unique<SystemScheduler>()),
      m_scheduler(scheduler ? *scheduler : *m_ownScheduler),
      m_soundPath(CurrentDirectoryFile("didi.wav")) {
    InitSensorOut();
    g_bPolling = false;
    g_bTesting = false;
    g_bContact = false;
}

TestRun::~TestRun() {
    g_bPolling = false;
    g_bTesting = false;
    g_bContact = false;
    m_scheduler.WakeSleepers();
    JoinIfRunning(m_progressThread);
    JoinIfRunning(m_blinkThread);
    JoinIfRunning(m_pollThread);
    g_bContact = false;
}

bool TestRun::LoadPerson() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT Sex FROM Examer WHERE ExamerID=?", {m_examerId}))
        return false;
    if (!db.IsEOF())
        m_bFemale = !SexIsMale(db.Field("Sex"));
    return true;
}

void TestRun::StartPolling() {
    if (m_pollThread.joinable())
        return;
    // Raised here rather than in the worker, so that a run destroyed at once still stops it.
    g_bPolling = true;
    m_pollThread = m_scheduler.Spawn([this] { PollSensor(); });
}

void TestRun::PollSensor() {
    CHidDevice link;
    do {
        if (!link.IsConnected() && !link.OpenSensor())
            break; // the sensor is gone: no more polling in this dialog
        // The sensor answers every output report, also while nobody reads, and the
        // interface keeps only so many answers. During a test each poll first takes what
        // was collected, so that the answer to its own report finds room and the reading
        // is never older than the poll.
        const bool testing = g_bTesting;
        if (testing)
            link.DrainInput();
        const SensorReport out = SnapshotSensorOut();
        link.WriteReport(out.data(), out.size());
        if (testing)
            g_bContact = link.ReadContact();
        m_scheduler.SleepWhile(g_bPolling, kPollPeriod);
    } while (g_bPolling);
    g_bContact = false;
}

void TestRun::Start() {
    if (m_state == TestRunState::Running || m_state == TestRunState::Ended)
        return;
    StopTestWorkers(); // leftovers of an earlier test have already ended; collect them
    m_lastHalfSecond = m_lastSecond = m_lastStage = 0;
    m_state = TestRunState::Running;
    g_bTesting = true;
    m_blinkThread = m_scheduler.Spawn([this] { Blink(); });
    m_progressThread = m_scheduler.Spawn([this] { CountContact(); });
}

void TestRun::Blink() {
    int phase = 0;
    while (g_bTesting) {
        g_SensorOut[report::kBlink] = phase == 1 ? report::kBlinkOn : 0x00;
        phase = 1 - phase;
        m_scheduler.SleepWhile(g_bTesting, kBlinkPeriod);
    }
}

void TestRun::CountContact() {
    if (!g_bTesting)
        return;
    int count = 0;
    do {
        if (g_bContact) {
            g_SensorOut[report::kTensDigit] = static_cast<std::uint8_t>(count / 100);
            g_SensorOut[report::kUnitsDigit] = static_cast<std::uint8_t>(count / 10 % 10);
            ++count;
            if (count > kLastCountedTick)
                break;
            ContactTick(count);
        }
        m_scheduler.SleepWhile(g_bTesting, kTickPeriod);
    } while (g_bTesting);
    if (count > kFinishedAbove) {
        g_bTesting = false;
        m_state = TestRunState::Finished;
        m_listener.OnTestFinished();
    }
}

void TestRun::ContactTick(int tick) {
    ContactTickReport changes;
    changes.tick = tick;
    if (tick / kTicksPerHalfSecond > m_lastHalfSecond) {
        WaveStep step;
        for (std::size_t line = 0; line < step.dx.size(); ++line) {
            step.dx[line] = rng::Next() % 60;
            step.dy[line] = 1 + rng::Next() % 60;
        }
        changes.wave = step;
        std::array<int, 4> bars{};
        for (int& bar : bars)
            bar = 1 + rng::Next() % 99;
        changes.levelBars = bars;
        g_SensorOut[report::kBarPattern] = kBarPatterns[m_patternIndex % kBarPatterns.size()];
        ++m_patternIndex;
        m_lastHalfSecond = tick / kTicksPerHalfSecond;
    }
    const int stage = tick / kTicksPerStage + 1;
    if (tick >= kFirstStageTick && stage > m_lastStage) {
        changes.stagePicture = StagePicture(stage);
        m_lastStage = stage;
    }
    if (tick / kTicksPerSecond > m_lastSecond) {
        m_sound.PlayAsync(m_soundPath);
        m_lastSecond = tick / kTicksPerSecond;
    }
    m_listener.OnContactTick(changes);
}

void TestRun::StopTestWorkers() {
    g_bTesting = false;
    if (!m_progressThread.joinable() && !m_blinkThread.joinable())
        return;
    m_scheduler.WakeSleepers();
    JoinIfRunning(m_progressThread);
    JoinIfRunning(m_blinkThread);
}

void TestRun::Cancel() {
    if (m_state != TestRunState::Running)
        return;
    // A test on its last two ticks finishes while its worker stops; that outcome stands.
    TestRunState running = TestRunState::Running;
    StopTestWorkers();
    m_state.compare_exchange_strong(running, TestRunState::Idle);
    IsSensorPresent();
}

bool TestRun::Save() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT * FROM MeasData LIMIT 0")) {
        Exit();
        return false;
    }
    db.CloseRecordset();
    const double now = OleNow();
    const std::string text = MakeMeasurementText(static_cast<std::uint32_t>(CurrentTimeSeconds()));
    const bool stored =
        db.AddRow("MeasData", {{"MeasDate", now}, {"ExamerID", m_examerId}, {"MeasValue", text}});
    db.Close();
    IsSensorPresent();
    m_state = TestRunState::Ended;
    return stored;
}

void TestRun::Exit() {
    StopTestWorkers();
    IsSensorPresent();
    m_state = TestRunState::Ended;
}

bool TestRun::DisplayTick(DisplayTickValues& values) {
    if (!g_bContact)
        return false;
    values.fieldDigits[0] = 1 + rng::Next() % 9;
    for (std::size_t i = 1; i < values.fieldDigits.size(); ++i)
        values.fieldDigits[i] = rng::Next() % 10;
    for (double& meter : values.meters)
        meter = (rng::Next() % 281) / 10.0;
    values.traceLength = 1 + rng::Next() % 30;
    return true;
}

int TestRun::StagePicture(int stage) const {
    if (stage > kLastPlainStage)
        return m_bFemale ? kFemaleFinalPicture : kMaleFinalPicture;
    return stage;
}

std::string TestRun::StagePicturePath(int picture) {
    char name[32];
    std::snprintf(name, sizeof name, "Image/%02d-2.000", picture);
    return name;
}

std::string TestRun::MakeMeasurementText(std::uint32_t seed) {
    rng::Seed(seed);
    std::string text;
    for (int i = 0; i < kMeasurementNumbers; ++i) {
        text += std::to_string(rng::Next() % 300);
        text += '-';
    }
    return text;
}

} // namespace hv
