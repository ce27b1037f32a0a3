#include "brevlink/edid/edid.h"

#include <gtest/gtest.h>

#include <cstring>
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

std::string TextOf(const std::vector<Patch>& patches, uint32_t code) {
    EdidInfo info;
    Decode(Patched(patches), info);
    return Text(info, code);
}

struct TextCase {
    std::string name;
    std::vector<Patch> patches;
    uint32_t code;
    std::string expected;
};

class EdidText : public ::testing::TestWithParam<TextCase> {};

TEST_P(EdidText, MatchesTheTextOfItsCode) {
    const TextCase& c = GetParam();
    EXPECT_EQ(TextOf(c.patches, c.code), c.expected);
}

std::vector<uint8_t> TimingBytes(unsigned clock10Khz,
                                 unsigned hActive,
                                 unsigned hBlank,
                                 unsigned vActive,
                                 unsigned vBlank,
                                 bool interlaced) {
    std::vector<uint8_t> d(18, 0);
    d[0] = clock10Khz & 0xFF;
    d[1] = clock10Khz >> 8;
    d[2] = hActive & 0xFF;
    d[3] = hBlank & 0xFF;
    d[4] = static_cast<uint8_t>(((hActive >> 8) << 4) | (hBlank >> 8));
    d[5] = vActive & 0xFF;
    d[6] = vBlank & 0xFF;
    d[7] = static_cast<uint8_t>(((vActive >> 8) << 4) | (vBlank >> 8));
    d[17] = interlaced ? 0x9E : 0x1E;
    return d;
}

const Patch kNoName = Dummy(kDescriptor3);
const Patch kNoSerialText = Dummy(kDescriptor2);
const Patch kVersion14 = {19, {4}};

std::vector<TextCase> SampleCases() {
    return {
        {"Manufacturer", {}, kCodeManufacturer, "Dell"},
        {"Model", {}, kCodeModel, "DELL P2419H"},
        {"PnpId", {}, kCodePnpId, "DELD0DA"},
        {"SerialNumber", {}, kCodeSerialNumber, "4WDW993"},
        {"ManufactureDate", {}, kCodeManufactureDate, "Week 5 of 2021"},
        {"EdidVersion", {}, kCodeEdidVersion, "1.3"},
        {"SignalType", {}, kCodeSignalType, "Digital"},
        {"RecommendedTiming", {}, kCodeRecommendedTiming, "1920x1080 @ 60 Hz"},
        {"ScreenSize", {}, kCodeScreenSize, "53 cm x 30 cm"},
        {"Gamma", {}, kCodeGamma, "2.20"},
        {"RedChroma", {}, kCodeRedChroma, "0.6523, 0.3359"},
        {"GreenChroma", {}, kCodeGreenChroma, "0.3212, 0.6103"},
        {"BlueChroma", {}, kCodeBlueChroma, "0.1533, 0.0605"},
        {"WhitePoint", {}, kCodeWhitePoint, "0.3134, 0.3291"},
    };
}

