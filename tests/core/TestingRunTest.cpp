#include "DialogRun.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "VirtualScheduler.h"
#include "common/Clock.h"
#include "common/OleDate.h"
#include "common/Random.h"
#include "data/AdoDb.h"
#include "testing/CHidDevice.h"
#include "testing/SensorShared.h"
#include "testing/SimulatedHid.h"
#include "testing/TestRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>

namespace hv {
namespace {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint8_t kTouch = 48;

// What the workers reported, with the virtual time of each report.
class RecordingListener final : public TestRunListener, public SoundPlayer {
public:
    explicit RecordingListener(const VirtualScheduler& clock) : m_clock(clock) {}

    struct Tick {
        Ms at;
        ContactTickReport report;
        SensorReport sensorOut; // g_SensorOut right after the tick
    };

    void OnContactTick(const ContactTickReport& report) override {
        std::lock_guard lock(m_mutex);
        m_ticks.push_back({m_clock.Now(), report, SnapshotSensorOut()});
    }
    void OnTestFinished() override {
        std::lock_guard lock(m_mutex);
        m_finishedAt.push_back(m_clock.Now());
    }
    void PlayAsync(const std::string& path) override {
        std::lock_guard lock(m_mutex);
        m_beeps.push_back(m_clock.Now());
        m_soundPath = path;
    }

    std::vector<Tick> Ticks() const {
        std::lock_guard lock(m_mutex);
        return m_ticks;
    }
    std::vector<Ms> Finishes() const {
        std::lock_guard lock(m_mutex);
        return m_finishedAt;
    }
    std::vector<Ms> Beeps() const {
        std::lock_guard lock(m_mutex);
        return m_beeps;
    }
    int LastTick() const {
        std::lock_guard lock(m_mutex);
        return m_ticks.empty() ? 0 : m_ticks.back().report.tick;
    }
    bool Finished() const {
        std::lock_guard lock(m_mutex);
        return !m_finishedAt.empty();
    }
    void Forget() {
        std::lock_guard lock(m_mutex);
        m_ticks.clear();
        m_beeps.clear();
    }
    std::string SoundPath() const {
        std::lock_guard lock(m_mutex);
        return m_soundPath;
    }

private:
    const VirtualScheduler& m_clock;
    mutable std::mutex m_mutex;
    std::vector<Tick> m_ticks;
    std::vector<Ms> m_finishedAt;
    std::vector<Ms> m_beeps;
    std::string m_soundPath;
};

// A test dialog's run with a simulated sensor on virtual time, opened as the toolbar opens
// it: constructed, the presence check, then the polling worker.
class TestRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        sensor->SetContactLevel(kTouch);
        run = test::OpenDialogRun(listener, listener, clock);
        ASSERT_TRUE(run);
    }

    void StartTest() { test::StartTestRun(*run, clock); }
    bool RunToCompletion(Ms limit = 200s) {
        return clock.RunUntil([this] { return listener.Finished(); }, limit);
    }
    bool RunToTick(int tick, Ms limit = 200s) {
        return clock.RunUntil([&] { return listener.LastTick() >= tick; }, limit);
    }
    SensorReport LastWritten() const {
        const auto written = sensor->WrittenReports();
        SensorReport last{};
        std::copy_n(written.back().begin(), last.size(), last.begin());
        return last;
    }

    SimulatedHidBus bus;
    std::shared_ptr<SimulatedHidDevice> sensor = bus.AddDevice(0x5608, 0x0808);
    ScopedHidBackend useBus{bus};
    VirtualScheduler clock;
    RecordingListener listener{clock};
    std::unique_ptr<TestRun> run; // destroyed first: it joins its workers
};

TEST_F(TestRunTest, ConstructionSetsTheReportAndClearsTheFlags) {
    run.reset();
    g_bTesting = true;
    g_bContact = true;
    TestRun fresh(listener, listener, &clock);
    EXPECT_EQ(SnapshotSensorOut(), (SensorReport{0, 1, 0, 3, 6, 5, 0, 0, 0}));
    EXPECT_FALSE(g_bPolling);
    EXPECT_FALSE(g_bTesting);
    EXPECT_FALSE(g_bContact);
    EXPECT_EQ(fresh.State(), TestRunState::Idle);
}

