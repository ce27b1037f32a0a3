// The 16 monitor records, filled once at start-up from the wrapper library and only read
// afterwards: what the window lists, what the primitives address, what the report prints.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "operator/fixed_text.h"
#include "platform/settings_store.h"

namespace kestrova::bus {

using op::FixedText;

struct MonitorRecord {
    int32_t index = -1;  // 1-based monitor index in the library; -1 = free record
    FixedText<60> manufacturer;
    FixedText<20> model;
    FixedText<32> serialNumber;
    FixedText<8> pnpId;
    FixedText<20> manufactureDate;
    FixedText<40> signalType;
    FixedText<40> timingRecommended;
    FixedText<40> screenSize;
    FixedText<12> gamma;
    FixedText<20> redChroma;
    FixedText<20> greenChroma;
    FixedText<20> blueChroma;
    FixedText<20> whitePoint;
    FixedText<4> edidVersion;
    FixedText<20> mccsVersion;
    FixedText<8> displayType;
    FixedText<100> driverName;
    FixedText<50> vcpVersion;
    FixedText<100> controller;
    FixedText<50> firmwareVersion;
    FixedText<50> cardVendor;
    uint32_t pciId = 0;
    uint32_t busLocation = 0;
    uint32_t bar = 0;
    uint32_t chipId = 0;
    uint32_t pciSubId = 0;
    uint32_t functionNumber = 0;
    uint32_t baseAddress = 0;
    uint32_t ioBase = 0;
    uint32_t cardFlags = 0;
    uint32_t i2cPort = 0;
    float i2cTiming = 0.0f;
    FixedText<100> i2cSupport;
    FixedText<60> deviceName;
    FixedText<300> deviceString;
    FixedText<500> deviceId;
    FixedText<100> monitorDevice;
    FixedText<300> monitorString;
    uint32_t monitorHandle = 0;
    int32_t ddcciSupport = 0;
};

inline constexpr int kMonitorRecordCount = 16;

class MonitorTable {
  public:
    // Every field empty or 0, every index -1.
    void Clear();
    MonitorRecord& operator[](int position) { return records_[Clamp(position)]; }
    const MonitorRecord& operator[](int position) const { return records_[Clamp(position)]; }
    // Used records come first; the first free record ends the list.
    int UsedCount() const;

  private:
    // A position outside the table reads the spare free record instead of memory that is not ours.
    static int Clamp(int position) { return position >= 0 && position < kMonitorRecordCount ? position : kSpare; }
    static constexpr int kSpare = kMonitorRecordCount;
    std::array<MonitorRecord, kMonitorRecordCount + 1> records_{};
};

// The process-wide table and the chosen record's position (0 after start-up).
MonitorTable& Monitors();
extern int32_t currentMonitor;
// The record at currentMonitor (a free record when the position is out of the table).
const MonitorRecord& CurrentMonitorRecord();

// The registry key and value naming the wrapper's current driver.
inline constexpr char kDriverRegistryKey[] = "Software\\Velmora Displays\\LMT";
inline constexpr char kDriverRegistryValue[] = "WrapperDriverCurrent";

// Fills the table from the library. False only when the attach mask cannot be read.
bool EnumerateMonitors(platform::SettingsStore& settings = platform::SystemSettingsStore());

// "<manufacturer> - <model>": the monitor list line and the monitor's name in the log.
std::string MonitorListText(const MonitorRecord& record);

// The I2C support text for the driver named in the settings store (needs the library for the
// driver that reports its own text).
std::string I2cSupportText(platform::SettingsStore& settings, int32_t monitorIndex);

}  // namespace kestrova::bus
