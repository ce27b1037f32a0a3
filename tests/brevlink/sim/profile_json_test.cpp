#include "brevlink/sim/profile_json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "brevlink/caps/capabilities.h"

namespace brevlink::sim {
namespace {

std::string LabPath(const std::string& name) {
    return std::string(KESTROVA_SOURCE_DIR) + "/lab/" + name;
}

std::string Errors(const ProfileResult& result) {
    std::string text;
    for (const std::string& error : result.errors) {
        text += error + "\n";
    }
    return text;
}

ProfileResult Parse(const std::string& text) {
    return ParseProfile(text, "test.json", "");
}

TEST(BuiltinProfile, IsACompliantMccs22Monitor) {
    const ProfileResult result = ParseProfile(BuiltinProfileText(), "built-in", "");
    ASSERT_TRUE(result.profile) << Errors(result);
    ASSERT_EQ(result.profile->monitors.size(), 1u);
    const MonitorProfile& monitor = result.profile->monitors[0];
    EXPECT_EQ(monitor.position, 1);
    ASSERT_EQ(monitor.edid.size(), 128u);
    EXPECT_EQ(std::accumulate(monitor.edid.begin(), monitor.edid.end(), 0) % 256, 0) << "EDID checksum";
    EXPECT_EQ(monitor.facts.driverName, kSimulatedLabel);
    ASSERT_TRUE(monitor.features[0xDF]);
    EXPECT_EQ(monitor.features[0xDF]->current, 0x0202);
    // Every code the capabilities string lists answers, and every feature is listed.
    const caps::Capabilities parsed = caps::ParseCapabilities(monitor.capabilities);
    EXPECT_EQ(parsed.quirks, 0u);
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(parsed.listed.test(code), monitor.features[code].has_value()) << std::hex << code;
    }
    for (int code :
         {0x04, 0x05, 0x06, 0x08, 0x0E, 0x10, 0x12, 0x14, 0x16, 0x18, 0x1A, 0x1E, 0x20, 0x30, 0x3E, 0x60, 0xB6, 0xC6,
          0xDF, 0x0B, 0x0C, 0x6C, 0x6E, 0x70, 0xC8, 0xC9, 0xAC, 0xAE, 0xC0, 0xCA, 0xD6, 0x52, 0x02, 0x62, 0x8D}) {
        EXPECT_TRUE(parsed.listed.test(code)) << std::hex << code;
    }
}

TEST(BuiltinProfile, IsTheShippedCompliantFile) {
    std::ifstream file(LabPath("compliant.json"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, BuiltinProfileText());
}

TEST(LabProfiles, EveryShippedProfileLoads) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(KESTROVA_SOURCE_DIR) + "/lab")) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        const ProfileResult result = LoadProfileFile(entry.path().string());
        EXPECT_TRUE(result.profile) << Errors(result);
    }
}

TEST(LabProfiles, TwoMonitorsSitAtTwoAndFiveWithTheirOwnEdids) {
    const ProfileResult result = LoadProfileFile(LabPath("two-monitors.json"));
    ASSERT_TRUE(result.profile) << Errors(result);
    const std::vector<MonitorProfile>& monitors = result.profile->monitors;
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].position, 2);
    EXPECT_EQ(monitors[1].position, 5);
    EXPECT_NE(monitors[0].edid, monitors[1].edid);
    EXPECT_FALSE(monitors[1].features[0x0E]) << "null removes a feature of the base";
    EXPECT_EQ(monitors[1].features[0x10]->current, 40);
    EXPECT_EQ(monitors[1].features[0x10]->maximum, 100) << "the rest of the base feature stays";
}

