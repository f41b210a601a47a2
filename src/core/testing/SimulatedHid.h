#pragma once

#include "testing/HidBackend.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace hv {

// One simulated HID interface that behaves as the sensor does behind hidraw: it answers
// every output report with one input report whose contact byte is its contact level, and
// sends every input report to each open connection; a connection holds at most
// kHeldReports reports not yet read and loses newer ones while full. It may be unplugged
// (every open connection then fails) and plugged in again. Safe to drive from any thread
// while links use it.
class SimulatedHidDevice {
public:
    static constexpr std::size_t kHeldReports = 64;

    SimulatedHidDevice(HidAttributes attributes, std::string path);

    const std::string& Path() const { return m_path; }
    HidAttributes Attributes() const { return m_attributes; }

    // The contact byte of the reports the device sends from now on.
    void SetContactLevel(std::uint8_t level);
    // Sends one input report per level at once, as if the device had something to say.
    void SendLevels(const std::vector<std::uint8_t>& levels);
    // Silent: output reports get no answer.
    void SetSilent(bool silent);
    // Holding: a read that finds no report waits for one or for an unplug, however long
    // that takes, so that a test can unplug the device while a read is waiting. Without
    // it such a read times out at once, as if its wait had passed.
    void SetHoldReads(bool hold);
    // Reports shorter than the contact byte, as a device that sends less than declared.
    void SetReportBytes(std::size_t bytes);
    void SetReportLengths(std::size_t input, std::size_t output);
    // An interface that cannot be opened (held exclusively by the system).
    void SetOpenable(bool openable);
    void Unplug();
    void Plug();
    bool IsPlugged() const;

    // What the links did.
    int OpenCount() const;       // successful opens so far
    int OpenConnections() const; // connections open now
    int ReadCount() const;
    std::vector<std::vector<std::uint8_t>> WrittenReports() const;
    // The reports each open connection holds now, in the order they were opened.
    std::vector<std::size_t> HeldReports() const;
    // Blocks until a read is waiting inside a holding device.
    void WaitForWaitingReader() const;

private:
    friend class SimulatedHidConnection;
    friend class SimulatedHidBus;

    // What one open connection has received and not read yet.
    struct Inbox {
        std::uint64_t generation = 0; // the device's generation when it was opened
        std::deque<std::vector<std::uint8_t>> reports;
    };

    Inbox* TryOpen();
    void Close(Inbox* inbox);
    int Read(Inbox* inbox, std::uint8_t* buffer, std::size_t length, int timeoutMs);
    int Write(Inbox* inbox, const std::uint8_t* report, std::size_t length);
    bool IsAliveLocked(const Inbox* inbox) const;
    void SendLocked(std::uint8_t level);

    const HidAttributes m_attributes;
    const std::string m_path;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::uint8_t m_level = 0;
    bool m_bSilent = false;
    bool m_bHoldReads = false;
    std::size_t m_reportBytes = 9;
    std::size_t m_inputLength = 9;
    std::size_t m_outputLength = 9;
    bool m_bOpenable = true;
    bool m_bPlugged = true;
    std::uint64_t m_generation = 0; // grows at every unplug; older connections are dead
    std::list<Inbox> m_inboxes;     // one per open connection; addresses stay put
    int m_openCount = 0;
    int m_readCount = 0;
    int m_waitingReaders = 0;
    std::vector<std::vector<std::uint8_t>> m_written;
};

// A set of simulated HID interfaces, enumerated in the order they were added.
class SimulatedHidBus final : public HidBackend {
public:
    std::shared_ptr<SimulatedHidDevice> AddDevice(std::uint16_t vendorId, std::uint16_t productId);
    // A bus with one sensor that reports contact, for demonstrations and training.
    static std::shared_ptr<SimulatedHidDevice> AddDemoSensor(SimulatedHidBus& bus);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;

private:
    std::mutex m_mutex;
    std::vector<std::shared_ptr<SimulatedHidDevice>> m_devices;
};

// Makes every sensor link of this process use one simulated sensor that reports contact
// (the program's --demo-sensor mode). The simulation lives until the process ends.
void UseDemoSensor();
// Whether the demonstration's simulated sensor serves the sensor links now, so that the
// windows can say so.
bool DemoSensorInUse();

} // namespace hv
