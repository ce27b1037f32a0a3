#include "brevlink/sim/profile_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {
namespace {

// 128 segments of 256 bytes: everything an E-DDC EEPROM can address.
constexpr size_t kMaxEdidFileBytes = 32768;

using Json = nlohmann::json;

class Reader {
  public:
    explicit Reader(std::string source, std::string baseDirectory)
        : source_(std::move(source)), baseDirectory_(std::move(baseDirectory)) {}

    std::vector<std::string>& Errors() { return errors_; }

    void Fail(const std::string& place, const std::string& problem) {
        errors_.push_back(source_ + ": " + place + ": " + problem);
    }

    // Reports keys that the object does not know: a misspelt key must not pass unnoticed.
    bool CheckKeys(const Json& object, const std::string& place, std::initializer_list<const char*> known) {
        if (!object.is_object()) {
            Fail(place, "expected an object");
            return false;
        }
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (std::none_of(known.begin(), known.end(), [&](const char* k) { return it.key() == k; })) {
                Fail(place, "unknown key \"" + it.key() + "\"");
            }
        }
        return true;
    }

    // An integer, or a text in decimal or 0x-hexadecimal.
    bool Number(const Json& value, const std::string& place, int64_t low, int64_t high, int64_t& out) {
        if (value.is_number_integer()) {
            out = value.get<int64_t>();
        } else if (value.is_string()) {
            const std::string text = value.get<std::string>();
            if (!ParseIntegerText(text, out)) {
                Fail(place, "\"" + text + "\" is not a number");
                return false;
            }
        } else {
            Fail(place, "expected a number");
            return false;
        }
        if (out < low || out > high) {
            Fail(place, std::to_string(out) + " is outside " + std::to_string(low) + ".." + std::to_string(high));
            return false;
        }
        return true;
    }

    template <typename T>
    void NumberField(const Json& object, const char* key, const std::string& place, int64_t low, int64_t high, T& out) {
        if (!object.contains(key)) {
            return;
        }
        int64_t value = 0;
        if (Number(object.at(key), place + "." + key, low, high, value)) {
            out = static_cast<T>(value);
        }
    }

    void TextField(const Json& object, const char* key, const std::string& place, std::string& out) {
        if (!object.contains(key)) {
            return;
        }
        if (!object.at(key).is_string()) {
            Fail(place + "." + key, "expected a text");
            return;
        }
        out = object.at(key).get<std::string>();
    }

    void BoolField(const Json& object, const char* key, const std::string& place, bool& out) {
        if (!object.contains(key)) {
            return;
        }
        if (!object.at(key).is_boolean()) {
            Fail(place + "." + key, "expected true or false");
            return;
        }
        out = object.at(key).get<bool>();
    }

    void CodeList(const Json& object, const char* key, const std::string& place, std::vector<uint8_t>& out) {
        if (!object.contains(key)) {
            return;
        }
        const Json& list = object.at(key);
        if (!list.is_array()) {
            Fail(place + "." + key, "expected a list of VCP codes");
            return;
        }
        for (size_t i = 0; i < list.size(); ++i) {
            int64_t code = 0;
            if (Number(list[i], place + "." + key + "[" + std::to_string(i) + "]", 0, 255, code)) {
                out.push_back(static_cast<uint8_t>(code));
            }
        }
    }

    std::optional<LabProfile> Profile(const Json& root) {
        LabProfile profile;
        if (!CheckKeys(root, "top level", {"name", "description", "monitors"})) {
            return std::nullopt;
        }
        TextField(root, "name", "top level", profile.name);
        if (!root.contains("monitors") || !root.at("monitors").is_array() || root.at("monitors").empty()) {
            Fail("monitors", "expected a list of at least one monitor");
            return std::nullopt;
        }
        const Json& monitors = root.at("monitors");
        for (size_t i = 0; i < monitors.size(); ++i) {
            const std::string place = "monitors[" + std::to_string(i) + "]";
            profile.monitors.push_back(Monitor(WithBase(monitors[i], place), place));
        }
        std::sort(profile.monitors.begin(), profile.monitors.end(),
                  [](const MonitorProfile& a, const MonitorProfile& b) { return a.position < b.position; });
        for (size_t i = 1; i < profile.monitors.size(); ++i) {
            if (profile.monitors[i].position == profile.monitors[i - 1].position) {
                Fail("monitors", "two monitors at position " + std::to_string(profile.monitors[i].position));
            }
        }
        if (!errors_.empty()) {
            return std::nullopt;
        }
        return profile;
    }

