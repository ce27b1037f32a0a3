#include "tests/brevlink/monitor_config/fake_monitor_config.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "brevlink/sim/profile_json.h"
#include "tests/brevlink/monitor_config/corpus_bytes.h"

namespace brevlink::testing {
namespace {

using monitor_config::VcpCodeType;

constexpr uintptr_t kFirstDisplayMonitor = 0x7100;
constexpr uintptr_t kFirstPhysicalHandle = 0x5100;

// Physical handle -> monitor index, for the handles given out and not yet destroyed.
std::map<uintptr_t, size_t>& LiveHandles() {
    static std::map<uintptr_t, size_t> handles;
    return handles;
}

FakeMonitor* DisplayMonitor(HMONITOR monitor) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(monitor);
    if (value < kFirstDisplayMonitor || value >= kFirstDisplayMonitor + Fake().monitors.size()) {
        return nullptr;
    }
    return &Fake().monitors[value - kFirstDisplayMonitor];
}

// The monitor behind a live physical handle, or null with the API's error set.
FakeMonitor* Physical(HANDLE handle) {
    const auto it = LiveHandles().find(reinterpret_cast<uintptr_t>(handle));
    if (it == LiveHandles().end()) {
        SetLastError(monitor_config::kErrorInvalidMonitorHandle);
        return nullptr;
    }
    FakeMonitor& monitor = Fake().monitors[it->second];
    if (monitor.vanished) {
        SetLastError(monitor_config::kErrorMonitorNoLongerExists);
        return nullptr;
    }
    return &monitor;
}

void CopyText(const std::wstring& text, wchar_t* out, size_t capacity) {
    const size_t count = std::min(text.size(), capacity - 1);
    std::wmemcpy(out, text.data(), count);
    out[count] = L'\0';
}

BOOL WINAPI EnumMonitors(HDC, LPCRECT, MONITORENUMPROC callback, LPARAM data) {
    for (size_t i = 0; i < Fake().monitors.size(); ++i) {
        RECT area{static_cast<LONG>(i) * 1920, 0, static_cast<LONG>(i + 1) * 1920, 1080};
        if (!callback(reinterpret_cast<HMONITOR>(kFirstDisplayMonitor + i), nullptr, &area, data)) {
            break;
        }
    }
    return TRUE;
}

BOOL WINAPI MonitorInfo(HMONITOR handle, LPMONITORINFO info) {
    FakeMonitor* monitor = DisplayMonitor(handle);
    if (monitor == nullptr || info->cbSize != sizeof(MONITORINFOEXW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CopyText(monitor->adapterName, reinterpret_cast<MONITORINFOEXW*>(info)->szDevice, CCHDEVICENAME);
    return TRUE;
}

BOOL WINAPI DisplayDevices(LPCWSTR parent, DWORD index, PDISPLAY_DEVICEW device, DWORD flags) {
    std::vector<const FakeMonitor*> matches;
    for (const FakeMonitor& monitor : Fake().monitors) {
        if (parent == nullptr || monitor.adapterName == parent) {
            matches.push_back(&monitor);
        }
    }
    if (index >= matches.size()) {
        return FALSE;
    }
    const FakeMonitor& monitor = *matches[index];
    if (parent == nullptr) {
        CopyText(monitor.adapterName, device->DeviceName, std::size(device->DeviceName));
        CopyText(monitor.adapterText, device->DeviceString, std::size(device->DeviceString));
        CopyText(L"PCI\\VEN_10DE&DEV_1C82", device->DeviceID, std::size(device->DeviceID));
        device->StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
    } else {
        CopyText(monitor.monitorName, device->DeviceName, std::size(device->DeviceName));
        CopyText(monitor.monitorText, device->DeviceString, std::size(device->DeviceString));
        CopyText((flags & EDD_GET_DEVICE_INTERFACE_NAME) != 0 ? monitor.interfaceName : L"MONITOR\\ACR0336",
                 device->DeviceID, std::size(device->DeviceID));
        device->StateFlags = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;
    }
    return TRUE;
}

BOOL WINAPI PhysicalCount(HMONITOR handle, LPDWORD count) {
    if (DisplayMonitor(handle) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *count = 1;
    return TRUE;
}

BOOL WINAPI PhysicalMonitors(HMONITOR handle, DWORD count, LPPHYSICAL_MONITOR out) {
    FakeMonitor* monitor = DisplayMonitor(handle);
    if (monitor == nullptr || count != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uintptr_t value = kFirstPhysicalHandle + static_cast<uintptr_t>(Fake().handlesGiven++);
    LiveHandles()[value] = static_cast<size_t>(monitor - Fake().monitors.data());
    ++Fake().liveHandles;
    out[0].hPhysicalMonitor = reinterpret_cast<HANDLE>(value);
    CopyText(L"Generic PnP Monitor", out[0].szPhysicalMonitorDescription, PHYSICAL_MONITOR_DESCRIPTION_SIZE);
    return TRUE;
}

BOOL WINAPI DestroyMonitors(DWORD count, LPPHYSICAL_MONITOR monitors) {
    for (DWORD i = 0; i < count; ++i) {
        if (LiveHandles().erase(reinterpret_cast<uintptr_t>(monitors[i].hPhysicalMonitor)) == 1) {
            --Fake().liveHandles;
        }
    }
    return TRUE;
}

BOOL WINAPI CapabilitiesLength(HANDLE handle, LPDWORD length) {
    FakeMonitor* monitor = Physical(handle);
    if (monitor == nullptr) {
        return FALSE;
    }
    *length = static_cast<DWORD>(monitor->capabilities.size() + 1);
    return TRUE;
}

BOOL WINAPI Capabilities(HANDLE handle, LPSTR text, DWORD length) {
    FakeMonitor* monitor = Physical(handle);
    if (monitor == nullptr) {
        return FALSE;
    }
    if (length < monitor->capabilities.size() + 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(text, monitor->capabilities.c_str(), monitor->capabilities.size() + 1);
    return TRUE;
}

BOOL WINAPI GetFeature(HANDLE handle, BYTE code, VcpCodeType* type, LPDWORD current, LPDWORD maximum) {
    ++Fake().vcpReads;
    FakeMonitor* monitor = Physical(handle);
    if (monitor == nullptr) {
        return FALSE;
    }
    if (const auto error = monitor->readErrors.find(code); error != monitor->readErrors.end()) {
        SetLastError(error->second);
        return FALSE;
    }
    const sim::FeatureAnswer answer = monitor->model->Get(code);
    if (!answer.supported) {
        SetLastError(monitor_config::kErrorVcpNotSupported);
        return FALSE;
    }
    *type = answer.momentary ? monitor_config::kMomentary : monitor_config::kSetParameter;
    *current = answer.current;
    *maximum = answer.maximum;
    return TRUE;
}

BOOL WINAPI SetFeature(HANDLE handle, BYTE code, DWORD value) {
    FakeMonitor* monitor = Physical(handle);
    if (monitor == nullptr) {
        return FALSE;
    }
    if (monitor->failingSets.count(code) != 0) {
        SetLastError(monitor_config::kErrorI2cTransmitting);
        return FALSE;
    }
    const bool applied = monitor->model->Set(code, static_cast<uint16_t>(value));
    monitor->model->RecordWrite(code, static_cast<uint16_t>(value), applied);
    return TRUE;
}

BOOL WINAPI SaveSettings(HANDLE handle) {
    return Physical(handle) != nullptr ? TRUE : FALSE;
}

bool ReadEdid(const wchar_t* interfaceName, std::vector<uint8_t>& edid) {
    for (const FakeMonitor& monitor : Fake().monitors) {
        if (monitor.interfaceName == interfaceName && !monitor.edid.empty()) {
            edid = monitor.edid;
            return true;
        }
    }
    return false;
}

FakeMonitor CompliantMonitor(int index) {
    static const sim::LabProfile profile = sim::BuiltinProfile();
    const std::wstring number = std::to_wstring(index + 1);
    FakeMonitor monitor;
    monitor.adapterName = L"\\\\.\\DISPLAY" + number;
    monitor.adapterText = L"Fake Display Adapter " + number;
    monitor.monitorName = monitor.adapterName + L"\\Monitor0";
    monitor.monitorText = L"Fake PnP Monitor " + number;
    monitor.interfaceName =
        L"\\\\?\\DISPLAY#FAKE000" + number + L"#5&1&0&UID" + number + L"#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
    monitor.model = std::make_shared<sim::MonitorModel>(profile.monitors.front());
    return monitor;
}

}  // namespace

FakeSystem& Fake() {
    static FakeSystem system;
    return system;
}

void InvalidateLiveHandles() {
    LiveHandles().clear();
    Fake().liveHandles = 0;
}

const monitor_config::Api& FakeApi() {
    static const monitor_config::Api api = [] {
        monitor_config::Api table;
        table.enumDisplayMonitors = &EnumMonitors;
        table.getMonitorInfo = &MonitorInfo;
        table.enumDisplayDevices = &DisplayDevices;
        table.getNumberOfPhysicalMonitors = &PhysicalCount;
        table.getPhysicalMonitors = &PhysicalMonitors;
        table.destroyPhysicalMonitors = &DestroyMonitors;
        table.getCapabilitiesStringLength = &CapabilitiesLength;
        table.capabilitiesRequestAndReply = &Capabilities;
        table.getVcpFeatureAndReply = &GetFeature;
        table.setVcpFeature = &SetFeature;
        table.saveCurrentSettings = &SaveSettings;
        table.readEdid = &ReadEdid;
        return table;
    }();
    return api;
}

void UseTwoFakeMonitors() {
    FakeMonitor first = CompliantMonitor(0);
    first.edid = CorpusEdid();
    first.capabilities = CorpusCapabilitiesOne();
    first.readErrors[0x62] = monitor_config::kErrorInvalidMessageChecksum;
    first.readErrors[0x16] = monitor_config::kErrorI2cReceiving;
    first.failingSets.insert(0x18);
    FakeMonitor second = CompliantMonitor(1);
    second.capabilities = CorpusCapabilitiesTwo();
    Fake().monitors = {std::move(first), std::move(second)};
}

}  // namespace brevlink::testing
