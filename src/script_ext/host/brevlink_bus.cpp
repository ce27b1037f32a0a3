#include "script_ext/host/brevlink_bus.h"

#include "platform/clock.h"
#include "platform/dynamic_library.h"

namespace kestrova::lmscript {

namespace {

constexpr uint32_t kLockPollMs = 10;
constexpr int kLockPolls = 500;
constexpr uint32_t kReadWait = 5;

}  // namespace

int FirstMonitor(uint32_t mask) {
    for (int position = 1; position <= 16; ++position) {
        if ((mask >> position) & 1u) {
            return position;
        }
    }
    return 0;
}

bool BrevlinkBus::Open(const std::string& libraryPath, std::string& error) {
    platform::ModuleHandle library = platform::LoadSharedLibrary(libraryPath);
    if (library == nullptr) {
        error = "cannot load " + libraryPath + ": " + platform::LastLoadError();
        return false;
    }
    synLock_ = platform::FindFunction<WrSynLockFn>(library, "WrSynLock");
    synUnlock_ = platform::FindFunction<WrSynUnlockFn>(library, "WrSynUnlock");
    attachedMonitors_ = platform::FindFunction<WrGetAttachedMonitorsIndicesFn>(library, "WrGetAttachedMonitorsIndices");
    getRange_ = platform::FindFunction<WrDDCGetRangeFn>(library, "WrDDCGetRange");
    sendVcp_ = platform::FindFunction<WrDDCSendVCPCommandFn>(library, "WrDDCSendVCPCommand");
    auto logDiag = platform::FindFunction<WrLogEnableDiagFn>(library, "WrLogEnableDiag");
    auto logWrap = platform::FindFunction<WrLogEnableWrapFn>(library, "WrLogEnableWrap");
    auto enumerate = platform::FindFunction<WrEnumFn>(library, "WrEnum");
    if (synLock_ == nullptr || synUnlock_ == nullptr || attachedMonitors_ == nullptr || getRange_ == nullptr ||
        sendVcp_ == nullptr || logDiag == nullptr || logWrap == nullptr || enumerate == nullptr) {
        error = libraryPath + " lacks the Wr entry points lmscript calls";
        return false;
    }
    if (!Lock()) {
        error = "the bus lock of " + libraryPath + " was never granted";
        return false;
    }
    logDiag(0);
    logWrap(255);
    enumerate();
    Unlock();
    return true;
}

bool BrevlinkBus::Lock() {
    for (int poll = 0; poll < kLockPolls; ++poll) {
        if (synLock_() != 0) {
            return true;
        }
        platform::SleepMs(kLockPollMs);
    }
    return false;
}

void BrevlinkBus::Unlock() {
    synUnlock_();
}

uint32_t BrevlinkBus::AttachedMask() {
    uint32_t mask = 0;
    if (!Lock()) {
        return 0;
    }
    if (attachedMonitors_(&mask) == 0) {
        mask = 0;
    }
    Unlock();
    return mask;
}

bool BrevlinkBus::ReadVcp(int monitor, uint8_t code, VcpValue& value) {
    if (!Lock()) {
        return false;
    }
    uint32_t minimum = 0;
    const bool read = getRange_(monitor, code, &minimum, &value.maximum, &value.current, kReadWait) != 0;
    Unlock();
    return read;
}

bool BrevlinkBus::WriteVcp(int monitor, uint8_t code, uint16_t value) {
    if (!Lock()) {
        return false;
    }
    const bool written = sendVcp_(monitor, code, value) != 0;
    Unlock();
    return written;
}

}  // namespace kestrova::lmscript
