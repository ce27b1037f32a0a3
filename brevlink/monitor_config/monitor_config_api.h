// The Windows Monitor Configuration API (dxva2), the display enumeration of user32 and the
// monitors' EDIDs in the registry, as one table of functions. The back end calls nothing else of
// the system, so tests hand it fake monitors through the same table.
#pragma once

#include <windows.h>

#include <physicalmonitorenumerationapi.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brevlink::monitor_config {

// MC_VCP_CODE_TYPE of the low-level API (not declared by every tool chain's headers).
enum VcpCodeType : int {
    kMomentary = 0,     // MC_MOMENTARY
    kSetParameter = 1,  // MC_SET_PARAMETER
};

// The API's errors (GetLastError) that the back end tells apart.
constexpr DWORD kErrorI2cNotSupported = 0xC0262580;
constexpr DWORD kErrorI2cDeviceMissing = 0xC0262581;
constexpr DWORD kErrorI2cTransmitting = 0xC0262582;
constexpr DWORD kErrorI2cReceiving = 0xC0262583;
constexpr DWORD kErrorVcpNotSupported = 0xC0262584;  // the monitor answered "unsupported"
constexpr DWORD kErrorInvalidData = 0xC0262585;
constexpr DWORD kErrorInvalidCapabilities = 0xC0262587;
constexpr DWORD kErrorInvalidMessageCommand = 0xC0262589;
constexpr DWORD kErrorInvalidMessageLength = 0xC026258A;
constexpr DWORD kErrorInvalidMessageChecksum = 0xC026258B;
constexpr DWORD kErrorInvalidMonitorHandle = 0xC026258C;
constexpr DWORD kErrorMonitorNoLongerExists = 0xC026258D;

// "0xC026258B (the reply's checksum is wrong)": the code and what it means, for the diag log.
std::string DescribeError(DWORD error);

struct Api {
    // user32
    BOOL(WINAPI* enumDisplayMonitors)(HDC, LPCRECT, MONITORENUMPROC, LPARAM) = nullptr;
    BOOL(WINAPI* getMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;  // given a MONITORINFOEXW
    BOOL(WINAPI* enumDisplayDevices)(LPCWSTR, DWORD, PDISPLAY_DEVICEW, DWORD) = nullptr;
    // dxva2
    BOOL(WINAPI* getNumberOfPhysicalMonitors)(HMONITOR, LPDWORD) = nullptr;
    BOOL(WINAPI* getPhysicalMonitors)(HMONITOR, DWORD, LPPHYSICAL_MONITOR) = nullptr;
    BOOL(WINAPI* destroyPhysicalMonitors)(DWORD, LPPHYSICAL_MONITOR) = nullptr;
    BOOL(WINAPI* getCapabilitiesStringLength)(HANDLE, LPDWORD) = nullptr;
    BOOL(WINAPI* capabilitiesRequestAndReply)(HANDLE, LPSTR, DWORD) = nullptr;
    BOOL(WINAPI* getVcpFeatureAndReply)(HANDLE, BYTE, VcpCodeType*, LPDWORD, LPDWORD) = nullptr;
    BOOL(WINAPI* setVcpFeature)(HANDLE, BYTE, DWORD) = nullptr;
    BOOL(WINAPI* saveCurrentSettings)(HANDLE) = nullptr;
    // The registry: the "EDID" value of the monitor device whose interface name
    // (EnumDisplayDevices with EDD_GET_DEVICE_INTERFACE_NAME) is `interfaceName`.
    bool (*readEdid)(const wchar_t* interfaceName, std::vector<uint8_t>& edid) = nullptr;
};

// The system's table, dxva2 loaded from the system folder only. Null, with `error` set, when the
// system has no Monitor Configuration API.
const Api* SystemApi(std::string& error);

// The table the back end uses: the system's unless a test installed its own (null: the system's).
void InstallApi(const Api* api);
const Api* InstalledApiOrNull();

}  // namespace brevlink::monitor_config