TEST_F(TestRunTest, PollingWritesTheReportEveryPeriodButReadsOnlyDuringATest) {
    clock.RunFor(1000ms);
    const auto written = sensor->WrittenReports();
    // The presence check's reset report, then one per poll at 0, 200, ... 1000 ms.
    ASSERT_EQ(written.size(), 1u + 6u);
    for (const auto& report : written)
        EXPECT_THAT(report, ElementsAre(0, 1, 0, 3, 0, 0, 0, 0, 0));
    EXPECT_EQ(sensor->ReadCount(), 0);
    EXPECT_FALSE(g_bContact);
}

TEST_F(TestRunTest, ContinuousContactCompletesAfter563Ticks) {
    StartTest();
    ASSERT_TRUE(RunToCompletion());
    // Contact is first seen by the poll at 200 ms; tick n follows at 200 + 100 (n - 1) ms
    // and the 563rd tick, 100 ms after tick 562, completes the test.
    EXPECT_THAT(listener.Finishes(), ElementsAre(Ms(56400)));
    EXPECT_EQ(run->State(), TestRunState::Finished);
    EXPECT_FALSE(g_bTesting);

    const auto ticks = listener.Ticks();
    ASSERT_EQ(ticks.size(), 562u);
    for (int i = 0; i < 562; ++i) {
        ASSERT_EQ(ticks[i].report.tick, i + 1);
        ASSERT_EQ(ticks[i].at, Ms(200 + 100 * i));
    }
}

TEST_F(TestRunTest, TheSensorShowsWholeSecondsOfContact) {
    StartTest();
    ASSERT_TRUE(RunToCompletion());
    for (const auto& tick : listener.Ticks()) {
        const int before = tick.report.tick - 1; // the count before it was incremented
        ASSERT_EQ(tick.sensorOut[report::kTensDigit], before / 100) << tick.report.tick;
        ASSERT_EQ(tick.sensorOut[report::kUnitsDigit], before / 10 % 10) << tick.report.tick;
    }
    // What reached the sensor: 0 before the first tick, rising by whole seconds to 56.
    int shown = 0;
    for (const auto& report : sensor->WrittenReports()) {
        const int number = report[report::kTensDigit] * 10 + report[report::kUnitsDigit];
        ASSERT_GE(number, shown);
        ASSERT_LE(number, shown + 1);
        shown = number;
    }
    EXPECT_EQ(shown, 56);
}

TEST_F(TestRunTest, TheBarPatternAdvancesEveryHalfSecondThroughTheCycle) {
    StartTest();
    ASSERT_TRUE(RunToCompletion());
    const std::uint8_t cycle[] = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
    int changes = 0;
    for (const auto& tick : listener.Ticks()) {
        const bool halfSecond = tick.report.tick % 5 == 0;
        ASSERT_EQ(tick.report.wave.has_value(), halfSecond) << tick.report.tick;
        ASSERT_EQ(tick.report.levelBars.has_value(), halfSecond) << tick.report.tick;
        if (halfSecond) {
            ASSERT_EQ(tick.sensorOut[report::kBarPattern], cycle[changes % 6]);
            ++changes;
        }
    }
    EXPECT_EQ(changes, 112);
    // What reached the sensor: dark at first, then always the next pattern of the cycle.
    std::vector<std::uint8_t> seen;
    for (const auto& report : sensor->WrittenReports()) {
        if (seen.empty() || seen.back() != report[report::kBarPattern])
            seen.push_back(report[report::kBarPattern]);
    }
    ASSERT_GT(seen.size(), 100u);
    EXPECT_EQ(seen[0], 0);
    for (std::size_t i = 1; i < seen.size(); ++i)
        ASSERT_EQ(seen[i], cycle[(i - 1) % 6]) << i;
}

TEST_F(TestRunTest, WaveAndLevelBarsTakeTheirNumbersFromTheGenerator) {
    StartTest();
    ASSERT_TRUE(RunToTick(5));
    // A fresh worker's generator starts at state 1: the first half second draws the wave
    // (advance, then step, per line) and then the four bars.
    rng::Seed(1);
    WaveStep wave;
    for (int line = 0; line < 4; ++line) {
        wave.dx[line] = rng::Next() % 60;
        wave.dy[line] = 1 + rng::Next() % 60;
    }
    std::array<int, 4> bars{};
    for (int& bar : bars)
        bar = 1 + rng::Next() % 99;
    const auto ticks = listener.Ticks();
    const ContactTickReport& fifth = ticks.back().report;
    ASSERT_TRUE(fifth.wave && fifth.levelBars);
    EXPECT_EQ(fifth.wave->dx, wave.dx);
    EXPECT_EQ(fifth.wave->dy, wave.dy);
    EXPECT_EQ(*fifth.levelBars, bars);
}

