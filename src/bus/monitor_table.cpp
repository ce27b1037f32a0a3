#include "bus/monitor_table.h"

#include <cctype>
#include <string_view>

#include "bus/wrapper_loader.h"
#include "bus/wrapper_table.h"

namespace kestrova::bus {

int32_t currentMonitor = 0;

namespace {

// Asks the library for a text: the field is cleared and its capacity passed as the size; whatever
// the library does, the field stays terminated.
template <size_t N, typename Query>
void QueryText(FixedText<N>& field, Query query) {
    field.Clear();
    uint32_t size = static_cast<uint32_t>(N);
    query(field.Data(), &size);
    field.Terminate();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void MonitorTable::Clear() {
    for (MonitorRecord& record : records_) {
        record = MonitorRecord{};
        record.index = -1;
    }
}

int MonitorTable::UsedCount() const {
    int count = 0;
    while (count < kMonitorRecordCount && records_[count].index != -1) {
        ++count;
    }
    return count;
}

MonitorTable& Monitors() {
    static MonitorTable table;
    return table;
}

const MonitorRecord& CurrentMonitorRecord() {
    return Monitors()[currentMonitor];
}

std::string MonitorListText(const MonitorRecord& record) {
    return record.manufacturer.Str() + " - " + record.model.Str();
}

std::string I2cSupportText(platform::SettingsStore& settings, int32_t monitorIndex) {
    if (!settings.OpenKey(kDriverRegistryKey)) {
        return {};
    }
    char value[32] = {};
    uint32_t size = sizeof(value);
    if (settings.QueryString(kDriverRegistryKey, kDriverRegistryValue, value, &size) != platform::SettingsResult::kOk) {
        value[0] = '\0';  // an absent or oversized value reads as empty text
    }
    value[sizeof(value) - 1] = '\0';

    FixedText<100> text;
    for (const char* methodThree : {"ATI API", "NV API", "NV2 API", "ATI2 API", "INTEL API"}) {
        if (EqualsIgnoringCase(value, methodThree)) {
            text.Format("Method 3 Support: %s", value);
            return text.Str();
        }
    }
    if (EqualsIgnoringCase(value, "VMD API")) {
        QueryText(text,
                  [&](char* buffer, uint32_t* length) { Wrapper.WrCardGetI2CSupport(monitorIndex, buffer, length); });
        return text.Str();
    }
    if (EqualsIgnoringCase(value, "VISTA API")) {
        return "Vista I2C Support";
    }
    if (EqualsIgnoringCase(value, "SMSC ZANDOR API")) {
        return "SMSC Zandor Support";
    }
    // Fifteen characters, as the driver's value has always been matched; the full sixteen-character
    // driver name does not match.
    if (EqualsIgnoringCase(value, "SMSC USB-HID AP")) {
        return "SMSC USB-HID Support";
    }
    return "I2C support not found";
}

namespace {

void FillRecord(MonitorRecord& r, platform::SettingsStore& settings) {
    const int32_t m = r.index;
    auto edid = [m](auto& field, uint32_t code) {
        QueryText(field, [&](char* buffer, uint32_t* size) { Wrapper.WrEDIDGetInfo(m, code, buffer, size); });
    };
    auto text = [m](auto& field, auto function) {
        QueryText(field, [&](char* buffer, uint32_t* size) { function(m, buffer, size); });
    };
    auto value = [m](uint32_t& field, auto function) {
        field = 0;
        function(m, &field);
    };

    edid(r.manufacturer, 100);
    edid(r.model, 117);
    edid(r.serialNumber, 119);
    edid(r.pnpId, 118);
    edid(r.manufactureDate, 120);
    edid(r.signalType, 122);
    edid(r.screenSize, 124);
    edid(r.gamma, 125);
    edid(r.edidVersion, 121);
    edid(r.redChroma, 126);
    edid(r.greenChroma, 127);
    edid(r.blueChroma, 128);
    edid(r.whitePoint, 129);
    edid(r.timingRecommended, 123);

    text(r.deviceName, Wrapper.WrOSDeviceName);
    text(r.deviceId, Wrapper.WrOSDeviceId);
    text(r.deviceString, Wrapper.WrOSDeviceStr);
    text(r.monitorDevice, Wrapper.WrOSMonDevice);
    text(r.monitorString, Wrapper.WrOSMonStr);
    text(r.mccsVersion, Wrapper.WrCapsMCCSVersion);
    text(r.displayType, Wrapper.WrCapsDisplayType);
    text(r.driverName, Wrapper.WrOSDriverName);
    text(r.vcpVersion, Wrapper.WrFirmVCPVersion);
    text(r.controller, Wrapper.WrFirmController);
    text(r.firmwareVersion, Wrapper.WrFirmVersion);
    r.monitorHandle = Wrapper.WrOSHmonHandle(m);

    r.i2cSupport = I2cSupportText(settings, m);

    text(r.cardVendor, Wrapper.WrCardGetManufacturer);
    value(r.pciId, Wrapper.WrCardGetPCIID);
    value(r.chipId, Wrapper.WrCardGetChipID);
    value(r.pciSubId, Wrapper.WrCardGetSubID);
    value(r.busLocation, Wrapper.WrCardGetBusLoc);
    value(r.bar, Wrapper.WrCardGetBAR);
    value(r.functionNumber, Wrapper.WrCardGetFuncNo);
    value(r.baseAddress, Wrapper.WrCardGetBaseAddress);
    value(r.ioBase, Wrapper.WrCardGetIOBase);
    value(r.cardFlags, Wrapper.WrCardGetFlags);
    value(r.i2cPort, Wrapper.WrCardGetI2CPort);
    r.i2cTiming = 0.0f;
    Wrapper.WrCardGetI2CTiming(m, &r.i2cTiming);

    FixedText<100> scratch;
    uint32_t scratchSize = static_cast<uint32_t>(scratch.Capacity());
    r.ddcciSupport = Wrapper.WrDeviceDDCCISup(m, scratch.Data(), &scratchSize);
}

}  // namespace

bool EnumerateMonitors(platform::SettingsStore& settings) {
    MonitorTable& table = Monitors();
    table.Clear();

    uint32_t mask = 0;
    Wrapper.WrSynLock();
    int32_t answered = Wrapper.WrGetAttachedMonitorsIndices(&mask);
    Wrapper.WrSynUnlock();
    if (answered == 0) {
        return false;
    }

    // Bit 0 is never a monitor; positions 1-16 fill the records in ascending order.
    int next = 0;
    for (int bit = 1; bit <= kMonitorRecordCount && next < kMonitorRecordCount; ++bit) {
        if ((mask >> bit) & 1u) {
            table[next++].index = bit;
        }
    }

    HoldBusLock();
    for (int i = 0; i < table.UsedCount(); ++i) {
        FillRecord(table[i], settings);
    }
    Wrapper.WrSynUnlock();
    return true;
}

}  // namespace kestrova::bus
