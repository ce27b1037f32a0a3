// The library's process-wide state behind the Wr* exports: the driver directory, the logs,
// the chosen back end and one session per attached monitor. The exports hold Mutex() for
// every call, so the window thread and a test thread may call in at the same time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "brevlink/ddcci/waiter.h"
#include "brevlink/exports/backend.h"
#include "brevlink/exports/backend_config.h"
#include "brevlink/exports/bus_lock.h"
#include "brevlink/exports/monitor_session.h"
#include "brevlink/exports/text_log.h"

namespace brevlink {

class Library {
  public:
    static Library& Instance();

    std::recursive_mutex& Mutex() { return mutex_; }
    BusLock& Lock() { return busLock_; }
    TextLog& WireLog() { return wireLog_; }
    TextLog& DiagLog() { return diagLog_; }

    void SetDriverDirectory(std::string directory, std::string productKey);
    const std::string& DriverDirectory() const { return driverDirectory_; }

    // Chooses the back end afresh and opens its monitors; a lab starts again from its profile.
    // False when the configuration is wrong (then no monitor is served; the diag log says why).
    bool Enumerate();
    // Drops the monitors and the back end (a real one gives back its OS handles); the next call
    // that needs a monitor enumerates again. Called when the library is unloaded.
    void Release();
    uint32_t AttachMask();
    int32_t MonitorCount();
    // Null for an index without a monitor. Enumerates first if nobody has yet.
    MonitorSession* Session(int32_t monitor);
    sim::Lab* Lab();

    uint32_t BusDelay() const { return busDelayMs_; }
    void SetBusDelay(uint32_t ms) { busDelayMs_ = ms; }

    // A problem the engineer must see: stderr and the diag log, whatever its switch.
    void Report(const std::string& message);
    // One exchange on the wire, into the wrap log while it is enabled.
    void LogWire(int32_t monitor, const char* direction, const uint8_t* bytes, size_t size);

  private:
    Library() = default;
    void EnsureEnumerated();
    void ChooseWaiter();
    std::unique_ptr<Backend> OpenBackend(const BackendChoice& choice);

    std::recursive_mutex mutex_;
    BusLock busLock_;
    TextLog wireLog_;
    TextLog diagLog_;
    ddcci::SleepWaiter sleepWaiter_;
    // KESTROVA_VIRTUAL_CLOCK=1 (the tester's switch for whole runs in tests) counts the bus waits
    // instead; BREVLINK_BUS_TIME_LOG names a file that gets their sum when the process ends.
    ddcci::VirtualWaiter virtualWaiter_;
    ddcci::Waiter* waiter_ = &sleepWaiter_;
    std::string driverDirectory_;
    std::string productKey_;
    bool enumerated_ = false;
    // Sessions refer to the back end's buses, so they go first.
    std::unique_ptr<Backend> backend_;
    std::map<int, std::unique_ptr<MonitorSession>> sessions_;
    uint32_t busDelayMs_ = 0;
};

}  // namespace brevlink