TEST(LabProfiles, FaultsAreRead) {
    const ProfileResult result = Parse(R"({"monitors": [{"position": 3, "faults": {
        "silent": ["0x12", 16], "badChecksum": ["0x10"], "ignoredWrites": "all",
        "zerosAfterRestore": {"replies": 2, "style": "bytes"}, "garbledCapabilities": true}}]})");
    ASSERT_TRUE(result.profile) << Errors(result);
    const Faults& faults = result.profile->monitors[0].faults;
    EXPECT_EQ(faults.silentCodes, (std::vector<uint8_t>{0x12, 0x10}));
    EXPECT_EQ(faults.badChecksumCodes, std::vector<uint8_t>{0x10});
    EXPECT_TRUE(faults.ignoreAllWrites);
    EXPECT_EQ(faults.zeroRepliesAfterRestore, 2);
    EXPECT_EQ(faults.zeroStyle, ZeroStyle::kBytes);
    EXPECT_TRUE(faults.garbledCapabilities);
}

TEST(LabProfiles, FeatureDefaults) {
    const ProfileResult result = Parse(R"({"monitors": [{"position": 1, "features": {
        "0x14": {"type": "NC", "current": 5, "values": [1, 5, 11]},
        "0xC9": {"access": "RO", "current": "0x0102", "maximum": 65535, "default": 7}}}]})");
    ASSERT_TRUE(result.profile) << Errors(result);
    const MonitorProfile& monitor = result.profile->monitors[0];
    EXPECT_EQ(monitor.features[0x14]->maximum, 11) << "a list reports its largest value";
    EXPECT_EQ(monitor.features[0x14]->defaultValue, 5) << "the default is the starting value";
    EXPECT_EQ(monitor.features[0x14]->access, VcpAccess::kReadWrite);
    EXPECT_EQ(monitor.features[0xC9]->current, 0x0102);
    EXPECT_EQ(monitor.features[0xC9]->defaultValue, 7);
    EXPECT_FALSE(monitor.behaviours) << "absent: the standard set";
}