TEST_F(TestRunTest, OneBeepPerSecondOfContact) {
    StartTest();
    ASSERT_TRUE(RunToCompletion());
    const auto beeps = listener.Beeps();
    ASSERT_EQ(beeps.size(), 56u);
    for (std::size_t i = 0; i < beeps.size(); ++i)
        EXPECT_EQ(beeps[i], Ms(200 + 100 * (10 * (i + 1) - 1))); // ticks 10, 20, ... 560
    EXPECT_EQ(listener.SoundPath(), run->SoundPath());
    EXPECT_THAT(run->SoundPath(), ::testing::EndsWith("didi.wav"));
}

struct StageCase {
    bool female;
    int finalPicture;
};

class TestRunStageTest : public TestRunTest, public ::testing::WithParamInterface<StageCase> {};

TEST_P(TestRunStageTest, StagesAdvanceEveryFiftyTicksToTheFinalPicture) {
    test::TestInstallation installation;
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(
        db.AddRow("Examer", {{"Name", "Ann Example"}, {"Sex", GetParam().female ? 0 : -1}}));
    run->SetExamerID(db.LastInsertKey());
    db.Close();
    ASSERT_TRUE(run->LoadPerson());
    EXPECT_EQ(run->IsFemale(), GetParam().female);

    StartTest();
    ASSERT_TRUE(RunToCompletion());
    std::vector<std::pair<int, int>> stages; // (tick, picture)
    for (const auto& tick : listener.Ticks()) {
        if (tick.report.stagePicture)
            stages.emplace_back(tick.report.tick, *tick.report.stagePicture);
    }
    const int last = GetParam().finalPicture;
    EXPECT_THAT(stages, ElementsAreArray(std::vector<std::pair<int, int>>{{10, 1},
                                                                          {50, 2},
                                                                          {100, 3},
                                                                          {150, 4},
                                                                          {200, 5},
                                                                          {250, 6},
                                                                          {300, 7},
                                                                          {350, 8},
                                                                          {400, 9},
                                                                          {450, 10},
                                                                          {500, last},
                                                                          {550, last}}));
    EXPECT_EQ(run->FinalStagePicture(), last);
    EXPECT_EQ(TestRun::StagePicturePath(last), last == 11 ? "Image/11-2.000" : "Image/12-2.000");
    EXPECT_EQ(TestRun::StagePicturePath(TestRun::kIdleStage), "Image/00-2.000");
}

INSTANTIATE_TEST_SUITE_P(BothSexes, TestRunStageTest,
                         ::testing::Values(StageCase{false, 11}, StageCase{true, 12}),
                         [](const auto& info) { return info.param.female ? "Woman" : "Man"; });

TEST_F(TestRunTest, APersonWithoutRowCountsAsMaleAndAMissingDatabaseRefuses) {
    {
        test::TestInstallation installation;
        run->SetExamerID(4711);
        EXPECT_TRUE(run->LoadPerson());
        EXPECT_FALSE(run->IsFemale());
        EXPECT_EQ(run->FinalStagePicture(), 11);
    }
    {
        // An empty Sex reads as male, as the person pane shows it.
        test::TestInstallation installation;
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.AddRow("Examer", {{"Name", "No Sex"}, {"Sex", DbValue()}}));
        run->SetExamerID(db.LastInsertKey());
        EXPECT_TRUE(run->LoadPerson());
        EXPECT_FALSE(run->IsFemale());
    }
    test::TempDir empty;
    test::ScopedWorkingDir cwd(empty.path());
    test::RecordingSink sink;
    EXPECT_FALSE(run->LoadPerson());
    EXPECT_FALSE(sink.messages.empty());
}

