#include "brevlink/edid/descriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/brevlink/edid/sample_block.h"

namespace brevlink::edid {
namespace {

using testing::Descriptor;
using testing::Dummy;
using testing::kDescriptor1;
using testing::kDescriptor2;
using testing::kDescriptor3;
using testing::kDescriptor4;
using testing::Patch;
using testing::Patched;

struct TimingFields {
    unsigned clock10Khz, hActive, hBlank, vActive, vBlank, widthMm, heightMm;
    bool interlaced;
};

std::vector<uint8_t> Dtd(const TimingFields& f) {
    std::vector<uint8_t> d(18, 0);
    d[0] = f.clock10Khz & 0xFF;
    d[1] = f.clock10Khz >> 8;
    d[2] = f.hActive & 0xFF;
    d[3] = f.hBlank & 0xFF;
    d[4] = static_cast<uint8_t>(((f.hActive >> 8) << 4) | (f.hBlank >> 8));
    d[5] = f.vActive & 0xFF;
    d[6] = f.vBlank & 0xFF;
    d[7] = static_cast<uint8_t>(((f.vActive >> 8) << 4) | (f.vBlank >> 8));
    d[12] = f.widthMm & 0xFF;
    d[13] = f.heightMm & 0xFF;
    d[14] = static_cast<uint8_t>(((f.widthMm >> 8) << 4) | (f.heightMm >> 8));
    d[17] = f.interlaced ? 0x9E : 0x1E;
    return d;
}

struct TimingCase {
    std::string name;
    TimingFields fields;
    uint32_t pixelClockKhz;
    uint16_t width, height;
    uint64_t refreshMicroHz;
};

class DetailedTimingDecode : public ::testing::TestWithParam<TimingCase> {};

TEST_P(DetailedTimingDecode, GivesFrameSizeAndFieldRate) {
    const TimingCase& c = GetParam();
    std::vector<uint8_t> d = Dtd(c.fields);
    DetailedTiming t = DecodeDetailedTiming(d.data());
    EXPECT_TRUE(t.present);
    EXPECT_EQ(t.pixelClockKhz, c.pixelClockKhz);
    EXPECT_EQ(t.width, c.width);
    EXPECT_EQ(t.height, c.height);
    EXPECT_EQ(t.interlaced, c.fields.interlaced);
    EXPECT_EQ(t.refreshMicroHz, c.refreshMicroHz);
    EXPECT_EQ(t.widthMm, c.fields.widthMm);
    EXPECT_EQ(t.heightMm, c.fields.heightMm);
}

// Rates as edid-decode prints them: 60.000000, 59.940060, 9.770246 Hz.
INSTANTIATE_TEST_SUITE_P(
    Cases,
    DetailedTimingDecode,
    ::testing::Values(
        TimingCase{"Progressive1080", {14850, 1920, 280, 1080, 45, 527, 296, false}, 148500, 1920, 1080, 60000000},
        // A field has 540 lines and 22.5 lines of blanking.
        TimingCase{"Interlaced1080", {7425, 1920, 280, 540, 22, 527, 296, true}, 74250, 1920, 1080, 60000000},
        TimingCase{"Ntsc480", {2700, 720, 138, 480, 45, 0, 0, false}, 27000, 720, 480, 59940060},
        TimingCase{"TwelveBitFields",
                   {65535, 4095, 4095, 4095, 4095, 0xABC, 0x123, false},
                   655350,
                   4095,
                   4095,
                   9770246},
        TimingCase{"NoTotal", {14850, 0, 0, 0, 0, 0, 0, false}, 148500, 0, 0, 0}),
    [](const auto& param) { return param.param.name; });

struct DescriptorCase {
    std::string name;
    std::vector<Patch> patches;
    bool hasName;
    std::string monitorName;
    bool hasSerial;
    std::string serialText;
    uint16_t timingWidth;  // 0: no detailed timing
};

class DisplayDescriptors : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DisplayDescriptors, FindNameSerialAndFirstTiming) {
    const DescriptorCase& c = GetParam();
    EdidInfo info;
    ASSERT_TRUE(Decode(Patched(c.patches), info));
    EXPECT_EQ(info.hasMonitorName, c.hasName);
    EXPECT_EQ(std::string(info.monitorName), c.monitorName);
    EXPECT_EQ(info.hasSerialText, c.hasSerial);
    EXPECT_EQ(std::string(info.serialText), c.serialText);
    EXPECT_EQ(info.firstTiming.present, c.timingWidth != 0);
    EXPECT_EQ(info.firstTiming.width, c.timingWidth);
}

Patch Raw(size_t offset, uint8_t tag, std::vector<uint8_t> text) {
    std::vector<uint8_t> d = {0, 0, 0, tag, 0};
    d.insert(d.end(), text.begin(), text.end());
    d.resize(18, 0x20);
    return {offset, d};
}

Patch Timing(size_t offset, unsigned hActive, unsigned clock10Khz = 14850) {
    return {offset, Dtd({clock10Khz, hActive, 280, 1080, 45, 0, 0, false})};
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    DisplayDescriptors,
    ::testing::Values(
        DescriptorCase{"Sample", {}, true, "DELL P2419H", true, "4WDW993", 1920},
        DescriptorCase{"NoName", {Dummy(kDescriptor3)}, false, "", true, "4WDW993", 1920},
        DescriptorCase{"NoSerialText", {Dummy(kDescriptor2)}, true, "DELL P2419H", false, "", 1920},
        DescriptorCase{"ThirteenCharactersNoLineFeed",
                       {Descriptor(kDescriptor3, 0xFC, "ABCDEFGHIJKLM")},
                       true,
                       "ABCDEFGHIJKLM",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"EndsAtNul",
                       {Raw(kDescriptor3, 0xFC, {'C', 'T', 'X', 0, 0x0a})},
                       true,
                       "CTX",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"EndsAtControl",
                       {Raw(kDescriptor3, 0xFC, {'A', 'B', 0x01, 'C'})},
                       true,
                       "AB",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"EndsAtDelete",
                       {Raw(kDescriptor3, 0xFC, {'A', 'B', 0x7F, 'C'})},
                       true,
                       "AB",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"EndsAtHighByte",
                       {Raw(kDescriptor3, 0xFC, {'A', 'B', 0xE9, 'C'})},
                       true,
                       "AB",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"SpacesKept",
                       {Descriptor(kDescriptor3, 0xFC, "  ABC   ")},
                       true,
                       "  ABC   ",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"TwoNamesJoined",
                       {Descriptor(kDescriptor3, 0xFC, "Apple Cinema "), Descriptor(kDescriptor4, 0xFC, "HD Display")},
                       true,
                       "Apple Cinema HD Display",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{
            "FourNamesFill",
            {Descriptor(kDescriptor1, 0xFC, "AAAAAAAAAAAAA"), Descriptor(kDescriptor2, 0xFC, "BBBBBBBBBBBBB"),
             Descriptor(kDescriptor3, 0xFC, "CCCCCCCCCCCCC"), Descriptor(kDescriptor4, 0xFC, "DDDDDDDDDDDDD")},
            true,
            "AAAAAAAAAAAAABBBBBBBBBBBBBCCCCCCCCCCCCCDDDDDDDDDDDDD",
            false,
            "",
            0},
        DescriptorCase{"FirstSerialWins",
                       {Descriptor(kDescriptor4, 0xFF, "SECOND")},
                       true,
                       "DELL P2419H",
                       true,
                       "4WDW993",
                       1920},
        DescriptorCase{"EmptySerialText", {Descriptor(kDescriptor2, 0xFF, "")}, true, "DELL P2419H", true, "", 1920},
        DescriptorCase{"TimingInSecondSlot",
                       {Descriptor(kDescriptor1, 0xFC, "FIRST"), Timing(kDescriptor2, 1280)},
                       true,
                       "FIRSTDELL P2419H",
                       false,
                       "",
                       1280},
        DescriptorCase{"FirstOfTwoTimings", {Timing(kDescriptor2, 1280)}, true, "DELL P2419H", false, "", 1920},
        // Under 10 MHz the bytes are taken for garbage, as edid-decode does, and the next timing is first.
        DescriptorCase{"ClockUnder10MhzSkipped",
                       {Timing(kDescriptor1, 640, 999), Timing(kDescriptor2, 1280)},
                       true,
                       "DELL P2419H",
                       false,
                       "",
                       1280},
        DescriptorCase{"ClockOf10MhzKept",
                       {Timing(kDescriptor1, 640, 1000)},
                       true,
                       "DELL P2419H",
                       true,
                       "4WDW993",
                       640},
        DescriptorCase{"NoTiming", {Dummy(kDescriptor1)}, true, "DELL P2419H", true, "4WDW993", 0},
        // Pixel clock 0 with a tag the decoder does not know: skipped, not a timing.
        DescriptorCase{"UnknownTag",
                       {Raw(kDescriptor3, 0xFE, {'T', 'E', 'X', 'T'})},
                       false,
                       "",
                       true,
                       "4WDW993",
                       1920}),
    [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace brevlink::edid
