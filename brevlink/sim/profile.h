// A lab profile: the simulated monitors, what the host learns about them besides DDC/CI, and
// the faults they show on the wire. Loaded from JSON (profile_json.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/sim/quirks.h"
#include "brevlink/sim/vcp_feature.h"
#include "brevlink/sim/wire_behaviour.h"

namespace brevlink::sim {

constexpr int kMinPosition = 1;
constexpr int kMaxPosition = 16;
constexpr char kSimulatedLabel[] = "Brevlink simulated monitor (lab)";

// What the operating system and the graphics card would say about the monitor's output; the
// lab hands these to the WrOS*, WrCard* and WrFirm* queries.
struct HostFacts {
    std::string deviceName;
    std::string deviceString = kSimulatedLabel;
    std::string deviceId;
    std::string monitorDevice;
    std::string monitorString = kSimulatedLabel;
    uint32_t monitorHandle = 0;
    std::string driverName = kSimulatedLabel;
    std::string vcpVersion;
    std::string controller;
    std::string firmwareVersion;
    std::string cardManufacturer;
    std::string i2cSupport;
    uint32_t pciId = 0;
    uint32_t chipId = 0;
    uint32_t subId = 0;
    uint32_t busLocation = 0;
    uint32_t bar = 0;
    uint32_t functionNumber = 0;
    uint32_t baseAddress = 0;
    uint32_t ioBase = 0;
    uint32_t flags = 0;
    uint32_t i2cPort = 0;
    float i2cTiming = 0.0f;
    int32_t ddcciSupport = 1;
};

enum class ZeroStyle : uint8_t {
    kValues,  // well-formed replies whose maximum and current are 0
    kBytes,   // the bus reads back nothing but 0x00
};

struct Faults {
    std::vector<uint8_t> silentCodes;        // Get VCP of these is never answered (no acknowledge)
    std::vector<uint8_t> badChecksumCodes;   // replies for these carry a wrong checksum
    std::vector<uint8_t> ignoredWriteCodes;  // Set VCP acknowledged, value unchanged
    bool ignoreAllWrites = false;
    int zeroRepliesAfterRestore = 0;  // Get VCP replies that answer zeros after a restore command
    ZeroStyle zeroStyle = ZeroStyle::kValues;
    bool garbledCapabilities = false;  // capabilities fragments corrupted before the checksum
    Quirks quirks;                     // real monitors' misbehaviour, from the profile's "quirks"
};

struct MonitorProfile {
    int position = 0;  // attach position 1..16
    std::vector<uint8_t> edid;
    std::string capabilities;
    std::array<std::optional<VcpFeature>, 256> features{};
    std::optional<std::vector<std::string>> behaviours;  // names from behaviours.h; absent: the standard set
    HostFacts facts;
    Faults faults;
    WireBehaviour wire;
};

struct LabProfile {
    std::string name;
    std::vector<MonitorProfile> monitors;  // ascending positions, none twice
};

}  // namespace brevlink::sim