TEST_F(TestRunTest, LostContactPausesTheTestAndLengthensIt) {
    StartTest();
    clock.RunFor(20000ms);
    sensor->SetContactLevel(0); // the hand comes off for ten seconds
    clock.RunFor(300ms);        // the next poll notices
    const int ticksAtPause = listener.LastTick();
    const std::size_t beepsAtPause = listener.Beeps().size();
    clock.RunFor(9700ms);
    EXPECT_EQ(listener.LastTick(), ticksAtPause);     // nothing counted...
    EXPECT_EQ(listener.Beeps().size(), beepsAtPause); // ...and no beep
    sensor->SetContactLevel(kTouch);
    ASSERT_TRUE(RunToCompletion());
    // Continuous contact completes at 56.4 s; the pause adds its ten seconds.
    EXPECT_THAT(listener.Finishes(), ElementsAre(Ms(66400)));
    EXPECT_EQ(listener.Ticks().size(), 562u);
    EXPECT_EQ(listener.Beeps().size(), 56u);
}

TEST_F(TestRunTest, AfterALongIdleContactAndReleaseAreSeenByTheNextPoll) {
    // The sensor answers the 100 polls of an idle dialog while nobody reads.
    sensor->SetContactLevel(0);
    clock.RunFor(20s);
    ASSERT_EQ(sensor->HeldReports(), std::vector<std::size_t>{SimulatedHidDevice::kHeldReports});
    sensor->SetContactLevel(kTouch);
    StartTest();
    clock.RunFor(200ms); // the next poll
    EXPECT_TRUE(g_bContact);
    EXPECT_EQ(listener.LastTick(), 1);
    clock.RunFor(5s);
    sensor->SetContactLevel(0);
    clock.RunFor(200ms);
    EXPECT_FALSE(g_bContact);
    const int ticks = listener.LastTick();
    clock.RunFor(5s);
    EXPECT_EQ(listener.LastTick(), ticks);
}

TEST_F(TestRunTest, AnUnpluggedSensorEndsPollingAndTheTestNeverCompletes) {
    StartTest();
    clock.RunFor(5000ms);
    const int ticks = listener.LastTick();
    ASSERT_GT(ticks, 0);
    sensor->Unplug();
    EXPECT_FALSE(RunToCompletion(120s));
    EXPECT_LE(listener.LastTick(), ticks + 2);
    EXPECT_FALSE(g_bContact);
    EXPECT_EQ(clock.LiveWorkers(), 2); // blink and progress wait; polling has ended
    sensor->Plug();
    clock.RunFor(10s);
    EXPECT_LE(listener.LastTick(), ticks + 2); // only a new dialog polls again
    run->Cancel();
    EXPECT_EQ(run->State(), TestRunState::Idle);
    EXPECT_EQ(clock.LiveWorkers(), 0);
}

TEST_F(TestRunTest, CancelStopsTheTestAndAStartAgainContinuesTheBarCycle) {
    StartTest();
    ASSERT_TRUE(RunToTick(12));
    EXPECT_EQ(g_SensorOut[report::kBarPattern], 0xC0); // two half seconds: 0x80, 0xC0
    run->Cancel();
    EXPECT_EQ(run->State(), TestRunState::Idle);
    EXPECT_FALSE(g_bTesting);
    EXPECT_EQ(clock.LiveWorkers(), 1); // only polling
    // The reset report went out through a fresh link: dark bar, digits 0.
    const SensorReport reset = LastWritten();
    EXPECT_EQ(reset[report::kBarPattern], 0);
    EXPECT_EQ(reset[report::kUnitsDigit], 0);
    EXPECT_EQ(reset[report::kTensDigit], 0);
    clock.RunFor(5s);
    EXPECT_EQ(listener.LastTick(), 12);

    listener.Forget();
    StartTest();
    ASSERT_TRUE(RunToTick(10));
    const auto ticks = listener.Ticks();
    EXPECT_EQ(ticks.front().report.tick, 1);                  // counting starts again
    EXPECT_EQ(ticks[4].sensorOut[report::kBarPattern], 0xE0); // the cycle goes on
    EXPECT_EQ(ticks[9].sensorOut[report::kBarPattern], 0xF0);
    ASSERT_TRUE(ticks[9].report.stagePicture);
    EXPECT_EQ(*ticks[9].report.stagePicture, 1);
    EXPECT_FALSE(listener.Finished());
}

