// The real hidapi backend, the sensor link and the test run's polling worker against the
// model of the HID stack (HidStackModel): what the sensor and hidraw do to the readings.

#include "DialogRun.h"
#include "HidStackModel.h"
#include "VirtualScheduler.h"
#include "testing/CHidDevice.h"
#include "testing/HidapiBackend.h"
#include "testing/SensorShared.h"
#include "testing/TestRun.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace hv {
namespace {

using namespace std::chrono_literals;
using test::HidStackModel;

constexpr std::uint8_t kTouch = 48;
const std::vector<std::uint8_t> kReport{0, 1, 0xC0, 3, 4, 2, 0x80, 0, 0};

// Every test starts with an empty machine and a fresh backend on it.
class HidStackTest : public ::testing::Test {
protected:
    int AddSensor() {
        return model.AddDevice(CHidDevice::kSensorVendorId, CHidDevice::kSensorProductId);
    }

    HidStackModel& model = HidStackModel::Instance();
    int emptied = (model.Reset(), 0);
    HidapiBackend backend;
    ScopedHidBackend useBackend{backend};
};

TEST_F(HidStackTest, OnlyTheSensorsInterfaceIsOpened) {
    const int keyboard = model.AddDevice(0x046D, 0xC31C);
    const int otherProduct = model.AddDevice(CHidDevice::kSensorVendorId, 0x0809);
    const int sensor = AddSensor();
    CHidDevice link;
    ASSERT_TRUE(link.OpenSensor());
    EXPECT_EQ(model.OpenCount(keyboard), 0);
    EXPECT_EQ(model.OpenCount(otherProduct), 0);
    EXPECT_EQ(model.OpenHandles(sensor), 1);
}

TEST_F(HidStackTest, ReportsCrossTheBackendAsHidrawCarriesThem) {
    const int sensor = AddSensor();
    CHidDevice link;
    ASSERT_TRUE(link.OpenSensor());
    const std::pair<std::uint8_t, bool> levels[] = {{0, false}, {1, true}, {96, false}};
    for (const auto& [level, contact] : levels) {
        model.SetContactLevel(sensor, level);
        ASSERT_TRUE(link.WriteReport(kReport.data(), kReport.size()));
        EXPECT_EQ(link.ReadContact(), contact) << int(level);
        // hidraw leaves the report id out; the link puts it back in front.
        EXPECT_EQ(link.InputReport()[0], 0);
        EXPECT_EQ(link.InputReport()[2], level);
    }
    const auto written = model.WrittenReports(sensor);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0], kReport);
}

TEST_F(HidStackTest, AnUnplugFailsWritesAndReadsUntilTheSensorReturns) {
    const int sensor = AddSensor();
    CHidDevice link;
    ASSERT_TRUE(link.OpenSensor());
    model.Unplug(sensor);
    model.Plug(sensor); // back again, but the handle belongs to the old device
    EXPECT_FALSE(link.WriteReport(kReport.data(), kReport.size()));
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(model.OpenHandles(sensor), 0);

    ASSERT_TRUE(link.OpenSensor());
    model.SetSilent(sensor, true);
    model.SetHoldReads(sensor, true);
    bool contact = true;
    std::thread reader([&] { contact = link.ReadContact(); });
    model.WaitForWaitingReader();
    model.Unplug(sensor);
    reader.join();
    EXPECT_FALSE(contact);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_FALSE(link.OpenSensor());
    model.Plug(sensor);
    EXPECT_TRUE(link.OpenSensor());
}

TEST_F(HidStackTest, TheLibrarysSharedStateIsNeverEnteredFromTwoThreadsAtOnce) {
    model.AddDevice(0x046D, 0xC31C);
    AddSensor();
    model.SetLingerInSharedCalls(true);
    // A polling worker opening its link while presence checks run on another thread.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 50; ++i) {
                CHidDevice link;
                link.OpenSensor();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(model.OverlappingCalls(), 0);
}

class Ticks final : public TestRunListener, public SoundPlayer {
public:
    void OnContactTick(const ContactTickReport& report) override {
        std::lock_guard lock(m_mutex);
        m_last = report.tick;
    }
    void OnTestFinished() override {}
    void PlayAsync(const std::string&) override {}
    int Last() const {
        std::lock_guard lock(m_mutex);
        return m_last;
    }

private:
    mutable std::mutex m_mutex;
    int m_last = 0;
};

// A test dialog's run, whose polling worker writes an output report every 200 ms.
class PollingTest : public HidStackTest {
protected:
    static constexpr std::chrono::milliseconds kPoll = TestRun::kPollPeriod;

    void SetUp() override {
        run = test::OpenDialogRun(ticks, ticks, clock);
        ASSERT_TRUE(run);
    }
    void StartTest() { test::StartTestRun(*run, clock); }

    int sensor = AddSensor();
    VirtualScheduler clock;
    Ticks ticks;
    std::unique_ptr<TestRun> run; // destroyed first: it joins its workers
};

TEST_F(PollingTest, ContactIsSeenWithinOnePollAfterTheDialogWasIdleFor100Polls) {
    model.SetContactLevel(sensor, 0);
    clock.RunFor(100 * kPoll);
    // Nobody read the answers: the polling link's queue is full of old ones.
    EXPECT_EQ(model.HeldReports(sensor), std::vector<std::size_t>{HidStackModel::kHeldReports});
    model.SetContactLevel(sensor, kTouch);
    StartTest();
    clock.RunFor(kPoll);
    EXPECT_TRUE(g_bContact);
    EXPECT_EQ(ticks.Last(), 1);
}

TEST_F(PollingTest, ReleaseIsSeenWithinOnePoll) {
    model.SetContactLevel(sensor, kTouch); // the hand is on the buttons before Start
    clock.RunFor(100 * kPoll);
    StartTest();
    clock.RunFor(10s);
    ASSERT_TRUE(g_bContact);
    model.SetContactLevel(sensor, 0);
    clock.RunFor(kPoll);
    EXPECT_FALSE(g_bContact);
    const int atRelease = ticks.Last();
    clock.RunFor(10s);
    EXPECT_EQ(ticks.Last(), atRelease);
}

TEST_F(PollingTest, APresenceCheckBesideThePollingLinkLeavesItsReadingsCorrect) {
    model.SetContactLevel(sensor, kTouch);
    StartTest();
    clock.RunFor(2s);
    ASSERT_TRUE(g_bContact);
    // Each check's reset report is answered to every open handle, the polling link's too.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(IsSensorPresent());
    EXPECT_EQ(model.OpenHandles(sensor), 1);
    model.SetContactLevel(sensor, 0);
    clock.RunFor(kPoll);
    EXPECT_FALSE(g_bContact);
    model.SetContactLevel(sensor, kTouch);
    clock.RunFor(kPoll);
    EXPECT_TRUE(g_bContact);
}

} // namespace
} // namespace hv