std::vector<TextCase> EdgeCases() {
    Patch xyz = {8, {0x63, 0x3A}};
    return {
        {"UnknownVendorShowsLetters", {xyz}, kCodeManufacturer, "XYZ"},
        {"UnknownVendorPnpId", {xyz}, kCodePnpId, "XYZD0DA"},
        {"ZeroLetters", {{8, {0, 0}}}, kCodeManufacturer, "@@@"},
        {"NoNameGivesProductCode", {kNoName}, kCodeModel, "D0DA"},
        {"ProductCodePadded", {kNoName, {10, {0xAB, 0x00}}}, kCodeModel, "00AB"},
        {"NameTrimmed", {Descriptor(kDescriptor3, 0xFC, "  ABC   ")}, kCodeModel, "ABC"},
        {"BlankNameGivesProductCode", {Descriptor(kDescriptor3, 0xFC, "     ")}, kCodeModel, "D0DA"},
        {"TwoNamesJoined",
         {Descriptor(kDescriptor3, 0xFC, "Apple Cinema "), Descriptor(kDescriptor4, 0xFC, "HD")},
         kCodeModel,
         "Apple Cinema HD"},
        {"SerialTextTrimmed", {Descriptor(kDescriptor2, 0xFF, " HD  004315")}, kCodeSerialNumber, "HD  004315"},
        {"NoSerialTextGivesNumber", {kNoSerialText}, kCodeSerialNumber, "825247052"},
        {"EmptySerialTextGivesNumber", {Descriptor(kDescriptor2, 0xFF, "")}, kCodeSerialNumber, "825247052"},
        {"SerialZeroIsNotGiven", {kNoSerialText, {12, {0, 0, 0, 0}}}, kCodeSerialNumber, ""},
        {"SerialMax", {kNoSerialText, {12, {0xFF, 0xFF, 0xFF, 0xFF}}}, kCodeSerialNumber, "4294967295"},
        {"YearOnly", {{16, {0, 15}}}, kCodeManufactureDate, "2005"},
        {"ModelYear", {{16, {0xFF, 30}}}, kCodeManufactureDate, "Model year 2020"},
        {"Version14", {kVersion14}, kCodeEdidVersion, "1.4"},
        {"VersionCut", {{18, {12, 34}}}, kCodeEdidVersion, "12."},
        {"Analog0", {{20, {0x0E}}}, kCodeSignalType, "Analog, 0.700 : 0.300 : 1.000 V p-p"},
        {"Analog1", {{20, {0x20}}}, kCodeSignalType, "Analog, 0.714 : 0.286 : 1.000 V p-p"},
        {"Analog2", {{20, {0x40}}}, kCodeSignalType, "Analog, 1.000 : 0.400 : 1.400 V p-p"},
        {"Analog3", {{20, {0x60}}}, kCodeSignalType, "Analog, 0.700 : 0.000 : 0.700 V p-p"},
        {"DigitalDfp", {{20, {0x81}}}, kCodeSignalType, "Digital, DFP 1.x compatible TMDS"},
        {"Digital14Undefined", {kVersion14, {20, {0x80}}}, kCodeSignalType, "Digital"},
        {"Digital14Dvi", {kVersion14, {20, {0x91}}}, kCodeSignalType, "Digital, 6-bit, DVI"},
        {"Digital14HdmiA", {kVersion14, {20, {0xA2}}}, kCodeSignalType, "Digital, 8-bit, HDMI-a"},
        {"Digital14HdmiB", {kVersion14, {20, {0xE3}}}, kCodeSignalType, "Digital, 16-bit, HDMI-b"},
        {"Digital14Mddi", {kVersion14, {20, {0xC4}}}, kCodeSignalType, "Digital, 12-bit, MDDI"},
        {"Digital14DisplayPort", {kVersion14, {20, {0xB5}}}, kCodeSignalType, "Digital, 10-bit, DisplayPort"},
        {"Digital14ReservedDepth", {kVersion14, {20, {0xF5}}}, kCodeSignalType, "Digital, DisplayPort"},
        {"Digital14UnknownInterface", {kVersion14, {20, {0xEF}}}, kCodeSignalType, "Digital, 16-bit, interface 0x0F"},
        {"Interlaced",
         {{kDescriptor1, TimingBytes(7425, 1920, 280, 540, 22, true)}},
         kCodeRecommendedTiming,
         "1920x1080i @ 60 Hz"},
        {"TwoDecimals",
         {{kDescriptor1, TimingBytes(2700, 720, 138, 480, 45, false)}},
         kCodeRecommendedTiming,
         "720x480 @ 59.94 Hz"},
        {"RoundedUp",
         {{kDescriptor1, TimingBytes(7875, 1024, 288, 768, 32, false)}},
         kCodeRecommendedTiming,
         "1024x768 @ 75.03 Hz"},
        {"TrailingZeroDropped",
         {{kDescriptor1, TimingBytes(1000, 300, 100, 300, 100, false)}},
         kCodeRecommendedTiming,
         "300x300 @ 62.5 Hz"},
        {"NoTotalNoRate", {{kDescriptor1, TimingBytes(14850, 0, 0, 0, 0, false)}}, kCodeRecommendedTiming, "0x0"},
        {"NoTiming", {Dummy(kDescriptor1)}, kCodeRecommendedTiming, ""},
        {"SizeVariable", {{21, {0, 0}}}, kCodeScreenSize, "Variable"},
        {"Landscape", {kVersion14, {21, {78, 0}}}, kCodeScreenSize, "Aspect ratio 1.77 (landscape)"},
        {"Portrait", {kVersion14, {21, {0, 78}}}, kCodeScreenSize, "Aspect ratio 0.56 (portrait)"},
        {"PortraitTieToEven", {kVersion14, {21, {0, 61}}}, kCodeScreenSize, "Aspect ratio 0.62 (portrait)"},
        {"PortraitRounded", {kVersion14, {21, {0, 16}}}, kCodeScreenSize, "Aspect ratio 0.87 (portrait)"},
        {"LargestSize", {{21, {255, 255}}}, kCodeScreenSize, "255 cm x 255 cm"},
        {"GammaInExtension", {{23, {0xFF}}}, kCodeGamma, "Ext. block"},
        {"GammaLowest", {{23, {0x00}}}, kCodeGamma, "1.00"},
        {"ChromaExtremes", {{25, {0xFF, 0x00, 0xFF, 0xFF, 0, 0}}}, kCodeRedChroma, "0.9990, 0.9990"},
        {"ChromaZero", {{25, {0x00, 0x00, 0xFF, 0xFF, 0, 0}}}, kCodeGreenChroma, "0.0000, 0.0000"},
        {"ChromaTie", {{26, {0x00}}, {31, {0x08, 0x18}}}, kCodeBlueChroma, "0.0312, 0.0937"},
    };
}

