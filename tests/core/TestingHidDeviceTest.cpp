#include "testing/CHidDevice.h"
#include "testing/HidapiBackend.h"
#include "testing/SensorShared.h"
#include "testing/SimulatedHid.h"

#include <gtest/gtest.h>
#include <thread>

namespace hv {
namespace {

constexpr std::uint16_t kVendor = CHidDevice::kSensorVendorId;
constexpr std::uint16_t kProduct = CHidDevice::kSensorProductId;

const std::vector<std::uint8_t> kReport{0, 1, 0xC0, 3, 4, 2, 0x80, 0, 0};

TEST(HidDeviceTest, NothingIsOpenBeforeASearch) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_FALSE(link.ReadContact());
    EXPECT_FALSE(link.WriteReport(kReport.data(), kReport.size()));
    EXPECT_EQ(sensor->OpenCount(), 0);
}

TEST(HidDeviceTest, OnlyInterfacesListedWithTheSensorsIdsAreOpened) {
    SimulatedHidBus bus;
    auto keyboard = bus.AddDevice(0x046D, 0xC31C);
    auto sensor = bus.AddDevice(kVendor, kProduct);
    auto later = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(keyboard->OpenCount(), 0);
    EXPECT_EQ(sensor->OpenConnections(), 1);
    EXPECT_EQ(later->OpenCount(), 0); // the first match wins
}

TEST(HidDeviceTest, OnlyBothIdsTogetherMakeTheSensor) {
    const HidAttributes impostors[] = {{kVendor, 0x0809}, {0x5609, kProduct}, {0, 0}};
    for (const HidAttributes& ids : impostors) {
        SimulatedHidBus bus;
        auto device = bus.AddDevice(ids.vendorId, ids.productId);
        CHidDevice link(bus);
        EXPECT_FALSE(link.OpenSensor());
        EXPECT_FALSE(link.IsConnected());
        EXPECT_EQ(device->OpenCount(), 0);
    }
}

// A list taken before a device was replaced: its path now opens another device.
class StaleListBus final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override {
        std::vector<HidInterfaceInfo> present = bus.Enumerate();
        for (HidInterfaceInfo& entry : present)
            entry.attributes = {kVendor, kProduct};
        return present;
    }
    std::unique_ptr<HidConnection> Open(const std::string& path) override { return bus.Open(path); }
    SimulatedHidBus bus;
};

TEST(HidDeviceTest, AnOpenedDeviceWithOtherIdsIsClosedAgain) {
    StaleListBus stale;
    auto mouse = stale.bus.AddDevice(0x046D, 0xC077);
    auto sensor = stale.bus.AddDevice(kVendor, kProduct);
    CHidDevice link(stale);
    ASSERT_TRUE(link.OpenSensor());
    EXPECT_EQ(mouse->OpenCount(), 1);
    EXPECT_EQ(mouse->OpenConnections(), 0);
    EXPECT_EQ(sensor->OpenConnections(), 1);
}

TEST(HidDeviceTest, InterfacesThatCannotBeOpenedAreSkipped) {
    SimulatedHidBus bus;
    auto held = bus.AddDevice(kVendor, kProduct);
    held->SetOpenable(false);
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    EXPECT_TRUE(link.OpenSensor());
    EXPECT_EQ(sensor->OpenConnections(), 1);
}

TEST(HidDeviceTest, ContactMeansLevelsOneToNinetyFive) {
    const std::pair<std::uint8_t, bool> cases[] = {{0, false}, {1, true},   {50, true},
                                                   {95, true}, {96, false}, {255, false}};
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    for (const auto& [level, contact] : cases) {
        sensor->SendLevels({level});
        EXPECT_EQ(link.ReadContact(), contact) << "level " << int(level);
        EXPECT_EQ(link.InputReport()[0], 0); // report id
    }
}

TEST(HidDeviceTest, WithoutANewReportTheLastOneStillCounts) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    sensor->SetSilent(true);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    EXPECT_FALSE(link.ReadContact()); // nothing read yet: no contact
    sensor->SendLevels({40});
    EXPECT_TRUE(link.ReadContact());
    EXPECT_TRUE(link.ReadContact()); // timed out: the report of level 40 stands
    EXPECT_TRUE(link.IsConnected());
}

TEST(HidDeviceTest, AReadingTakesEveryReportHeldAndTheNewestCounts) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    sensor->SendLevels({50, 50, 0});
    EXPECT_FALSE(link.ReadContact());
    sensor->SendLevels({0, 0, 50});
    EXPECT_TRUE(link.ReadContact());
    EXPECT_EQ(sensor->HeldReports(), std::vector<std::size_t>{0});
}

TEST(HidDeviceTest, DrainingTakesWhatIsHeldWithoutWaiting) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    sensor->SetHoldReads(true); // a read that waited would never return
    CHidDevice link(bus);
    link.DrainInput(); // not connected: nothing happens
    ASSERT_TRUE(link.OpenSensor());
    link.DrainInput();
    sensor->SendLevels({20, 30});
    link.DrainInput();
    EXPECT_EQ(sensor->HeldReports(), std::vector<std::size_t>{0});
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.InputReport()[2], 30);
}

