#include <windows.h>

#include <setupapi.h>

#include <cwctype>

#include "brevlink/monitor_config/monitor_config_api.h"

namespace brevlink::monitor_config {
namespace {

// {E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}, the device interface of every monitor.
constexpr GUID kMonitorInterface = {0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};

bool SameInterfaceName(const wchar_t* a, const wchar_t* b) {
    for (; *a != L'\0' && *b != L'\0'; ++a, ++b) {
        if (std::towlower(*a) != std::towlower(*b)) {
            return false;
        }
    }
    return *a == *b;
}

bool ReadEdidValue(HKEY key, std::vector<uint8_t>& edid) {
    BYTE buffer[1024];  // the largest EDID E-DDC can address in the blocks a monitor key keeps
    DWORD size = sizeof(buffer);
    DWORD type = 0;
    if (RegQueryValueExW(key, L"EDID", nullptr, &type, buffer, &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size == 0) {
        return false;
    }
    edid.assign(buffer, buffer + size);
    return true;
}

// Walks the present monitor interfaces for the one named, and reads its device key's "EDID".
bool ReadEdidFromRegistry(const wchar_t* interfaceName, std::vector<uint8_t>& edid) {
    edid.clear();
    if (interfaceName == nullptr || *interfaceName == L'\0') {
        return false;
    }
    HDEVINFO devices =
        SetupDiGetClassDevsW(&kMonitorInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool found = false;
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD i = 0; !found && SetupDiEnumDeviceInterfaces(devices, nullptr, &kMonitorInterface, i, &interfaceData);
         ++i) {
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
            continue;
        }
        std::vector<BYTE> storage(needed);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, detail, needed, nullptr, &device) ||
            !SameInterfaceName(detail->DevicePath, interfaceName)) {
            continue;
        }
        HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key != INVALID_HANDLE_VALUE) {
            found = ReadEdidValue(key, edid);
            RegCloseKey(key);
        }
        break;
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& out) {
    out = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return out != nullptr;
}

}  // namespace

const Api* SystemApi(std::string& error) {
    static Api api;
    static bool loaded = false;
    static std::string loadError;
    if (!loaded) {
        loaded = true;
        // Only from the system folder: a dxva2.dll beside the program is never taken. The module
        // stays loaded for the life of the process.
        HMODULE dxva2 = LoadLibraryExW(L"dxva2.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (dxva2 == nullptr) {
            loadError = "dxva2.dll (the Monitor Configuration API) cannot be loaded";
        } else if (!Bind(dxva2, "GetNumberOfPhysicalMonitorsFromHMONITOR", api.getNumberOfPhysicalMonitors) ||
                   !Bind(dxva2, "GetPhysicalMonitorsFromHMONITOR", api.getPhysicalMonitors) ||
                   !Bind(dxva2, "DestroyPhysicalMonitors", api.destroyPhysicalMonitors) ||
                   !Bind(dxva2, "GetCapabilitiesStringLength", api.getCapabilitiesStringLength) ||
                   !Bind(dxva2, "CapabilitiesRequestAndCapabilitiesReply", api.capabilitiesRequestAndReply) ||
                   !Bind(dxva2, "GetVCPFeatureAndVCPFeatureReply", api.getVcpFeatureAndReply) ||
                   !Bind(dxva2, "SetVCPFeature", api.setVcpFeature) ||
                   !Bind(dxva2, "SaveCurrentSettings", api.saveCurrentSettings)) {
            loadError = "dxva2.dll lacks a function of the Monitor Configuration API";
        } else {
            api.enumDisplayMonitors = &EnumDisplayMonitors;
            api.getMonitorInfo = &GetMonitorInfoW;
            api.enumDisplayDevices = &EnumDisplayDevicesW;
            api.readEdid = &ReadEdidFromRegistry;
        }
    }
    if (!loadError.empty()) {
        error = loadError;
        return nullptr;
    }
    return &api;
}

}  // namespace brevlink::monitor_config