TEST_F(TestRunTest, CancelOnTheLastTwoTicksStillFinishes) {
    const std::pair<int, bool> cases[] = {{560, false}, {561, true}, {562, true}};
    for (const auto& [tick, finishes] : cases) {
        SCOPED_TRACE(tick);
        listener.Forget();
        StartTest();
        ASSERT_TRUE(RunToTick(tick));
        const std::size_t finishedBefore = listener.Finishes().size();
        run->Cancel();
        EXPECT_EQ(listener.Finishes().size(), finishedBefore + (finishes ? 1 : 0));
        EXPECT_EQ(run->State(), finishes ? TestRunState::Finished : TestRunState::Idle);
        if (finishes) {
            // Start again only from a new dialog; here the next round needs a new run.
            run.reset();
            run = std::make_unique<TestRun>(listener, listener, &clock);
            run->StartPolling();
            clock.WaitIdle();
        }
    }
}

TEST_F(TestRunTest, TheBlinkBitAlternatesEvery800MsAndKeepsItsLastValue) {
    StartTest();
    const std::pair<Ms, std::uint8_t> samples[] = {
        {400ms, 0x00}, {1200ms, 0x80}, {2000ms, 0x00}, {2800ms, 0x80}, {3600ms, 0x00}};
    Ms now{0};
    for (const auto& [at, blink] : samples) {
        clock.RunFor(at - now);
        now = at;
        EXPECT_EQ(g_SensorOut[report::kBlink], blink) << at.count();
    }
    clock.RunFor(400ms); // 4000 ms: on again
    run->Cancel();
    clock.RunFor(5s);
    EXPECT_EQ(g_SensorOut[report::kBlink], report::kBlinkOn);
}

TEST_F(TestRunTest, DisplayTicksDrawOnlyDuringContact) {
    DisplayTickValues values;
    EXPECT_FALSE(run->DisplayTick(values));
    StartTest();
    clock.RunFor(400ms);
    ASSERT_TRUE(g_bContact);
    rng::Seed(77);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_TRUE(run->DisplayTick(values));
        ASSERT_GE(values.fieldDigits[0], 1);
        ASSERT_LE(values.fieldDigits[0], 9);
        for (int d = 1; d < 4; ++d) {
            ASSERT_GE(values.fieldDigits[d], 0);
            ASSERT_LE(values.fieldDigits[d], 9);
        }
        for (double meter : values.meters) {
            ASSERT_GE(meter, 0.0);
            ASSERT_LE(meter, 28.0);
        }
        ASSERT_GE(values.traceLength, 1);
        ASSERT_LE(values.traceLength, 30);
    }
    // Seven numbers per tick: four digits, two meters, the trace.
    rng::Seed(77);
    for (int i = 0; i < 7; ++i)
        rng::Next();
    const int expectedFirst = 1 + rng::Next() % 9;
    rng::Seed(77);
    run->DisplayTick(values);
    run->DisplayTick(values);
    EXPECT_EQ(values.fieldDigits[0], expectedFirst);
}

class TestRunSaveTest : public TestRunTest {
protected:
    void SetUp() override {
        TestRunTest::SetUp();
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.AddRow("Examer", {{"Name", "Bo Example"}, {"Sex", -1}}));
        examerId = db.LastInsertKey();
        run->SetExamerID(examerId);
        StartTest();
        ASSERT_TRUE(RunToCompletion());
    }

    std::vector<std::string> StoredTexts() {
        std::vector<std::string> texts;
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.OpenRecordset(
            "SELECT MeasValue FROM MeasData WHERE ExamerID=? ORDER BY MeasID", {examerId}));
        for (; !db.IsEOF(); db.MoveNext())
            texts.push_back(db.GetText("MeasValue"));
        return texts;
    }

    test::TestInstallation installation; // made before SetUp, so the run finds it
    FixedClock fixed{std::chrono::system_clock::from_time_t(1767225600) + 3h + 25min + 7s};
    ScopedClock useClock{fixed};
    int examerId = 0;
};

TEST_F(TestRunSaveTest, SaveStoresOneRowWithTheTimeAndAStringOf128Numbers) {
    ASSERT_TRUE(run->Save());
    EXPECT_EQ(run->State(), TestRunState::Ended);

    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.OpenRecordset("SELECT * FROM MeasData WHERE ExamerID=?", {examerId}));
    ASSERT_EQ(db.RecordCount(), 1u);
    EXPECT_DOUBLE_EQ(db.GetDouble("MeasDate"), OleNow());
    const std::string text = db.GetText("MeasValue");

    EXPECT_EQ(text, TestRun::MakeMeasurementText(1767225600u + 3 * 3600 + 25 * 60 + 7));
    std::istringstream numbers(text);
    std::string number;
    int count = 0;
    while (std::getline(numbers, number, '-')) {
        ASSERT_FALSE(number.empty());
        ASSERT_LE(std::stoi(number), 299);
        ++count;
    }
    EXPECT_EQ(count, 128);
    EXPECT_EQ(text.back(), '-');
    EXPECT_GE(text.size(), 256u);
    EXPECT_LE(text.size(), 512u);

    const SensorReport reset = LastWritten();
    EXPECT_EQ(reset[report::kBarPattern], 0);
    EXPECT_EQ(reset[report::kUnitsDigit] + reset[report::kTensDigit], 0);
}

