#include "bus/wrapper_table.h"

#include <atomic>
#include <string_view>

#include "bus/wrapper_loader.h"

namespace kestrova::bus {

WrapperTable Wrapper;

namespace {

std::atomic<EntryPointSource*> optionalSource{nullptr};

// The operations the tester calls and cannot do without. The newer operations that return the wire
// bytes, and the capabilities size, have older stand-ins and may be missing.
constexpr const char* kRequiredEntryPoints[] = {
    "WrLibPath2",
    "WrSynLock",
    "WrSynUnlock",
    "WrLogEnableDiag",
    "WrLogEnableWrap",
    "WrEnum",
    "WrGetAttachedMonitorsIndices",
    "WrEDIDGetInfo",
    "WrOSDeviceName",
    "WrOSDeviceStr",
    "WrOSDeviceId",
    "WrOSMonDevice",
    "WrOSMonStr",
    "WrOSDriverName",
    "WrCapsMCCSVersion",
    "WrCapsDisplayType",
    "WrFirmVCPVersion",
    "WrFirmController",
    "WrFirmVersion",
    "WrCardGetManufacturer",
    "WrCardGetI2CSupport",
    "WrDeviceDDCCISup",
    "WrOSHmonHandle",
    "WrCardGetPCIID",
    "WrCardGetChipID",
    "WrCardGetSubID",
    "WrCardGetBusLoc",
    "WrCardGetBAR",
    "WrCardGetFuncNo",
    "WrCardGetBaseAddress",
    "WrCardGetIOBase",
    "WrCardGetFlags",
    "WrCardGetI2CPort",
    "WrCardGetI2CTiming",
    "WrCapsGetCapstrSize",
    "WrCapsGetString",
    "WrCapsNumberOfDiscEntries",
    "WrCapsNumberOfContEntries",
    "WrCapsRetrieveByIndexDiscCommand",
    "WrCapsRetrieveByIndexContCommand",
    "WrCapsDiscreteCommandSupportedValues",
    "WrDDCGetRange",
    "WrDDCSendVCPCommand",
};

}  // namespace

const std::array<const char*, kWrapperEntryPointCount>& WrapperEntryPointNames() {
    static const std::array<const char*, kWrapperEntryPointCount> names = {
#define BREVLINK_ENTRY(ret, name, params) #name,
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
    };
    return names;
}

void* FakeEntryPoints::Find(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = functions_.find(name);
    return found == functions_.end() ? nullptr : found->second;
}

void BindWrapper(EntryPointSource& module) {
#define BREVLINK_ENTRY(ret, name, params) Wrapper.name = reinterpret_cast<name##Fn>(module.Find(#name));
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
}

void BindWrapper(platform::ModuleHandle module) {
    LibraryEntryPoints source(module);
    BindWrapper(source);
}

void UnbindWrapper() {
    Wrapper = WrapperTable{};
}

bool IsBound(std::string_view name) {
#define BREVLINK_ENTRY(ret, entry, params) \
    if (name == #entry) {                  \
        return Wrapper.entry != nullptr;   \
    }
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
    return false;
}

std::string FirstMissingRequiredEntryPoint() {
    for (const char* required : kRequiredEntryPoints) {
        if (!IsBound(required)) {
            return required;
        }
    }
    return {};
}

void* FindOptionalEntryPoint(const char* name) {
    if (EntryPointSource* source = optionalSource.load()) {
        return source->Find(name);
    }
    platform::ModuleHandle module = platform::FindLoadedModule(kWrapperFileName);
    return module == nullptr ? nullptr : platform::FindSymbol(module, name);
}

void SetOptionalEntryPointSource(EntryPointSource* source) {
    optionalSource.store(source);
}

}  // namespace kestrova::bus