  private:
    static bool ParseIntegerText(const std::string& text, int64_t& out) {
        if (text.empty() || text.size() > 12) {
            return false;
        }
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        int64_t value = 0;
        for (size_t i = hex ? 2 : 0; i < text.size(); ++i) {
            const int c = static_cast<unsigned char>(text[i]);
            int digit = -1;
            if (std::isdigit(c)) {
                digit = c - '0';
            } else if (hex && std::isxdigit(c)) {
                digit = std::tolower(c) - 'a' + 10;
            }
            if (digit < 0) {
                return false;
            }
            value = value * (hex ? 16 : 10) + digit;
        }
        out = value;
        return true;
    }

    // "base": "compliant" starts from the built-in monitor and lays this object over it as a
    // JSON merge patch, so a faulty profile says only what differs (null removes a key).
    Json WithBase(const Json& object, const std::string& place) {
        if (!object.is_object() || !object.contains("base")) {
            return object;
        }
        if (object.at("base") != "compliant") {
            Fail(place + ".base", "the only base is \"compliant\"");
            return object;
        }
        const std::string_view builtin = BuiltinProfileText();
        const Json root = Json::parse(builtin.begin(), builtin.end(), nullptr, false);
        if (root.is_discarded() || !root.contains("monitors") || root.at("monitors").empty()) {
            Fail(place + ".base", "the built-in profile is damaged");
            return object;
        }
        Json merged = root.at("monitors").at(0);
        Json patch = object;
        patch.erase("base");
        merged.merge_patch(patch);
        return merged;
    }

    MonitorProfile Monitor(const Json& object, const std::string& place) {
        MonitorProfile monitor;
        if (!CheckKeys(object, place,
                       {"position", "comment", "edid", "edidFile", "capabilities", "features", "behaviours", "host",
                        "faults", "quirks", "wire"})) {
            return monitor;
        }
        if (!object.contains("position")) {
            Fail(place, "missing \"position\" (1..16)");
        }
        NumberField(object, "position", place, kMinPosition, kMaxPosition, monitor.position);
        Edid(object, place, monitor.edid);
        TextField(object, "capabilities", place, monitor.capabilities);
        if (object.contains("features")) {
            Features(object.at("features"), place + ".features", monitor.features);
        }
        if (object.contains("behaviours")) {
            Behaviours(object.at("behaviours"), place + ".behaviours", monitor.behaviours);
        }
        if (object.contains("host")) {
            Host(object.at("host"), place + ".host", monitor.facts);
        }
        if (object.contains("faults")) {
            FaultsOf(object.at("faults"), place + ".faults", monitor.faults);
        }
        if (object.contains("quirks")) {
            QuirksOf(object.at("quirks"), place + ".quirks", monitor.faults.quirks);
        }
        if (object.contains("wire")) {
            Wire(object.at("wire"), place + ".wire", monitor.wire);
        }
        return monitor;
    }

