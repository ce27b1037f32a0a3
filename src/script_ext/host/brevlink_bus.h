// The monitor bus through the Brevlink library, loaded by path and bound by name. Every exchange
// holds the library's bus lock.
#pragma once

#include "brevlink/brevlink.h"
#include "script_ext/host/monitor_bus.h"

#include <string>

namespace kestrova::lmscript {

class BrevlinkBus final : public MonitorBus {
  public:
    // Loads the library and prepares the bus (log levels, enumeration). False with `error` set
    // when the library cannot be loaded or lacks an entry point lmscript calls.
    bool Open(const std::string& libraryPath, std::string& error);

    uint32_t AttachedMask() override;
    bool ReadVcp(int monitor, uint8_t code, VcpValue& value) override;
    bool WriteVcp(int monitor, uint8_t code, uint16_t value) override;

  private:
    // Waits for the bus lock, at most a few seconds; false if it never comes.
    bool Lock();
    void Unlock();

    WrSynLockFn synLock_ = nullptr;
    WrSynUnlockFn synUnlock_ = nullptr;
    WrGetAttachedMonitorsIndicesFn attachedMonitors_ = nullptr;
    WrDDCGetRangeFn getRange_ = nullptr;
    WrDDCSendVCPCommandFn sendVcp_ = nullptr;
};

}  // namespace kestrova::lmscript
