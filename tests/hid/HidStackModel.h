#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <string>
#include <vector>

namespace hv::test {

// A model of Linux's HID stack as hidapi's hidraw backend meets it, behind the hidapi
// functions this program defines in place of the library (HidStackModel.cpp). It behaves as
// hidraw and the sensor do:
// - every open handle has its own queue with room for kHeldReports input reports; a report
//   that finds the queue full is lost;
// - every input report a device sends goes to every open handle of that device;
// - the sensor answers every output report written to it with one input report carrying its
//   contact level, at once;
// - an unplugged device fails every read and write on the handles opened before, and
//   cannot be opened until it is plugged in again.
// The functions that touch the library's process-wide state (hid_init, hid_enumerate,
// hid_open_path) count calls that overlap one another.
class HidStackModel {
public:
    static constexpr std::size_t kHeldReports = 64;
    // Data bytes of an input report (hidraw leaves out the report id of a device without
    // numbered reports); byte 1 is the contact level, byte 2 of the report with its id.
    static constexpr std::size_t kInputBytes = 8;

    // The one model the library functions use.
    static HidStackModel& Instance();

    // Forgets every device and counter; no handle may be open.
    void Reset();

    // Adds a device (one interface) at /dev/hidraw<n>; returns n.
    int AddDevice(std::uint16_t vendorId, std::uint16_t productId);
    std::string PathOf(int device) const;
    void SetContactLevel(int device, std::uint8_t level);
    // Silent: output reports get no answer.
    void SetSilent(int device, bool silent);
    // Holding: a read that waits for a report waits until one comes or the device is
    // unplugged, whatever its time-out, so that a test can unplug it while a read waits.
    void SetHoldReads(int device, bool hold);
    void SetOpenable(int device, bool openable);
    void Unplug(int device);
    void Plug(int device);

    int OpenCount(int device) const;   // successful opens so far
    int OpenHandles(int device) const; // handles open now, alive or not
    // Reports held by each open handle of the device, in the order they were opened.
    std::vector<std::size_t> HeldReports(int device) const;
    std::vector<std::vector<std::uint8_t>> WrittenReports(int device) const;
    // Blocks until a read waits for a report.
    void WaitForWaitingReader() const;

    // Calls into the library's shared state that began while another was still inside.
    int OverlappingCalls() const { return m_overlaps.load(); }
    // Lingers inside those calls, so that a missing lock shows as an overlap.
    void SetLingerInSharedCalls(bool linger) { m_linger = linger; }

    // The library's side, called by the hidapi functions of HidStackModel.cpp.
    struct Handle {
        int device = 0;
        std::uint64_t generation = 0; // the device's generation when it was opened
        std::deque<std::vector<std::uint8_t>> reports;
    };
    class SharedCall {
    public:
        explicit SharedCall(HidStackModel& model);
        ~SharedCall();
        SharedCall(const SharedCall&) = delete;
        SharedCall& operator=(const SharedCall&) = delete;

    private:
        HidStackModel& m_model;
    };
    struct Listed {
        std::string path;
        std::uint16_t vendorId;
        std::uint16_t productId;
    };
    std::vector<Listed> List(std::uint16_t vendorId, std::uint16_t productId) const;
    Handle* Open(const std::string& path);
    void Close(Handle* handle);
    Listed Describe(const Handle* handle) const;
    int Write(Handle* handle, const unsigned char* data, std::size_t length);
    // timeoutMs 0: do not wait; negative: wait without a limit.
    int Read(Handle* handle, unsigned char* data, std::size_t length, int timeoutMs);

private:
    struct Device {
        std::string path;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::uint8_t level = 0;
        bool silent = false;
        bool holdReads = false;
        bool openable = true;
        bool plugged = true;
        std::uint64_t generation = 0; // grows at every unplug
        int openCount = 0;
        std::vector<std::vector<std::uint8_t>> written;
    };

    Device& DeviceAt(int device);
    const Device& DeviceAt(int device) const;
    bool IsAliveLocked(const Handle& handle) const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Device> m_devices;
    std::list<Handle> m_handles; // addresses stay put: hid_device points at them
    int m_waitingReaders = 0;
    std::atomic<int> m_inside{0};
    std::atomic<int> m_overlaps{0};
    std::atomic<bool> m_linger{false};
};

} // namespace hv::test