TEST(LabProfiles, MistakesAreNamedWithTheirPlace) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"{", "test.json: line 1, column 2: not valid JSON"},
        {"{\n  \"monitors\": [,]\n}", "test.json: line 2, column 16: not valid JSON"},
        // A number beyond every type: the parser's range error, found by the fuzzer without a place.
        {"{\"monitors\": 44e4444445044}", "test.json: line 1, column 26: not valid JSON"},
        {"[]", "test.json: top level: expected an object"},
        {R"({"monitors": []})", "test.json: monitors: expected a list of at least one monitor"},
        {R"({"monitor": [{"position": 1}]})", "test.json: top level: unknown key \"monitor\""},
        {R"({"monitors": [{}]})", "monitors[0]: missing \"position\""},
        {R"({"monitors": [{"position": 0}]})", "monitors[0].position: 0 is outside 1..16"},
        {R"({"monitors": [{"position": 17}]})", "monitors[0].position: 17 is outside 1..16"},
        {R"({"monitors": [{"position": 2}, {"position": 2}]})", "monitors: two monitors at position 2"},
        {R"({"monitors": [{"position": 1, "edid": "00 FG"}]})", "monitors[0].edid: expected hexadecimal digits"},
        {R"({"monitors": [{"position": 1, "edid": "00 FF"}]})", "monitors[0]: EDID of 2 bytes; expected blocks of 128"},
        {R"({"monitors": [{"position": 1, "edid": "00", "edidFile": "x.bin"}]})", "give \"edid\" or \"edidFile\""},
        {R"({"monitors": [{"position": 1, "edidFile": "absent.bin"}]})", "monitors[0].edidFile: cannot read"},
        {R"({"monitors": [{"position": 1, "features": {"10": {}}}]})", "monitors[0].features.10: write VCP codes"},
        {R"({"monitors": [{"position": 1, "features": {"0x100": {}}}]})", "features.0x100: 256 is outside 0..255"},
        {R"({"monitors": [{"position": 1, "features": {"0x10": {"type": "X"}}}]})", "features.0x10.type: expected"},
        {R"({"monitors": [{"position": 1, "features": {"0x10": {"access": "R"}}}]})", "features.0x10.access: expected"},
        {R"({"monitors": [{"position": 1, "features": {"0x10": {"current": 70000}}}]})",
         "features.0x10.current: 70000 is outside 0..65535"},
        {R"({"monitors": [{"position": 1, "features": {"0x10": {"values": [1, "x"]}}}]})",
         "features.0x10.values[1]: \"x\" is not a number"},
        {R"({"monitors": [{"position": 1, "features": {"0x10": {"maximun": 1}}}]})", "unknown key \"maximun\""},
        {R"({"monitors": [{"position": 1, "behaviours": ["theft"]}]})", "unknown behaviour \"theft\" (known:"},
        {R"({"monitors": [{"position": 1, "base": "fancy"}]})", "monitors[0].base: the only base is \"compliant\""},
        {R"({"monitors": [{"position": 1, "faults": {"silent": "0x10"}}]})", "faults.silent: expected a list"},
        {R"({"monitors": [{"position": 1, "faults": {"zerosAfterRestore": {"style": "ones"}}}]})",
         "zerosAfterRestore.style: expected"},
        {R"({"monitors": [{"position": 1, "host": {"pciId": true}}]})", "host.pciId: expected a number"},
        {R"({"monitors": [{"position": 1, "quirks": {"unsupported": "lies"}}]})",
         "quirks.unsupported: expected one of \"result-code\", \"zeros\""},
        {R"({"monitors": [{"position": 1, "quirks": {"corruptReplies": {"style": "fill", "perMille": 1001}}}]})",
         "quirks.corruptReplies.perMille: 1001 is outside 0..1000"},
        {R"({"monitors": [{"position": 1, "quirks": {"enableGate": {"code": "0x1F5", "value": 1}}}]})",
         "quirks.enableGate.code: 501 is outside 0..255"},
        {R"({"monitors": [{"position": 1, "quirks": {"stuckValue": {}}}]})", "quirks: unknown key \"stuckValue\""},
        {R"({"monitors": [{"position": 1, "host": {"i2cTiming": "fast"}}]})", "host.i2cTiming: expected a number"},
    };
    for (const Case& c : cases) {
        const ProfileResult result = Parse(c.text);
        EXPECT_FALSE(result.profile) << c.text;
        EXPECT_NE(Errors(result).find(c.error), std::string::npos) << c.text << "\n" << Errors(result);
    }
}

TEST(LabProfiles, EdidFileIsFoundBesideTheProfile) {
    const std::filesystem::path dir = std::filesystem::path(KESTROVA_BINARY_DIR) / "brevlink_profile_json_test";
    std::filesystem::create_directories(dir);
    const std::vector<char> block(128, 0);
    std::ofstream(dir / "panel.bin", std::ios::binary).write(block.data(), block.size());
    std::ofstream(dir / "p.json") << R"({"monitors": [{"position": 4, "edidFile": "panel.bin"}]})";
    const ProfileResult result = LoadProfileFile((dir / "p.json").string());
    ASSERT_TRUE(result.profile) << Errors(result);
    EXPECT_EQ(result.profile->monitors[0].edid.size(), 128u);
    EXPECT_FALSE(LoadProfileFile((dir / "absent.json").string()).profile);

    // More than an EEPROM holds is refused unread, as a device named here would be.
    const std::vector<char> big(32768 + 128, 0);
    std::ofstream(dir / "big.bin", std::ios::binary).write(big.data(), big.size());
    std::ofstream(dir / "big.json") << R"({"monitors": [{"position": 4, "edidFile": "big.bin"}]})";
    const ProfileResult tooBig = LoadProfileFile((dir / "big.json").string());
    EXPECT_FALSE(tooBig.profile);
    EXPECT_NE(Errors(tooBig).find("monitors[0].edidFile: \""), std::string::npos) << Errors(tooBig);
    EXPECT_NE(Errors(tooBig).find("big.bin\" is longer than 32768 bytes"), std::string::npos) << Errors(tooBig);
}

}  // namespace
}  // namespace brevlink::sim
