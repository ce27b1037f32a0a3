#include "fake_wrapper.h"

#include <algorithm>
#include <cstring>

namespace kestrova::bus::testing {

namespace {

FakeWrapperState state;

FakeMonitor* MonitorAt(int32_t m) {
    auto found = state.monitors.find(m);
    return found == state.monitors.end() ? nullptr : &found->second;
}

int32_t CopyText(const std::string& text, char* buffer, uint32_t* size) {
    if (!state.answerQueries || buffer == nullptr || size == nullptr || *size == 0) {
        return 0;
    }
    const uint32_t length = static_cast<uint32_t>(std::min<size_t>(text.size(), *size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    *size = length;
    return 1;
}

void Note(std::string call) {
    state.calls.push_back(std::move(call));
}

extern "C" {

int32_t FakeSynLock() {
    Note("WrSynLock");
    if (state.lockDenials > 0) {
        --state.lockDenials;
        return 0;
    }
    state.maxLocksHeld = std::max(state.maxLocksHeld, ++state.locksHeld);
    return 1;
}
int32_t FakeSynUnlock() {
    Note("WrSynUnlock");
    --state.locksHeld;
    return 1;
}
int32_t FakeLibPath2(const char* directory, const char* key) {
    Note(std::string("WrLibPath2 ") + directory + " " + key);
    return 1;
}
int32_t FakeLogEnableDiag(uint32_t level) {
    Note("WrLogEnableDiag " + std::to_string(level));
    return 1;
}
int32_t FakeLogEnableWrap(uint32_t level) {
    Note("WrLogEnableWrap " + std::to_string(level));
    return 1;
}
int32_t FakeEnum() {
    Note("WrEnum");
    return 1;
}
int32_t FakeAttached(uint32_t* mask) {
    Note("WrGetAttachedMonitorsIndices");
    if (!state.answerQueries) {
        return 0;
    }
    *mask = state.mask;
    return 1;
}
int32_t FakeEdidInfo(int32_t m, uint32_t code, char* text, uint32_t* size) {
    Note("WrEDIDGetInfo " + std::to_string(m) + " " + std::to_string(code));
    FakeMonitor* monitor = MonitorAt(m);
    if (monitor == nullptr || !monitor->edid.count(code)) {
        return 0;
    }
    return CopyText(monitor->edid[code], text, size);
}
int32_t FakeText(int32_t m, char* text, uint32_t* size) {
    return MonitorAt(m) != nullptr ? CopyText("text of " + std::to_string(m), text, size) : 0;
}
int32_t FakeCardManufacturer(int32_t m, char* text, uint32_t* size) {
    FakeMonitor* monitor = MonitorAt(m);
    return monitor != nullptr ? CopyText(monitor->manufacturerOfCard, text, size) : 0;
}
int32_t FakeI2cSupport(int32_t, char* text, uint32_t* size) {
    Note("WrCardGetI2CSupport");
    return CopyText(state.i2cSupport, text, size);
}
int32_t FakeDdcciSupport(int32_t m, char* text, uint32_t* size) {
    CopyText("DDC/CI", text, size);
    return state.answerQueries && MonitorAt(m) != nullptr ? 7 : 0;
}
uint32_t FakeHmon(int32_t m) {
    return state.answerQueries ? 0x1000u + static_cast<uint32_t>(m) : 0;
}
int32_t FakeCardValue(int32_t m, uint32_t* value) {
    if (!state.answerQueries) {
        return 0;
    }
    *value = 0xC0DE0000u + static_cast<uint32_t>(m);
    return 1;
}
int32_t FakeI2cTiming(int32_t, float* value) {
    if (!state.answerQueries) {
        return 0;
    }
    *value = 100.5f;
    return 1;
}
int32_t FakeCapsString(int32_t m, char* text, uint32_t* size) {
    FakeMonitor* monitor = MonitorAt(m);
    if (monitor == nullptr || CopyText(monitor->caps, text, size) == 0) {
        return 0;
    }
    if (monitor->capsLengthOverride >= 0) {
        *size = static_cast<uint32_t>(monitor->capsLengthOverride);
    }
    return 1;
}
int32_t FakeCapsSize(int32_t m) {
    FakeMonitor* monitor = MonitorAt(m);
    return monitor != nullptr ? static_cast<int32_t>(monitor->caps.size()) : 0;
}
int32_t FakeDiscCount(int32_t m) {
    FakeMonitor* monitor = MonitorAt(m);
    return monitor != nullptr ? static_cast<int32_t>(monitor->discreteCodes.size()) + monitor->countedPastEnd : 0;
}
int32_t FakeContCount(int32_t m) {
    FakeMonitor* monitor = MonitorAt(m);
    return monitor != nullptr ? static_cast<int32_t>(monitor->continuousCodes.size()) + monitor->countedPastEnd : 0;
}
int32_t FakeDiscCommand(int32_t m, uint32_t index, uint32_t* code, char* values, uint32_t* size) {
    FakeMonitor* monitor = MonitorAt(m);
    if (monitor == nullptr || index >= monitor->discreteCodes.size()) {
        return 0;
    }
    *code = monitor->discreteCodes[index];
    CopyText("00 01", values, size);
    return 1;
}
int32_t FakeContCommand(int32_t m, uint32_t index, uint32_t* code) {
    FakeMonitor* monitor = MonitorAt(m);
    if (monitor == nullptr || index >= monitor->continuousCodes.size()) {
        return 0;
    }
    *code = monitor->continuousCodes[index];
    return 1;
}
int32_t FakeSupportedValues(int32_t m, uint32_t* code, uint32_t* values, uint32_t* size) {
    Note("WrCapsDiscreteCommandSupportedValues " + std::to_string(m) + " " + std::to_string(*code));
    if (*size < 12) {
        return 0;
    }
    values[0] = 1;
    values[1] = 2;
    values[2] = 4;
    *size = state.supportedValuesClaim > 0 ? state.supportedValuesClaim : 12;
    return 1;
}
int32_t FakeGetRange(int32_t m, uint32_t code, uint32_t* minimum, uint32_t* maximum, uint32_t* current, uint32_t wait) {
    Note("WrDDCGetRange " + std::to_string(m) + " " + std::to_string(code) + " wait=" + std::to_string(wait));
    if (state.rangeResult == 0) {
        return 0;
    }
    *minimum = state.minimum;
    *maximum = state.maximum;
    *current = state.current;
    return state.rangeResult;
}
int32_t FakeGetRangeRtn(int32_t m,
                        uint32_t code,
                        uint32_t* minimum,
                        uint32_t* maximum,
                        uint32_t* current,
                        uint32_t wait,
                        uint8_t* sent,
                        uint32_t* sentSize,
                        uint8_t* reply,
                        uint32_t* replySize) {
    Note("WrDDCGetRangeRtn " + std::to_string(m) + " " + std::to_string(code) + " wait=" + std::to_string(wait) +
         " sizes=" + std::to_string(*sentSize) + "/" + std::to_string(*replySize));
    const size_t sentLength = std::min<size_t>(state.sentBytes.size(), *sentSize);
    std::copy_n(state.sentBytes.begin(), sentLength, sent);
    *sentSize = static_cast<uint32_t>(sentLength);
    const size_t replyLength = std::min<size_t>(state.replyBytes.size(), *replySize);
    std::copy_n(state.replyBytes.begin(), replyLength, reply);
    *replySize = static_cast<uint32_t>(replyLength);
    if (state.rangeResult == 0) {
        return 0;
    }
    *minimum = state.minimum;
    *maximum = state.maximum;
    *current = state.current;
    return state.rangeResult;
}
int32_t FakeSend(int32_t m, uint32_t code, uint32_t value) {
    Note("WrDDCSendVCPCommand " + std::to_string(m) + " " + std::to_string(code) + " " + std::to_string(value));
    return 1;
}
int32_t FakeSendRtn(int32_t m, uint32_t code, uint32_t value, uint8_t* sent, uint32_t* sentSize) {
    Note("WrDDCSendVCPCommandRtn " + std::to_string(m) + " " + std::to_string(code) + " " + std::to_string(value));
    const uint8_t bytes[] = {0x6E, 0x51, 0x84, 0x03, static_cast<uint8_t>(code), 0x00};
    std::memcpy(sent, bytes, sizeof(bytes));
    *sentSize = 6;
    return 1;
}

}  // extern "C"

}  // namespace

FakeWrapperState& Fake() {
    return state;
}

void ResetFake() {
    state = FakeWrapperState{};
}

FakeEntryPoints MakeFakeModule() {
    FakeEntryPoints module;
    module.Add("WrSynLock", &FakeSynLock);
    module.Add("WrSynUnlock", &FakeSynUnlock);
    module.Add("WrLibPath2", &FakeLibPath2);
    module.Add("WrLogEnableDiag", &FakeLogEnableDiag);
    module.Add("WrLogEnableWrap", &FakeLogEnableWrap);
    module.Add("WrEnum", &FakeEnum);
    module.Add("WrGetAttachedMonitorsIndices", &FakeAttached);
    module.Add("WrEDIDGetInfo", &FakeEdidInfo);
    for (const char* name :
         {"WrOSDeviceName", "WrOSDeviceStr", "WrOSDeviceId", "WrOSMonDevice", "WrOSMonStr", "WrOSDriverName",
          "WrCapsMCCSVersion", "WrCapsDisplayType", "WrFirmVCPVersion", "WrFirmController", "WrFirmVersion"}) {
        module.Add(name, &FakeText);
    }
    module.Add("WrCardGetManufacturer", &FakeCardManufacturer);
    module.Add("WrCardGetI2CSupport", &FakeI2cSupport);
    module.Add("WrDeviceDDCCISup", &FakeDdcciSupport);
    module.Add("WrOSHmonHandle", &FakeHmon);
    for (const char* name :
         {"WrCardGetPCIID", "WrCardGetChipID", "WrCardGetSubID", "WrCardGetBusLoc", "WrCardGetBAR", "WrCardGetFuncNo",
          "WrCardGetBaseAddress", "WrCardGetIOBase", "WrCardGetFlags", "WrCardGetI2CPort"}) {
        module.Add(name, &FakeCardValue);
    }
    module.Add("WrCardGetI2CTiming", &FakeI2cTiming);
    module.Add("WrCapsGetString", &FakeCapsString);
    module.Add("WrCapsGetCapstrSize", &FakeCapsSize);
    module.Add("WrCapsGetSize", &FakeCapsSize);
    module.Add("WrCapsNumberOfDiscEntries", &FakeDiscCount);
    module.Add("WrCapsNumberOfContEntries", &FakeContCount);
    module.Add("WrCapsRetrieveByIndexDiscCommand", &FakeDiscCommand);
    module.Add("WrCapsRetrieveByIndexContCommand", &FakeContCommand);
    module.Add("WrCapsDiscreteCommandSupportedValues", &FakeSupportedValues);
    module.Add("WrDDCGetRange", &FakeGetRange);
    module.Add("WrDDCGetRangeRtn", &FakeGetRangeRtn);
    module.Add("WrDDCSendVCPCommand", &FakeSend);
    module.Add("WrDDCSendVCPCommandRtn", &FakeSendRtn);
    return module;
}

BoundFake::BoundFake(FakeEntryPoints module) : module_(std::move(module)) {
    BindWrapper(module_);
    SetOptionalEntryPointSource(&module_);
}

BoundFake::~BoundFake() {
    SetOptionalEntryPointSource(nullptr);
    UnbindWrapper();
}

int CountCalls(const std::string& prefix) {
    return static_cast<int>(std::count_if(state.calls.begin(), state.calls.end(),
                                          [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
}

}  // namespace kestrova::bus::testing