// What hidraw does and the reading has to live with: a handle holds 64 reports, newer ones
// are lost while it is full, and every open handle gets every report.
TEST(HidDeviceTest, TheSimulationHoldsWhatHidrawHolds) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice first(bus), second(bus);
    ASSERT_TRUE(first.OpenSensor());
    ASSERT_TRUE(second.OpenSensor());
    sensor->SetContactLevel(30);
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(first.WriteReport(kReport.data(), kReport.size()));
    sensor->SetContactLevel(0);
    for (int i = 0; i < 36; ++i)
        ASSERT_TRUE(second.WriteReport(kReport.data(), kReport.size()));
    EXPECT_EQ(sensor->HeldReports(), (std::vector<std::size_t>{64, 64}));
    EXPECT_TRUE(first.ReadContact()); // the answers at level 0 found no room
    EXPECT_EQ(sensor->HeldReports(), (std::vector<std::size_t>{0, 64}));
    ASSERT_TRUE(first.WriteReport(kReport.data(), kReport.size()));
    EXPECT_EQ(sensor->HeldReports(), (std::vector<std::size_t>{1, 64}));
    EXPECT_FALSE(first.ReadContact());
}

TEST(HidDeviceTest, AReportTooShortForTheContactByteShowsNoContact) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    sensor->SendLevels({50});
    ASSERT_TRUE(link.ReadContact());
    sensor->SetReportBytes(2);
    sensor->SendLevels({50});
    EXPECT_FALSE(link.ReadContact());
    EXPECT_TRUE(link.IsConnected());
}

TEST(HidDeviceTest, ReportsHaveTheDeclaredLengths) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    sensor->SetReportLengths(64, 12);
    sensor->SetContactLevel(7);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    ASSERT_TRUE(link.WriteReport(kReport.data(), kReport.size()));
    EXPECT_TRUE(link.ReadContact());
    EXPECT_EQ(link.InputReport().size(), 64u);
    const auto written = sensor->WrittenReports();
    ASSERT_EQ(written.size(), 1u);
    std::vector<std::uint8_t> padded = kReport;
    padded.resize(12, 0);
    EXPECT_EQ(written[0], padded);
}

TEST(HidDeviceTest, UnpluggingDuringAReadEndsTheLinkUntilTheSensorReturns) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    sensor->SetSilent(true);
    sensor->SetHoldReads(true);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());

    bool contact = true;
    std::thread reader([&] { contact = link.ReadContact(); });
    sensor->WaitForWaitingReader();
    sensor->Unplug();
    reader.join();

    EXPECT_FALSE(contact);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(sensor->OpenConnections(), 0);
    EXPECT_FALSE(link.OpenSensor());
    sensor->Plug();
    EXPECT_TRUE(link.OpenSensor());
}

TEST(HidDeviceTest, AFailedWriteEndsTheLink) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    sensor->Unplug();
    sensor->Plug(); // back again, but this link's handle belongs to the old connection
    EXPECT_FALSE(link.WriteReport(kReport.data(), kReport.size()));
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(sensor->OpenConnections(), 0);
}

TEST(HidDeviceTest, SeveralLinksShareTheSensor) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    CHidDevice polling(bus);
    ASSERT_TRUE(polling.OpenSensor());
    {
        CHidDevice check(bus);
        EXPECT_TRUE(check.OpenSensor());
        EXPECT_EQ(sensor->OpenConnections(), 2);
    }
    EXPECT_EQ(sensor->OpenConnections(), 1);
    EXPECT_TRUE(polling.WriteReport(kReport.data(), kReport.size()));
}

TEST(HidDeviceTest, NewLinksUseTheInstalledBackend) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    {
        ScopedHidBackend use(bus);
        CHidDevice link;
        EXPECT_TRUE(link.OpenSensor());
    }
    EXPECT_EQ(sensor->OpenCount(), 1);
}

TEST(HidDeviceTest, PresenceCheckSendsTheResetReportOnlyToAPresentSensor) {
    SimulatedHidBus bus;
    ScopedHidBackend use(bus);
    InitSensorOut();
    EXPECT_FALSE(IsSensorPresent());

    auto sensor = bus.AddDevice(kVendor, kProduct);
    InitSensorOut();
    g_SensorOut[report::kBarPattern] = 0xF0;
    g_SensorOut[report::kBlink] = report::kBlinkOn;
    EXPECT_TRUE(IsSensorPresent());
    const auto written = sensor->WrittenReports();
    ASSERT_EQ(written.size(), 1u);
    // Bar and digits dark; the blink bit stays as it was.
    EXPECT_EQ(written[0], (std::vector<std::uint8_t>{0, 1, 0, 3, 0, 0, 0x80, 0, 0}));
    EXPECT_EQ(sensor->OpenConnections(), 0);
}

TEST(HidDeviceTest, TheRealBackendRefusesAPathThatDoesNotExist) {
    HidapiBackend backend;
    EXPECT_EQ(backend.Open("/dev/halvoret-no-such-device"), nullptr);
}

} // namespace
} // namespace hv