INSTANTIATE_TEST_SUITE_P(Sample, EdidText, ::testing::ValuesIn(SampleCases()), [](const auto& param) {
    return param.param.name;
});
INSTANTIATE_TEST_SUITE_P(Edges, EdidText, ::testing::ValuesIn(EdgeCases()), [](const auto& param) {
    return param.param.name;
});

TEST(EdidTextCapacity, IsTheMonitorRecordFieldSize) {
    struct Case {
        uint32_t code;
        size_t capacity;
    };
    const Case cases[] = {{100, 60}, {117, 20}, {119, 32}, {118, 8},  {120, 20}, {122, 40},      {123, 40},
                          {124, 40}, {125, 12}, {126, 20}, {127, 20}, {128, 20}, {129, 20},      {121, 4},
                          {0, 0},    {99, 0},   {101, 0},  {116, 0},  {130, 0},  {0xFFFFFFFF, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(TextCapacity(c.code), c.capacity) << c.code;
    }
}

TEST(EdidTextCapacity, CutsToTheCodeAndToTheCaller) {
    EdidInfo info;
    ASSERT_TRUE(Decode(
        Patched({Descriptor(kDescriptor1, 0xFC, "AAAAAAAAAAAAA"), Descriptor(kDescriptor2, 0xFC, "BBBBBBBBBBBBB")}),
        info));
    EXPECT_EQ(Text(info, kCodeModel), "AAAAAAAAAAAAABBBBBB");  // 19 + NUL

    struct Case {
        uint32_t code;
        size_t capacity;
        std::string expected;
    };
    const Case cases[] = {
        {kCodeModel, 64, "AAAAAAAAAAAAABBBBBB"},
        {kCodeModel, 5, "AAAA"},
        {kCodeManufacturer, 3, "De"},
        {kCodePnpId, 8, "DELD0DA"},
        {kCodePnpId, 7, "DELD0D"},
        {kCodeGamma, 1, ""},
        {kCodeRecommendedTiming, 64, ""},  // the timing slot now holds a name
        {12345, 64, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        char buffer[80];
        std::memset(buffer, '#', sizeof(buffer));
        size_t length = Text(info, c.code, buffer, c.capacity);
        EXPECT_EQ(length, c.expected.size());
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(buffer[c.expected.size() + 1], '#');
    }
    char untouched = '#';
    EXPECT_EQ(Text(info, kCodeModel, &untouched, 0), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST(EdidText, EveryCodeFitsEvenWhenFieldsAreAtTheirLongest) {
    EdidInfo info;
    ASSERT_TRUE(Decode(Patched({{8, {0x63, 0x3A}},
                                {12, {0xFF, 0xFF, 0xFF, 0xFF, 54, 0xFF, 0xFF, 0xFF}},
                                {20, {0xEF, 0, 1}},
                                {kDescriptor1, TimingBytes(65535, 4095, 1, 2047, 1, true)},
                                Descriptor(kDescriptor2, 0xFF, "1234567890123"),
                                Descriptor(kDescriptor3, 0xFC, "MMMMMMMMMMMMM"),
                                Descriptor(kDescriptor4, 0xFC, "NNNNNNNNNNNNN")}),
                       info));
    for (uint32_t code : kCodes) {
        SCOPED_TRACE(code);
        char buffer[128];
        size_t length = Text(info, code, buffer, sizeof(buffer));
        EXPECT_LT(length, TextCapacity(code));
        EXPECT_EQ(std::strlen(buffer), length);
    }
    EXPECT_EQ(Text(info, kCodeEdidVersion), "255");
    EXPECT_EQ(Text(info, kCodeSignalType), "Digital, 16-bit, interface 0x0F");
    EXPECT_EQ(Text(info, kCodeRecommendedTiming), "4095x4094i @ 78.1 Hz");
}

TEST(EdidText, EmptyWithoutAHeaderOrWithoutTheBytes) {
    EdidInfo none;
    std::vector<uint8_t> garbage(128, 0x80);
    ASSERT_FALSE(Decode(garbage, none));
    for (uint32_t code : kCodes) {
        EXPECT_EQ(Text(none, code), "") << code;
    }

    std::vector<uint8_t> block = testing::SampleBlock();
    EdidInfo shortInfo;
    ASSERT_TRUE(Decode(std::span(block.data(), 30), shortInfo));
    EXPECT_EQ(Text(shortInfo, kCodeModel), "D0DA");  // the name descriptor was not read
    EXPECT_EQ(Text(shortInfo, kCodeSerialNumber), "825247052");
    EXPECT_EQ(Text(shortInfo, kCodeGamma), "2.20");
    EXPECT_EQ(Text(shortInfo, kCodeRedChroma), "");
    EXPECT_EQ(Text(shortInfo, kCodeWhitePoint), "");
    EXPECT_EQ(Text(shortInfo, kCodeRecommendedTiming), "");
}

}  // namespace
}  // namespace brevlink::edid