    void Edid(const Json& object, const std::string& place, std::vector<uint8_t>& out) {
        if (object.contains("edid") && object.contains("edidFile")) {
            Fail(place, "give \"edid\" or \"edidFile\", not both");
            return;
        }
        if (object.contains("edid")) {
            if (!object.at("edid").is_string() || !HexBytes(object.at("edid").get<std::string>(), out)) {
                Fail(place + ".edid", "expected hexadecimal digits in pairs (spaces allowed)");
                return;
            }
        } else if (object.contains("edidFile")) {
            if (!object.at("edidFile").is_string()) {
                Fail(place + ".edidFile", "expected a file name");
                return;
            }
            const std::string name = object.at("edidFile").get<std::string>();
            const std::string path = IsAbsolute(name) || baseDirectory_.empty() ? name : baseDirectory_ + "/" + name;
            std::ifstream file(path, std::ios::binary);
            if (!file) {
                Fail(place + ".edidFile", "cannot read \"" + path + "\"");
                return;
            }
            // Never more than an EEPROM can hold: a device or a huge file named here must not be
            // read without end.
            std::vector<char> bytes(kMaxEdidFileBytes + 1);
            file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            const auto got = static_cast<size_t>(file.gcount());
            if (got > kMaxEdidFileBytes) {
                Fail(place + ".edidFile",
                     "\"" + path + "\" is longer than " + std::to_string(kMaxEdidFileBytes) + " bytes");
                return;
            }
            out.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(got));
        } else {
            return;  // a monitor without EDID is allowed: its EEPROM does not answer
        }
        if (out.empty() || out.size() % 128 != 0) {
            Fail(place, "EDID of " + std::to_string(out.size()) + " bytes; expected blocks of 128");
        }
    }

    static bool IsAbsolute(const std::string& path) {
        return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
    }

    static bool HexBytes(const std::string& text, std::vector<uint8_t>& out) {
        int high = -1;
        for (char ch : text) {
            const int c = static_cast<unsigned char>(ch);
            if (std::isspace(c)) {
                continue;
            }
            if (!std::isxdigit(c)) {
                return false;
            }
            const int digit = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
            if (high < 0) {
                high = digit;
            } else {
                out.push_back(static_cast<uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
        return high < 0;
    }

    void Features(const Json& object, const std::string& place, std::array<std::optional<VcpFeature>, 256>& out) {
        if (!object.is_object()) {
            Fail(place, "expected an object keyed by VCP code");
            return;
        }
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string featurePlace = place + "." + it.key();
            // Keys are always hexadecimal: "10" would be read as ten and hide a real mistake.
            int64_t code = 0;
            if (it.key().rfind("0x", 0) != 0 && it.key().rfind("0X", 0) != 0) {
                Fail(featurePlace, "write VCP codes as 0xNN");
                continue;
            }
            if (!Number(Json(it.key()), featurePlace, 0, 255, code)) {
                continue;
            }
            if (out[code]) {
                Fail(featurePlace, "VCP code given twice");
                continue;
            }
            out[code] = Feature(it.value(), featurePlace);
        }
    }

    VcpFeature Feature(const Json& object, const std::string& place) {
        VcpFeature feature;
        if (!CheckKeys(
                object, place,
                {"type", "access", "momentary", "unsupported", "current", "maximum", "default", "values", "comment"})) {
            return feature;
        }
        if (object.contains("type")) {
            const std::string type = object.at("type").is_string() ? object.at("type").get<std::string>() : "";
            if (type == "C") {
                feature.kind = VcpKind::kContinuous;
            } else if (type == "NC") {
                feature.kind = VcpKind::kNonContinuous;
            } else if (type == "T") {
                feature.kind = VcpKind::kTable;
            } else {
                Fail(place + ".type", "expected \"C\", \"NC\" or \"T\"");
            }
        }
        if (object.contains("access")) {
            const std::string access = object.at("access").is_string() ? object.at("access").get<std::string>() : "";
            if (access == "RW") {
                feature.access = VcpAccess::kReadWrite;
            } else if (access == "RO") {
                feature.access = VcpAccess::kReadOnly;
            } else if (access == "WO") {
                feature.access = VcpAccess::kWriteOnly;
            } else {
                Fail(place + ".access", "expected \"RW\", \"RO\" or \"WO\"");
            }
        }
        BoolField(object, "momentary", place, feature.momentary);
        BoolField(object, "unsupported", place, feature.unsupported);
        NumberField(object, "current", place, 0, 0xFFFF, feature.current);
        if (object.contains("values")) {
            const Json& values = object.at("values");
            if (!values.is_array()) {
                Fail(place + ".values", "expected a list of values");
            } else {
                for (size_t i = 0; i < values.size(); ++i) {
                    int64_t value = 0;
                    if (Number(values[i], place + ".values[" + std::to_string(i) + "]", 0, 0xFFFF, value)) {
                        feature.values.push_back(static_cast<uint16_t>(value));
                    }
                }
            }
        }
        // A list without a maximum reports its largest value, as most monitors do.
        if (!feature.values.empty()) {
            feature.maximum = *std::max_element(feature.values.begin(), feature.values.end());
        }
        NumberField(object, "maximum", place, 0, 0xFFFF, feature.maximum);
        feature.defaultValue = feature.current;
        NumberField(object, "default", place, 0, 0xFFFF, feature.defaultValue);
        return feature;
    }

    void Behaviours(const Json& list, const std::string& place, std::optional<std::vector<std::string>>& out) {
        if (!list.is_array()) {
            Fail(place, "expected a list of behaviour names");
            return;
        }
        out.emplace();
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string name = list[i].is_string() ? list[i].get<std::string>() : "";
            if (!MakeBehaviour(name)) {
                std::string known;
                for (const std::string& n : BehaviourNames()) {
                    known += (known.empty() ? "" : ", ") + n;
                }
                Fail(place + "[" + std::to_string(i) + "]",
                     "unknown behaviour \"" + name + "\" (known: " + known + ")");
                continue;
            }
            out->push_back(name);
        }
    }

    void Host(const Json& object, const std::string& place, HostFacts& facts) {
        if (!CheckKeys(object, place,
                       {"deviceName",
                        "deviceString",
                        "deviceId",
                        "monitorDevice",
                        "monitorString",
                        "monitorHandle",
                        "driverName",
                        "vcpVersion",
                        "controller",
                        "firmwareVersion",
                        "cardManufacturer",
                        "i2cSupport",
                        "pciId",
                        "chipId",
                        "subId",
                        "busLocation",
                        "bar",
                        "functionNumber",
                        "baseAddress",
                        "ioBase",
                        "flags",
                        "i2cPort",
                        "i2cTiming",
                        "ddcciSupport"})) {
            return;
        }
        TextField(object, "deviceName", place, facts.deviceName);
        TextField(object, "deviceString", place, facts.deviceString);
        TextField(object, "deviceId", place, facts.deviceId);
        TextField(object, "monitorDevice", place, facts.monitorDevice);
        TextField(object, "monitorString", place, facts.monitorString);
        TextField(object, "driverName", place, facts.driverName);
        TextField(object, "vcpVersion", place, facts.vcpVersion);
        TextField(object, "controller", place, facts.controller);
        TextField(object, "firmwareVersion", place, facts.firmwareVersion);
        TextField(object, "cardManufacturer", place, facts.cardManufacturer);
        TextField(object, "i2cSupport", place, facts.i2cSupport);
        constexpr int64_t kMax32 = 0xFFFFFFFFLL;
        NumberField(object, "monitorHandle", place, 0, kMax32, facts.monitorHandle);
        NumberField(object, "pciId", place, 0, kMax32, facts.pciId);
        NumberField(object, "chipId", place, 0, kMax32, facts.chipId);
        NumberField(object, "subId", place, 0, kMax32, facts.subId);
        NumberField(object, "busLocation", place, 0, kMax32, facts.busLocation);
        NumberField(object, "bar", place, 0, kMax32, facts.bar);
        NumberField(object, "functionNumber", place, 0, kMax32, facts.functionNumber);
        NumberField(object, "baseAddress", place, 0, kMax32, facts.baseAddress);
        NumberField(object, "ioBase", place, 0, kMax32, facts.ioBase);
        NumberField(object, "flags", place, 0, kMax32, facts.flags);
        NumberField(object, "i2cPort", place, 0, kMax32, facts.i2cPort);
        NumberField(object, "ddcciSupport", place, INT32_MIN, INT32_MAX, facts.ddcciSupport);
        if (object.contains("i2cTiming")) {
            if (object.at("i2cTiming").is_number()) {
                facts.i2cTiming = object.at("i2cTiming").get<float>();
            } else {
                Fail(place + ".i2cTiming", "expected a number");
            }
        }
    }

    void FaultsOf(const Json& object, const std::string& place, Faults& faults) {
        if (!CheckKeys(
                object, place,
                {"silent", "badChecksum", "ignoredWrites", "zerosAfterRestore", "garbledCapabilities", "comment"})) {
            return;
        }
        CodeList(object, "silent", place, faults.silentCodes);
        CodeList(object, "badChecksum", place, faults.badChecksumCodes);
        if (object.contains("ignoredWrites") && object.at("ignoredWrites") == "all") {
            faults.ignoreAllWrites = true;
        } else {
            CodeList(object, "ignoredWrites", place, faults.ignoredWriteCodes);
        }
        if (object.contains("zerosAfterRestore")) {
            ZerosAfterRestore(object.at("zerosAfterRestore"), place + ".zerosAfterRestore", faults);
        }
        BoolField(object, "garbledCapabilities", place, faults.garbledCapabilities);
    }

    // One of `names`, given as text; its index, or -1 after a message naming the choices.
    int Choice(const Json& object, const char* key, const std::string& place, const std::vector<std::string>& names) {
        std::string text;
        TextField(object, key, place, text);
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == text) {
                return static_cast<int>(i);
            }
        }
        std::string choices;
        for (const std::string& name : names) {
            choices += (choices.empty() ? "\"" : ", \"") + name + "\"";
        }
        Fail(place + "." + key, "expected one of " + choices);
        return -1;
    }

    std::optional<std::pair<uint8_t, uint16_t>> CodeValue(const Json& value, const std::string& place) {
        if (!CheckKeys(value, place, {"code", "value"}) || !value.contains("code") || !value.contains("value")) {
            Fail(place, "expected {\"code\": ..., \"value\": ...}");
            return std::nullopt;
        }
        int64_t code = 0;
        int64_t number = 0;
        if (!Number(value.at("code"), place + ".code", 0, 255, code) ||
            !Number(value.at("value"), place + ".value", 0, 0xFFFF, number)) {
            return std::nullopt;
        }
        return std::make_pair(static_cast<uint8_t>(code), static_cast<uint16_t>(number));
    }

    void QuirksOf(const Json& object, const std::string& place, Quirks& quirks) {
        if (!CheckKeys(object, place,
                       {"nackRequestsEvery", "dropWritesEvery",     "corruptReplies",  "capabilitiesRepeat",
                        "capabilitiesEmpty", "capabilitiesSilent",  "revertingWrites", "deafWhenInputChanges",
                        "deafInStandby",     "wakeLatencyRequests", "unsupported",     "nullsBeforeReply",
                        "maximumZero",       "aboveMaximum",        "stuckValues",     "wedgeOnWriteOf",
                        "staleReplies",      "edidBlocksSwapped",   "enableGate",      "comment"})) {
            return;
        }
        NumberField(object, "nackRequestsEvery", place, 0, 1000, quirks.nackRequestsEvery);
        NumberField(object, "dropWritesEvery", place, 0, 1000, quirks.dropWritesEvery);
        if (object.contains("corruptReplies")) {
            const Json& corrupt = object.at("corruptReplies");
            const std::string at = place + ".corruptReplies";
            if (CheckKeys(corrupt, at, {"style", "perMille", "fill", "seed"})) {
                const int style = Choice(corrupt, "style", at, {"doubled-source", "doubled-length", "fill"});
                quirks.corruption = style < 0 ? Corruption::kNone : static_cast<Corruption>(style + 1);
                NumberField(corrupt, "perMille", at, 0, 1000, quirks.corruptionPerMille);
                NumberField(corrupt, "fill", at, 0, 255, quirks.fillByte);
                NumberField(corrupt, "seed", at, 0, 0xFFFFFFFF, quirks.seed);
            }
        }
        NumberField(object, "capabilitiesRepeat", place, 0, 100, quirks.capabilitiesRepeat);
        BoolField(object, "capabilitiesEmpty", place, quirks.capabilitiesEmpty);
        BoolField(object, "capabilitiesSilent", place, quirks.capabilitiesSilent);
        CodeList(object, "revertingWrites", place, quirks.revertingCodes);
        BoolField(object, "deafWhenInputChanges", place, quirks.deafWhenInputChanges);
        BoolField(object, "deafInStandby", place, quirks.deafInStandby);
        NumberField(object, "wakeLatencyRequests", place, 0, 1000, quirks.wakeLatencyRequests);
        if (object.contains("unsupported")) {
            const int answer =
                Choice(object, "unsupported", place, {"result-code", "zeros", "constant", "no-answer", "null"});
            quirks.unsupported = answer < 0 ? UnsupportedAnswer::kResultCode : static_cast<UnsupportedAnswer>(answer);
        }
        NumberField(object, "nullsBeforeReply", place, 0, 1, quirks.nullsBeforeReply);
        CodeList(object, "maximumZero", place, quirks.maximumZeroCodes);
        CodeList(object, "aboveMaximum", place, quirks.aboveMaximumCodes);
        if (object.contains("stuckValues")) {
            const Json& stuck = object.at("stuckValues");
            if (!stuck.is_object()) {
                Fail(place + ".stuckValues", "expected an object of \"0xNN\": value");
            } else {
                for (auto it = stuck.begin(); it != stuck.end(); ++it) {
                    int64_t code = 0;
                    int64_t value = 0;
                    const std::string at = place + ".stuckValues." + it.key();
                    if (Number(Json(it.key()), at, 0, 255, code) && Number(it.value(), at, 0, 0xFFFF, value)) {
                        quirks.stuckValues.emplace_back(static_cast<uint8_t>(code), static_cast<uint16_t>(value));
                    }
                }
            }
        }
        if (object.contains("wedgeOnWriteOf")) {
            int64_t code = 0;
            if (Number(object.at("wedgeOnWriteOf"), place + ".wedgeOnWriteOf", 0, 255, code)) {
                quirks.wedgeOnWriteOf = static_cast<uint8_t>(code);
            }
        }
        BoolField(object, "staleReplies", place, quirks.staleReplies);
        BoolField(object, "edidBlocksSwapped", place, quirks.edidBlocksSwapped);
        if (object.contains("enableGate")) {
            quirks.enableGate = CodeValue(object.at("enableGate"), place + ".enableGate");
        }
    }

    void ZerosAfterRestore(const Json& value, const std::string& place, Faults& faults) {
        if (!value.is_object()) {
            int64_t replies = 0;
            if (Number(value, place, 0, 1000, replies)) {
                faults.zeroRepliesAfterRestore = static_cast<int>(replies);
            }
            return;
        }
        if (!CheckKeys(value, place, {"replies", "style"})) {
            return;
        }
        NumberField(value, "replies", place, 0, 1000, faults.zeroRepliesAfterRestore);
        std::string style = "values";
        TextField(value, "style", place, style);
        if (style == "bytes") {
            faults.zeroStyle = ZeroStyle::kBytes;
        } else if (style != "values") {
            Fail(place + ".style", "expected \"values\" or \"bytes\"");
        }
    }

    // How the monitor behaves on the wire where real monitors differ (wire_behaviour.h).
    void Wire(const Json& object, const std::string& place, WireBehaviour& wire) {
        if (!CheckKeys(object, place,
                       {"strictSource", "strictChecksum", "replyOnce", "segmentAcrossStop", "capabilitiesFragment",
                        "timingStatus", "driverHolds", "replyDelayMs", "comment"})) {
            return;
        }
        BoolField(object, "strictSource", place, wire.strictSource);
        BoolField(object, "strictChecksum", place, wire.strictChecksum);
        BoolField(object, "replyOnce", place, wire.replyOnce);
        BoolField(object, "segmentAcrossStop", place, wire.segmentAcrossStop);
        NumberField(object, "capabilitiesFragment", place, 1, 124, wire.capabilitiesFragment);
        NumberField(object, "timingStatus", place, 0, 255, wire.timingStatus);
        CodeList(object, "driverHolds", place, wire.driverHolds);
        NumberField(object, "replyDelayMs", place, 0, 1000, wire.replyDelayMs);
    }

    std::string source_;
    std::string baseDirectory_;
    std::vector<std::string> errors_;
};

