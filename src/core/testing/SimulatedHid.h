#pragma once

#include "testing/HidBackend.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace hv {

// One simulated HID interface. By default it answers every read at once with a report whose
// contact byte is the steady level; scripted levels are served first, one per read. It
// may be unplugged (every open connection then fails) and plugged in again. Safe to drive
// from any thread while links use it.
class SimulatedHidDevice {
public:
    SimulatedHidDevice(HidAttributes attributes, std::string path);

    const std::string& Path() const { return m_path; }
    HidAttributes Attributes() const { return m_attributes; }

    // The contact byte of every report once the script is used up.
    void SetContactLevel(std::uint8_t level);
    // Levels served one per read before the steady level.
    void QueueLevels(const std::vector<std::uint8_t>& levels);
    // Silent: with no scripted level left a read times out at once, as from a device that
    // has nothing to say.
    void SetSilent(bool silent);
    // Holding: a silent read waits for a scripted level or an unplug, however long that
    // takes, so that a test can unplug the device while a read is waiting.
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
    // Blocks until a read is waiting inside a holding device.
    void WaitForWaitingReader() const;

private:
    friend class SimulatedHidConnection;
    friend class SimulatedHidBus;

    bool TryOpen(std::uint64_t& generation);
    void Close();
    int Read(std::uint64_t generation, std::uint8_t* buffer, std::size_t length, int timeoutMs);
    int Write(std::uint64_t generation, const std::uint8_t* report, std::size_t length);

    const HidAttributes m_attributes;
    const std::string m_path;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::uint8_t m_level = 0;
    std::deque<std::uint8_t> m_script;
    bool m_bSilent = false;
    bool m_bHoldReads = false;
    std::size_t m_reportBytes = 9;
    std::size_t m_inputLength = 9;
    std::size_t m_outputLength = 9;
    bool m_bOpenable = true;
    bool m_bPlugged = true;
    std::uint64_t m_generation = 0; // grows at every unplug; older connections are dead
    int m_openCount = 0;
    int m_openConnections = 0;
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

    std::vector<std::string> EnumeratePaths() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;

private:
    std::mutex m_mutex;
    std::vector<std::shared_ptr<SimulatedHidDevice>> m_devices;
};

// Makes every sensor link of this process use one simulated sensor that reports contact
// (the program's --demo-sensor mode). The simulation lives until the process ends.
void UseDemoSensor();

} // namespace hv
