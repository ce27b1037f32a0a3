#include "brevlink/monitor_config/physical_monitors.h"

#include <iterator>

namespace brevlink::monitor_config {
namespace {

BOOL CALLBACK CollectDisplayMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
}

struct DisplayDevice {
    std::string name;
    std::string text;
    std::string id;  // the PnP id, or with EDD_GET_DEVICE_INTERFACE_NAME the interface name
    std::wstring wideId;
    DWORD flags = 0;
};

std::vector<DisplayDevice> DisplayDevices(const Api& api, const wchar_t* parent, DWORD flags) {
    std::vector<DisplayDevice> devices;
    for (DWORD index = 0; index < 64; ++index) {
        DISPLAY_DEVICEW device{};
        device.cb = sizeof(device);
        if (!api.enumDisplayDevices(parent, index, &device, flags)) {
            break;
        }
        device.DeviceName[std::size(device.DeviceName) - 1] = L'\0';
        device.DeviceString[std::size(device.DeviceString) - 1] = L'\0';
        device.DeviceID[std::size(device.DeviceID) - 1] = L'\0';
        devices.push_back({Narrow(device.DeviceName), Narrow(device.DeviceString), Narrow(device.DeviceID),
                           device.DeviceID, device.StateFlags});
    }
    return devices;
}

}  // namespace

std::string Narrow(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(size - 1));
    return narrow;
}

PhysicalMonitorSet::PhysicalMonitorSet(const Api& api) : api_(api) {
    std::vector<HMONITOR> displayMonitors;
    if (!api_.enumDisplayMonitors(nullptr, nullptr, &CollectDisplayMonitor,
                                  reinterpret_cast<LPARAM>(&displayMonitors))) {
        problems_.push_back("EnumDisplayMonitors failed: " + DescribeError(GetLastError()));
        return;
    }
    for (HMONITOR displayMonitor : displayMonitors) {
        AddDisplayMonitor(displayMonitor);
    }
}

PhysicalMonitorSet::~PhysicalMonitorSet() {
    for (std::vector<PHYSICAL_MONITOR>& handles : handleArrays_) {
        api_.destroyPhysicalMonitors(static_cast<DWORD>(handles.size()), handles.data());
    }
}

void PhysicalMonitorSet::AddDisplayMonitor(HMONITOR displayMonitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!api_.getMonitorInfo(displayMonitor, &info)) {
        problems_.push_back("GetMonitorInfo failed: " + DescribeError(GetLastError()));
        return;
    }
    info.szDevice[std::size(info.szDevice) - 1] = L'\0';
    // A display monitor without a physical monitor (the API is missing or refuses it) is still
    // served, by its device and EDID, with every DDC/CI call failing.
    std::vector<PHYSICAL_MONITOR> handles;
    DWORD count = 0;
    if (!api_.getNumberOfPhysicalMonitors(displayMonitor, &count) || count == 0) {
        problems_.push_back(Narrow(info.szDevice) + ": no physical monitor, so no DDC/CI (" +
                            DescribeError(GetLastError()) + ")");
    } else {
        handles.resize(count);
        if (!api_.getPhysicalMonitors(displayMonitor, count, handles.data())) {
            problems_.push_back(Narrow(info.szDevice) + ": GetPhysicalMonitorsFromHMONITOR failed, so no DDC/CI: " +
                                DescribeError(GetLastError()));
            handles.clear();
        }
    }
    const bool withoutHandles = handles.empty();
    if (withoutHandles) {
        handles.resize(1);
    }

    // The adapter whose name the display monitor carries, and its attached monitor devices in
    // order: the n-th physical monitor is the n-th of them.
    DisplayDevice adapter;
    for (const DisplayDevice& candidate : DisplayDevices(api_, nullptr, 0)) {
        if (candidate.name == Narrow(info.szDevice)) {
            adapter = candidate;
            break;
        }
    }
    std::vector<DisplayDevice> attached;
    const std::vector<DisplayDevice> devices = DisplayDevices(api_, info.szDevice, EDD_GET_DEVICE_INTERFACE_NAME);
    for (const DisplayDevice& device : devices) {
        if ((device.flags & DISPLAY_DEVICE_ACTIVE) != 0) {
            attached.push_back(device);
        }
    }
    if (attached.size() < handles.size()) {
        attached = devices;  // some drivers never mark their monitors active
    }

    for (size_t i = 0; i < handles.size(); ++i) {
        handles[i].szPhysicalMonitorDescription[PHYSICAL_MONITOR_DESCRIPTION_SIZE - 1] = L'\0';
        PhysicalMonitorInfo monitor;
        monitor.handle = handles[i].hPhysicalMonitor;
        monitor.displayMonitor = displayMonitor;
        monitor.adapterName = Narrow(info.szDevice);
        monitor.adapterString = adapter.text;
        monitor.adapterId = adapter.id;
        monitor.monitorString = Narrow(handles[i].szPhysicalMonitorDescription);
        if (i < attached.size()) {
            monitor.monitorName = attached[i].name;
            if (!attached[i].text.empty()) {
                monitor.monitorString = attached[i].text;
            }
            monitor.interfaceName = attached[i].id;
            if (!api_.readEdid(attached[i].wideId.c_str(), monitor.edid)) {
                monitor.edid.clear();
                problems_.push_back(monitor.monitorName + ": no EDID in the registry");
            }
        } else {
            problems_.push_back(monitor.adapterName + ": physical monitor " + std::to_string(i + 1) +
                                " matches no monitor device, so it has no EDID");
        }
        monitors_.push_back(std::move(monitor));
    }
    if (!withoutHandles) {
        handleArrays_.push_back(std::move(handles));
    }
}

}  // namespace brevlink::monitor_config