// The parser's own tree builder, keeping the place of any error: a syntax error, and also a number
// too large for any type (which the plain parser throws without a place).
class PlacedDomParser : public nlohmann::detail::json_sax_dom_parser<Json> {
  public:
    explicit PlacedDomParser(Json& tree) : nlohmann::detail::json_sax_dom_parser<Json>(tree, false) {}

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& /*token*/, const Exception& /*error*/) {
        errorPosition = position;
        return false;
    }

    std::optional<size_t> errorPosition;
};

// "line 3, column 7" of the 1-based byte `position` (the parser's place of the error).
std::string TextPlace(std::string_view text, size_t position) {
    const size_t end = std::min(position > 0 ? position - 1 : 0, text.size());
    size_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(end - lineStart + 1);
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

ProfileResult ParseProfile(std::string_view text, const std::string& source, const std::string& baseDirectory) {
    ProfileResult result;
    try {
        Json root;
        PlacedDomParser parser(root);
        if (!Json::sax_parse(text.begin(), text.end(), &parser) || parser.errorPosition) {
            result.errors.push_back(source + ": " + TextPlace(text, parser.errorPosition.value_or(text.size())) +
                                    ": not valid JSON");
            return result;
        }
        Reader reader(source, baseDirectory);
        result.profile = reader.Profile(root);
        result.errors = std::move(reader.Errors());
        if (!result.errors.empty()) {
            result.profile.reset();
        }
    } catch (const std::exception& e) {
        // The reader checks types before it converts, so this is only a safety net.
        result.profile.reset();
        result.errors.push_back(source + ": " + e.what());
    }
    return result;
}

ProfileResult LoadProfileFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ProfileResult result;
        result.errors.push_back(path + ": cannot open the profile");
        return result;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseProfile(text.str(), path, DirectoryOf(path));
}

LabProfile BuiltinProfile() {
    ProfileResult result = ParseProfile(BuiltinProfileText(), "built-in compliant profile", "");
    // The built-in text is checked by the tests; should it ever break, one plain monitor still answers.
    if (!result.profile) {
        LabProfile fallback;
        fallback.name = "built-in";
        fallback.monitors.emplace_back();
        fallback.monitors.back().position = 1;
        return fallback;
    }
    return *result.profile;
}

}  // namespace brevlink::sim
