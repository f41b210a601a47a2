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

TEST(HidDeviceTest, OtherDevicesAreOpenedCheckedAndClosedUntilTheSensor) {
    SimulatedHidBus bus;
    auto keyboard = bus.AddDevice(0x046D, 0xC31C);
    auto sensor = bus.AddDevice(kVendor, kProduct);
    auto later = bus.AddDevice(kVendor, kProduct);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(keyboard->OpenCount(), 1);
    EXPECT_EQ(keyboard->OpenConnections(), 0);
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
        EXPECT_EQ(device->OpenConnections(), 0);
    }
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
        sensor->QueueLevels({level});
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
    sensor->QueueLevels({40});
    EXPECT_TRUE(link.ReadContact());
    EXPECT_TRUE(link.ReadContact()); // timed out: the report of level 40 stands
    EXPECT_TRUE(link.IsConnected());
}

TEST(HidDeviceTest, AReportTooShortForTheContactByteShowsNoContact) {
    SimulatedHidBus bus;
    auto sensor = bus.AddDevice(kVendor, kProduct);
    sensor->SetContactLevel(50);
    CHidDevice link(bus);
    ASSERT_TRUE(link.OpenSensor());
    ASSERT_TRUE(link.ReadContact());
    sensor->SetReportBytes(2);
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
