#include "brevlink/record/record.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

#include "brevlink/caps/capabilities.h"

namespace brevlink::record {
namespace {

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += hex;
    }
    return text;
}

std::string CodeList(const std::vector<uint8_t>& codes) {
    std::string text;
    for (uint8_t code : codes) {
        text += (text.empty() ? "" : " ") + Hex(code, 2);
    }
    return text;
}

nlohmann::ordered_json Host(const sim::HostFacts& facts) {
    nlohmann::ordered_json host = nlohmann::ordered_json::object();
    const std::pair<const char*, const std::string*> texts[] = {
        {"deviceName", &facts.deviceName},
        {"deviceString", &facts.deviceString},
        {"deviceId", &facts.deviceId},
        {"monitorDevice", &facts.monitorDevice},
        {"monitorString", &facts.monitorString},
        {"driverName", &facts.driverName},
        {"vcpVersion", &facts.vcpVersion},
        {"controller", &facts.controller},
        {"firmwareVersion", &facts.firmwareVersion},
        {"cardManufacturer", &facts.cardManufacturer},
        {"i2cSupport", &facts.i2cSupport},
    };
    for (const auto& [key, value] : texts) {
        host[key] = *value;
    }
    const std::pair<const char*, uint32_t> numbers[] = {
        {"monitorHandle", facts.monitorHandle},
        {"pciId", facts.pciId},
        {"chipId", facts.chipId},
        {"subId", facts.subId},
        {"busLocation", facts.busLocation},
        {"bar", facts.bar},
        {"functionNumber", facts.functionNumber},
        {"baseAddress", facts.baseAddress},
        {"ioBase", facts.ioBase},
        {"flags", facts.flags},
        {"i2cPort", facts.i2cPort},
    };
    for (const auto& [key, value] : numbers) {
        host[key] = value;
    }
    host["i2cTiming"] = facts.i2cTiming;
    host["ddcciSupport"] = facts.ddcciSupport;
    return host;
}

}  // namespace

sim::VcpAccess StandardAccess(uint8_t code) {
    // Read-only: colour temperature increment, active control, screen orientation, horizontal and
    // vertical frequency, sub-pixel layout, display technology, usage time, application enable
    // key, controller type, firmware level, VCP version, and the theft state.
    constexpr uint8_t kReadOnly[] = {0x0B, 0x52, 0xAA, 0xAC, 0xAE, 0xB2, 0xB6, 0xC0, 0xC6, 0xC8, 0xC9, 0xDF, 0xFE};
    // Write-only: the restore commands, auto setup and the theft PIN words.
    constexpr uint8_t kWriteOnly[] = {0x04, 0x05, 0x06, 0x08, 0x1E, 0xFC, 0xFD};
    if (std::find(std::begin(kReadOnly), std::end(kReadOnly), code) != std::end(kReadOnly)) {
        return sim::VcpAccess::kReadOnly;
    }
    if (std::find(std::begin(kWriteOnly), std::end(kWriteOnly), code) != std::end(kWriteOnly)) {
        return sim::VcpAccess::kWriteOnly;
    }
    return sim::VcpAccess::kReadWrite;
}

RecordedMonitor RecordMonitor(const MonitorReading& reading, const VcpReader& read) {
    RecordedMonitor recorded;
    sim::MonitorProfile& profile = recorded.profile;
    profile.position = reading.position;
    profile.edid = reading.edid;
    profile.capabilities = reading.capabilities;
    profile.facts = reading.facts;
    const caps::Capabilities caps = caps::ParseCapabilities(reading.capabilities);
    for (const caps::VcpEntry& entry : caps.vcp) {
        const ddcci::VcpReading answer = read(entry.code);
        if (answer.status == ddcci::DdcStatus::kUnsupported) {
            sim::VcpFeature feature;
            feature.unsupported = true;
            profile.features[entry.code] = feature;
            recorded.unsupported.push_back(entry.code);
            continue;
        }
        if (answer.status != ddcci::DdcStatus::kOk) {
            recorded.silent.push_back(entry.code);
            continue;
        }
        sim::VcpFeature feature;
        feature.kind = entry.hasValueList ? sim::VcpKind::kNonContinuous : sim::VcpKind::kContinuous;
        feature.access = StandardAccess(entry.code);
        feature.momentary = answer.reply.type == 1;
        feature.maximum = answer.reply.maximum;
        feature.current = answer.reply.current;
        feature.defaultValue = answer.reply.current;
        feature.values = entry.values;
        profile.features[entry.code] = feature;
    }
    return recorded;
}

std::string ProfileJson(const std::string& name,
                        const std::string& origin,
                        const std::vector<RecordedMonitor>& monitors) {
    std::string description = "Recorded " + origin + ".";
    for (const RecordedMonitor& monitor : monitors) {
        if (!monitor.silent.empty()) {
            description += " Monitor " + std::to_string(monitor.profile.position) + ": no answer to " +
                           CodeList(monitor.silent) + " (left out).";
        }
        if (!monitor.unsupported.empty()) {
            description += " Monitor " + std::to_string(monitor.profile.position) + ": answered unsupported " +
                           CodeList(monitor.unsupported) + ".";
        }
    }
    nlohmann::ordered_json root;
    root["name"] = name;
    root["description"] = description;
    root["monitors"] = nlohmann::ordered_json::array();
    for (const RecordedMonitor& monitor : monitors) {
        const sim::MonitorProfile& profile = monitor.profile;
        nlohmann::ordered_json out;
        out["position"] = profile.position;
        if (!profile.edid.empty()) {
            out["edid"] = HexBytes(profile.edid);
        }
        out["capabilities"] = profile.capabilities;
        nlohmann::ordered_json features = nlohmann::ordered_json::object();
        for (size_t code = 0; code < profile.features.size(); ++code) {
            if (!profile.features[code]) {
                continue;
            }
            const sim::VcpFeature& feature = *profile.features[code];
            nlohmann::ordered_json f;
            if (feature.unsupported) {
                f["unsupported"] = true;
            } else {
                f["type"] = feature.kind == sim::VcpKind::kNonContinuous ? "NC" : "C";
                f["access"] = feature.access == sim::VcpAccess::kReadOnly    ? "RO"
                              : feature.access == sim::VcpAccess::kWriteOnly ? "WO"
                                                                             : "RW";
                f["current"] = feature.current;
                f["maximum"] = feature.maximum;
                if (feature.momentary) {
                    f["momentary"] = true;
                }
                if (!feature.values.empty()) {
                    f["values"] = feature.values;
                }
            }
            features[Hex(static_cast<uint32_t>(code), 2)] = f;
        }
        out["features"] = features;
        out["host"] = Host(profile.facts);
        root["monitors"].push_back(out);
    }
    return root.dump(2) + "\n";
}

}  // namespace brevlink::record
