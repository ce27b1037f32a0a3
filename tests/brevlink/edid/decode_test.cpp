#include "brevlink/edid/edid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/brevlink/edid/sample_block.h"

namespace brevlink::edid {
namespace {

using testing::Patch;
using testing::Patched;
using testing::SampleBlock;

using Bytes = std::vector<uint8_t>;

// A base block declaring `extensions` extension blocks.
Bytes Base(uint8_t extensions) {
    return Patched({{126, {extensions}}});
}

Bytes Extension(uint8_t tag, bool goodChecksum = true) {
    Bytes block(128, 0);
    block[0] = tag;
    block[1] = 3;
    testing::FixChecksum(block, 0);
    if (!goodChecksum) {
        block[127] ^= 0x5A;
    }
    return block;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

struct ShapeCase {
    std::string name;
    Bytes data;
    HeaderState header;
    bool baseChecksumOk;
    uint8_t declared;
    uint16_t blockCount;
    bool truncated;
    uint16_t badExtensions;
    size_t trailingBytes;
    bool repeatsBase;
};

std::vector<ShapeCase> ShapeCases() {
    Bytes badBase = SampleBlock();
    badBase[127] ^= 0xFF;
    Bytes headerTwoWrong = Patched({{0, {0x12}}, {7, {0x34}}});
    Bytes headerThreeWrong = Patched({{0, {0x12}}, {3, {0x00}}, {7, {0x34}}});
    Bytes twoBlocks = Join({Base(1), Extension(0x02)});
    Bytes sample = SampleBlock();
    Bytes nine = Base(9);
    for (int i = 0; i < 9; ++i) {
        nine = Join({nine, Extension(static_cast<uint8_t>(0x10 + i), i != 8)});
    }
    return {
        {"SingleBlock", SampleBlock(), HeaderState::kValid, true, 0, 1, false, 0, 0, false},
        {"BadBaseChecksumStillDecoded", badBase, HeaderState::kValid, false, 0, 1, false, 0, 0, false},
        {"HeaderTwoBytesWrong", headerTwoWrong, HeaderState::kRepaired, true, 0, 1, false, 0, 0, false},
        {"HeaderThreeBytesWrong", headerThreeWrong, HeaderState::kMissing, false, 0, 0, false, 0, 0, false},
        {"Empty", {}, HeaderState::kMissing, false, 0, 0, false, 0, 0, false},
        {"AllBytes0x80", Bytes(128, 0x80), HeaderState::kMissing, false, 0, 0, false, 0, 0, false},
        {"HeaderOnly", Bytes(sample.begin(), sample.begin() + 8), HeaderState::kValid, false, 0, 1, true, 0, 0, false},
        {"ShortBase", Bytes(sample.begin(), sample.begin() + 100), HeaderState::kValid, false, 0, 1, true, 0, 0, false},
        {"OneExtension", twoBlocks, HeaderState::kValid, true, 1, 2, false, 0, 0, false},
        {"ExtensionBadChecksum", Join({Base(1), Extension(0x02, false)}), HeaderState::kValid, true, 1, 2, false, 1, 0,
         false},
        {"ExtensionMissing", Base(1), HeaderState::kValid, true, 1, 1, true, 0, 0, false},
        {"ExtensionCut", Join({Base(1), Bytes(60, 0)}), HeaderState::kValid, true, 1, 1, true, 0, 0, false},
        {"DoubledDump", Join({twoBlocks, twoBlocks}), HeaderState::kValid, true, 1, 2, false, 0, 256, true},
        {"Trailing0x80Block", Join({SampleBlock(), Bytes(128, 0x80)}), HeaderState::kValid, true, 0, 1, false, 0, 128,
         false},
        {"TrailingPartialBlock", Join({SampleBlock(), Bytes(72, 0)}), HeaderState::kValid, true, 0, 1, false, 0, 72,
         false},
        {"ExtensionOf0x80", Join({Base(1), Bytes(128, 0x80)}), HeaderState::kValid, true, 1, 2, false, 0, 0, false},
        {"ManyDeclaredFewPresent", Join({Base(255), Extension(0x02)}), HeaderState::kValid, true, 255, 2, true, 0, 0,
         false},
        {"MoreExtensionsThanTracked", nine, HeaderState::kValid, true, 9, 10, false, 1, 0, false},
    };
}

class EdidShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(EdidShape, RecordsBlocksChecksumsAndDamage) {
    const ShapeCase& c = GetParam();
    EdidInfo info;
    EXPECT_EQ(Decode(c.data, info), c.header != HeaderState::kMissing);
    EXPECT_EQ(info.size, c.data.size());
    EXPECT_EQ(info.header, c.header);
    EXPECT_EQ(info.baseChecksumOk, c.baseChecksumOk);
    EXPECT_EQ(info.declaredExtensions, c.declared);
    EXPECT_EQ(info.blockCount, c.blockCount);
    EXPECT_EQ(info.truncated, c.truncated);
    EXPECT_EQ(info.badExtensionChecksums, c.badExtensions);
    EXPECT_EQ(info.trailingBytes, c.trailingBytes);
    EXPECT_EQ(info.trailingRepeatsBase, c.repeatsBase);
}

INSTANTIATE_TEST_SUITE_P(Cases, EdidShape, ::testing::ValuesIn(ShapeCases()), [](const auto& param) {
    return param.param.name;
});

TEST(EdidShape, TracksTagsAndChecksumsOfTheFirstExtensionsOnly) {
    Bytes data = Base(9);
    for (int i = 0; i < 9; ++i) {
        data = Join({data, Extension(static_cast<uint8_t>(0x10 + i), i % 2 == 0)});
    }
    EdidInfo info;
    ASSERT_TRUE(Decode(data, info));
    for (size_t i = 0; i < kTrackedExtensions; ++i) {
        EXPECT_EQ(info.extensionTags[i], 0x10 + i) << i;
        EXPECT_EQ(info.extensionChecksumOk[i], i % 2 == 0) << i;
    }
    EXPECT_EQ(info.badExtensionChecksums, 4);
}

TEST(EdidShape, NothingIsDecodedWithoutAHeader) {
    Bytes data = Patched({{1, {0x00}}, {2, {0x00}}, {3, {0x00}}});
    EdidInfo info;
    EXPECT_FALSE(Decode(data, info));
    EXPECT_FALSE(info.hasVendor);
    EXPECT_FALSE(info.hasColor);
    EXPECT_FALSE(info.firstTiming.present);
    EXPECT_FALSE(info.hasMonitorName);
}

// Short data decodes the groups whose bytes are all present, and no more.
TEST(EdidShape, ShortDataDecodesWhatIsThere) {
    struct Case {
        size_t size;
        bool vendor, version, parameters, color, timing, serialText, name;
    };
    const Case cases[] = {
        {17, false, false, false, false, false, false, false}, {18, true, false, false, false, false, false, false},
        {20, true, true, false, false, false, false, false},   {24, true, true, true, false, false, false, false},
        {35, true, true, true, true, false, false, false},     {71, true, true, true, true, false, false, false},
        {72, true, true, true, true, true, false, false},      {90, true, true, true, true, true, true, false},
        {107, true, true, true, true, true, true, false},      {108, true, true, true, true, true, true, true},
    };
    Bytes full = SampleBlock();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EdidInfo info;
        ASSERT_TRUE(Decode(std::span(full.data(), c.size), info));
        EXPECT_TRUE(info.truncated);
        EXPECT_FALSE(info.baseChecksumOk);
        EXPECT_EQ(info.hasVendor, c.vendor);
        EXPECT_EQ(info.hasVersion, c.version);
        EXPECT_EQ(info.hasDisplayParameters, c.parameters);
        EXPECT_EQ(info.hasColor, c.color);
        EXPECT_EQ(info.firstTiming.present, c.timing);
        EXPECT_EQ(info.hasSerialText, c.serialText);
        EXPECT_EQ(info.hasMonitorName, c.name);
    }
}

struct VendorCase {
    std::string name;
    std::vector<Patch> patches;
    std::string pnpId;
    uint16_t productCode;
    uint32_t serial;
    DateKind dateKind;
    uint8_t week;
    uint16_t year;
};

class EdidVendor : public ::testing::TestWithParam<VendorCase> {};

TEST_P(EdidVendor, DecodesIdentification) {
    const VendorCase& c = GetParam();
    EdidInfo info;
    ASSERT_TRUE(Decode(Patched(c.patches), info));
    EXPECT_EQ(std::string(info.pnpId), c.pnpId);
    EXPECT_EQ(info.productCode, c.productCode);
    EXPECT_EQ(info.serialNumber, c.serial);
    EXPECT_EQ(info.dateKind, c.dateKind);
    EXPECT_EQ(info.week, c.week);
    EXPECT_EQ(info.year, c.year);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    EdidVendor,
    ::testing::Values(
        VendorCase{"Sample", {}, "DEL", 0xD0DA, 825247052, DateKind::kWeekOfYear, 5, 2021},
        // Letters are '@' plus each 5-bit value, so 0 and 31 show as '@' and '_'; bit 15 is ignored.
        VendorCase{"LettersZero", {{8, {0x00, 0x00}}}, "@@@", 0xD0DA, 825247052, DateKind::kWeekOfYear, 5, 2021},
        VendorCase{"LettersAllOnes", {{8, {0xFF, 0xFF}}}, "___", 0xD0DA, 825247052, DateKind::kWeekOfYear, 5, 2021},
        VendorCase{"LittleEndianCodes",
                   {{10, {0x34, 0x12, 0x78, 0x56, 0x34, 0x12}}},
                   "DEL",
                   0x1234,
                   0x12345678,
                   DateKind::kWeekOfYear,
                   5,
                   2021},
        VendorCase{"SerialZero", {{12, {0, 0, 0, 0}}}, "DEL", 0xD0DA, 0, DateKind::kWeekOfYear, 5, 2021},
        VendorCase{"SerialMax",
                   {{12, {0xFF, 0xFF, 0xFF, 0xFF}}},
                   "DEL",
                   0xD0DA,
                   0xFFFFFFFF,
                   DateKind::kWeekOfYear,
                   5,
                   2021},
        VendorCase{"WeekZeroGivesYearOnly", {{16, {0, 15}}}, "DEL", 0xD0DA, 825247052, DateKind::kYearOnly, 0, 2005},
        VendorCase{"Week255IsModelYear",
                   {{16, {0xFF, 30}}},
                   "DEL",
                   0xD0DA,
                   825247052,
                   DateKind::kModelYear,
                   0xFF,
                   2020},
        VendorCase{"WeekPast54Kept", {{16, {60, 0}}}, "DEL", 0xD0DA, 825247052, DateKind::kWeekOfYear, 60, 1990},
        VendorCase{"LastYear", {{16, {1, 0xFF}}}, "DEL", 0xD0DA, 825247052, DateKind::kWeekOfYear, 1, 2245}),
    [](const auto& param) { return param.param.name; });

struct ParameterCase {
    std::string name;
    std::vector<Patch> patches;
    bool digital;
    uint8_t analogLevel;
    bool dfp;
    uint8_t bits;
    uint8_t interface;
    SizeKind sizeKind;
    uint16_t gamma;
};

class EdidParameters : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(EdidParameters, DecodesInputSizeAndGamma) {
    const ParameterCase& c = GetParam();
    EdidInfo info;
    ASSERT_TRUE(Decode(Patched(c.patches), info));
    EXPECT_EQ(info.digital, c.digital);
    EXPECT_EQ(info.analogSignalLevel, c.analogLevel);
    EXPECT_EQ(info.dfpCompatible, c.dfp);
    EXPECT_EQ(info.bitsPerColor, c.bits);
    EXPECT_EQ(info.digitalInterface, c.interface);
    EXPECT_EQ(info.sizeKind, c.sizeKind);
    EXPECT_EQ(info.gammaHundredths, c.gamma);
}

constexpr SizeKind kCm = SizeKind::kCentimetres;

INSTANTIATE_TEST_SUITE_P(
    Cases,
    EdidParameters,
    ::testing::Values(
        ParameterCase{"Digital13", {}, true, 0, false, 0, 0, kCm, 220},
        ParameterCase{"Digital13Dfp", {{20, {0x81}}}, true, 0, true, 0, 0, kCm, 220},
        // Before 1.4 the bit-depth and interface bits mean nothing.
        ParameterCase{"Digital13IgnoresDepthBits", {{20, {0xA4}}}, true, 0, false, 0, 0, kCm, 220},
        ParameterCase{"Digital14Undefined", {{19, {4}}, {20, {0x80}}}, true, 0, false, 0, 0, kCm, 220},
        ParameterCase{"Digital14Dvi6", {{19, {4}}, {20, {0x91}}}, true, 0, false, 6, 1, kCm, 220},
        ParameterCase{"Digital14DisplayPort10", {{19, {4}}, {20, {0xB5}}}, true, 0, false, 10, 5, kCm, 220},
        ParameterCase{"Digital14Bits16", {{19, {4}}, {20, {0xE2}}}, true, 0, false, 16, 2, kCm, 220},
        ParameterCase{"Digital14ReservedDepth", {{19, {4}}, {20, {0xF4}}}, true, 0, false, 0, 4, kCm, 220},
        ParameterCase{"Digital14UnknownInterface", {{19, {4}}, {20, {0x8F}}}, true, 0, false, 0, 15, kCm, 220},
        ParameterCase{"AnalogLevel0", {{20, {0x0F}}}, false, 0, false, 0, 0, kCm, 220},
        ParameterCase{"AnalogLevel3", {{20, {0x60}}}, false, 3, false, 0, 0, kCm, 220},
        ParameterCase{"AnalogOn14", {{19, {4}}, {20, {0x20}}}, false, 1, false, 0, 0, kCm, 220},
        ParameterCase{"GammaUnknown", {{23, {0xFF}}}, true, 0, false, 0, 0, kCm, 0},
        ParameterCase{"GammaLowest", {{23, {0x00}}}, true, 0, false, 0, 0, kCm, 100},
        ParameterCase{"GammaHighest", {{23, {0xFE}}}, true, 0, false, 0, 0, kCm, 354},
        ParameterCase{"SizeVariable", {{21, {0, 0}}}, true, 0, false, 0, 0, SizeKind::kVariable, 220},
        // Only 1.4 gives one zero byte the meaning of an aspect ratio.
        ParameterCase{"SizeOneZero13", {{21, {53, 0}}}, true, 0, false, 0, 0, SizeKind::kVariable, 220},
        ParameterCase{"Landscape14", {{19, {4}}, {21, {78, 0}}}, true, 0, false, 0, 0, SizeKind::kLandscapeRatio, 220},
        ParameterCase{"Portrait14", {{19, {4}}, {21, {0, 78}}}, true, 0, false, 0, 0, SizeKind::kPortraitRatio, 220},
        ParameterCase{"Version2UsesNewLayout", {{18, {2, 0}}, {20, {0xA5}}}, true, 0, false, 8, 5, kCm, 220}),
    [](const auto& param) { return param.param.name; });

TEST(EdidColor, UnpacksTheTenBitValues) {
    // Low bits: byte 25 holds red x/y and green x/y, byte 26 blue x/y and white x/y, two bits each.
    Bytes block = Patched({{25, {0b00011011, 0b11100100, 1, 2, 3, 4, 5, 6, 7, 0xFF}}});
    EdidInfo info;
    ASSERT_TRUE(Decode(block, info));
    EXPECT_EQ(info.red.x, (1 << 2) | 0);
    EXPECT_EQ(info.red.y, (2 << 2) | 1);
    EXPECT_EQ(info.green.x, (3 << 2) | 2);
    EXPECT_EQ(info.green.y, (4 << 2) | 3);
    EXPECT_EQ(info.blue.x, (5 << 2) | 3);
    EXPECT_EQ(info.blue.y, (6 << 2) | 2);
    EXPECT_EQ(info.white.x, (7 << 2) | 1);
    EXPECT_EQ(info.white.y, (0xFF << 2) | 0);
}

}  // namespace
}  // namespace brevlink::edid