TEST_F(TestRunSaveTest, TwoSavesInOneSecondStoreTheSameString) {
    ASSERT_TRUE(run->Save());
    // A second test of the same person, saved within the same second.
    run.reset();
    run = std::make_unique<TestRun>(listener, listener, &clock);
    run->SetExamerID(examerId);
    run->StartPolling();
    StartTest();
    ASSERT_TRUE(RunToCompletion());
    fixed.Advance(900ms);
    ASSERT_TRUE(run->Save());
    const auto texts = StoredTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], texts[1]);
    fixed.Advance(1s);
    EXPECT_NE(TestRun::MakeMeasurementText(static_cast<std::uint32_t>(CurrentTimeSeconds())),
              texts[0]);
}

TEST_F(TestRunSaveTest, WithoutTheDatabaseSaveStoresNothingAndResetsTheSensor) {
    std::filesystem::rename(installation.databasePath(), installation.databasePath() + ".away");
    test::RecordingSink sink;
    const std::size_t writes = sensor->WrittenReports().size();
    EXPECT_FALSE(run->Save());
    EXPECT_EQ(run->State(), TestRunState::Ended);
    EXPECT_FALSE(sink.messages.empty());
    EXPECT_GT(sensor->WrittenReports().size(), writes);
    EXPECT_EQ(LastWritten()[report::kBarPattern], 0);
}

TEST_F(TestRunSaveTest, ARowTheDatabaseRefusesIsReportedAndNotCountedAsSaved) {
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute("CREATE TRIGGER NoTests BEFORE INSERT ON MeasData "
                               "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END"));
    }
    test::RecordingSink sink;
    EXPECT_FALSE(run->Save());
    EXPECT_THAT(sink.messages, ElementsAre(::testing::HasSubstr("the disk is full")));
    EXPECT_TRUE(StoredTexts().empty());
    EXPECT_EQ(LastWritten()[report::kBarPattern], 0);
}

TEST_F(TestRunTest, ExitSendsTheResetReport) {
    StartTest();
    ASSERT_TRUE(RunToTick(30));
    run->Cancel();
    g_SensorOut[report::kBarPattern] = 0xF8;
    g_SensorOut[report::kUnitsDigit] = 3;
    run->Exit();
    EXPECT_EQ(run->State(), TestRunState::Ended);
    const SensorReport reset = LastWritten();
    EXPECT_EQ(reset[report::kBarPattern], 0);
    EXPECT_EQ(reset[report::kUnitsDigit], 0);
}

TEST_F(TestRunTest, DestroyingTheRunStopsEveryWorker) {
    StartTest();
    clock.RunFor(3s);
    EXPECT_EQ(clock.LiveWorkers(), 3);
    run.reset();
    EXPECT_EQ(clock.LiveWorkers(), 0);
    EXPECT_FALSE(g_bPolling);
    EXPECT_FALSE(g_bTesting);
    EXPECT_FALSE(g_bContact);
}

TEST(TestRunRealTimeTest, DestroyingARunningTestReturnsPromptly) {
    // Real time: stopping must not wait out the 800 ms blink pause or a sensor read.
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(0x5608, 0x0808);
    sensor->SetContactLevel(kTouch);
    ScopedHidBackend use(bus);
    struct Quiet final : TestRunListener, SoundPlayer {
        void OnContactTick(const ContactTickReport&) override {}
        void OnTestFinished() override {}
        void PlayAsync(const std::string&) override {}
    } quiet;
    auto run = std::make_unique<TestRun>(quiet, quiet);
    run->StartPolling();
    run->Start();
    run.reset(); // joins; a hang here fails the test by its time-out
    EXPECT_FALSE(g_bPolling);
    EXPECT_EQ(sensor->OpenConnections(), 0);
}

} // namespace
} // namespace hv
