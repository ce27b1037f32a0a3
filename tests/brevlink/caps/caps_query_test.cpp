#include "brevlink/caps/caps_query.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace brevlink::caps {
namespace {

TEST(CapsQuery, NumbersEntriesOfEachKindInStringOrder) {
    Capabilities caps = ParseCapabilities("(vcp(10 14(05 06) 12 60(03 01) DF 12(00)))");
    ASSERT_EQ(DiscreteCount(caps), 3u);
    ASSERT_EQ(ContinuousCount(caps), 2u);
    EXPECT_EQ(DiscreteEntry(caps, 0)->code, 0x14);
    EXPECT_EQ(DiscreteEntry(caps, 1)->code, 0x12);  // made discrete by its second listing
    EXPECT_EQ(DiscreteEntry(caps, 2)->code, 0x60);
    EXPECT_EQ(DiscreteEntry(caps, 3), nullptr);
    EXPECT_EQ(ContinuousCode(caps, 0), 0x10);
    EXPECT_EQ(ContinuousCode(caps, 1), 0xDF);
    EXPECT_EQ(ContinuousCode(caps, 2), std::nullopt);
    EXPECT_EQ(ContinuousCode(caps, SIZE_MAX), std::nullopt);

    EXPECT_TRUE(IsCodeListed(caps, 0x60));
    EXPECT_FALSE(IsCodeListed(caps, 0x61));
    ASSERT_NE(FindEntry(caps, 0x60), nullptr);
    EXPECT_EQ(FindEntry(caps, 0x60)->values, (std::vector<uint16_t>{0x03, 0x01}));
    EXPECT_EQ(FindEntry(caps, 0x61), nullptr);
}

TEST(CapsQuery, ListsNothingForAnEmptyString) {
    Capabilities caps = ParseCapabilities("");
    EXPECT_EQ(DiscreteCount(caps), 0u);
    EXPECT_EQ(ContinuousCount(caps), 0u);
    EXPECT_EQ(DiscreteEntry(caps, 0), nullptr);
    EXPECT_EQ(ContinuousCode(caps, 0), std::nullopt);
    for (int code = 0; code < 256; ++code) {
        EXPECT_FALSE(IsCodeListed(caps, static_cast<uint8_t>(code)));
    }
    EXPECT_EQ(ModelText(caps), "");
}

TEST(CapsQuery, AnswersTrimmedFieldTexts) {
    Capabilities caps = ParseCapabilities(
        "( prot( monitor )type( LCD )model(ACER VG270U P)mccs_ver( 2.2 )mswhql(1)asset_eep(40)mpu(01)mpu_ver(1.02))");
    EXPECT_EQ(ProtText(caps), "monitor");
    EXPECT_EQ(DisplayTypeText(caps), "LCD");
    EXPECT_EQ(ModelText(caps), "ACER VG270U P");
    EXPECT_EQ(MccsVersionText(caps), "2.2");
    EXPECT_EQ(MswhqlText(caps), "1");
    EXPECT_EQ(AssetEepText(caps), "40");
    EXPECT_EQ(MpuVersionText(caps), "1.02");  // mpu_ver wins over mpu

    EXPECT_EQ(MpuVersionText(ParseCapabilities("(mpu(01))")), "01");
    EXPECT_EQ(MpuVersionText(ParseCapabilities("(prot(monitor))")), "");
    EXPECT_EQ(ModelText(ParseCapabilities("(model(A)model(B))")), "A");
}

TEST(CapsQuery, ParsesMccsVersionsAsMonitorsWriteThem) {
    const struct {
        std::string_view text;
        std::optional<MccsVersion> version;
    } cases[] = {
        {"2.2", MccsVersion{2, 2}}, {"2.0", MccsVersion{2, 0}},  {" 3.0 ", MccsVersion{3, 0}},
        {"2", MccsVersion{2, 0}},   {"0201", MccsVersion{2, 1}}, {"2.10", MccsVersion{2, 10}},
        {"", std::nullopt},         {"2.", std::nullopt},        {".2", std::nullopt},
        {"-1009.0", std::nullopt},  {"256.1", std::nullopt},     {"020", std::nullopt},
        {"v2.2", std::nullopt},     {"2.2.1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<MccsVersion> version = ParseMccsVersion(c.text);
        ASSERT_EQ(version.has_value(), c.version.has_value());
        if (version) {
            EXPECT_EQ(version->major, c.version->major);
            EXPECT_EQ(version->minor, c.version->minor);
        }
    }
}

VcpEntry EntryWith(std::vector<uint16_t> values) {
    VcpEntry entry;
    entry.hasValueList = true;
    entry.values = std::move(values);
    return entry;
}

TEST(CapsQuery, FormatsValuesWholeWithinTheBuffer) {
    const struct {
        std::vector<uint16_t> values;
        size_t capacity;
        std::string_view text;
    } cases[] = {
        {{0x00, 0x01, 0x0B}, 80, "00 01 0B"},
        {{}, 80, ""},
        {{0x0100, 0x05, 0xFFFF}, 80, "0100 05 FFFF"},
        {{0x01, 0x02, 0x03}, 6, "01 02"},  // exactly fits with its NUL
        {{0x01, 0x02, 0x03}, 5, "01"},     // "01 0" would cut a value
        {{0x01, 0x02, 0x03}, 3, "01"},
        {{0x01, 0x02, 0x03}, 2, ""},
        {{0x01}, 1, ""},
        {{0x0100, 0x01}, 4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        char buffer[100];
        std::memset(buffer, '#', sizeof buffer);
        size_t length = FormatValueList(EntryWith(c.values), buffer, c.capacity);
        EXPECT_EQ(std::string_view(buffer, length), c.text);
        EXPECT_EQ(buffer[length], '\0');
        EXPECT_EQ(buffer[c.capacity], '#');  // nothing written past the capacity
    }
}

TEST(CapsQuery, FillsAnEightyByteBufferWithTwentySixValues) {
    std::vector<uint16_t> values;
    for (uint16_t value = 0; value < 30; ++value) {
        values.push_back(value);
    }
    char buffer[80];
    size_t length = FormatValueList(EntryWith(values), buffer, sizeof buffer);
    EXPECT_EQ(length, 77u);
    EXPECT_EQ(std::string_view(buffer, length).substr(69), "17 18 19");
}

TEST(CapsQuery, LeavesAZeroCapacityBufferAlone) {
    char buffer = '#';
    EXPECT_EQ(FormatValueList(EntryWith({1, 2}), &buffer, 0), 0u);
    EXPECT_EQ(buffer, '#');
}

TEST(CapsQuery, CopiesAsManyValuesAsFit) {
    VcpEntry entry = EntryWith({0x05, 0x0100, 0x0B});
    uint32_t values[4] = {9, 9, 9, 9};
    EXPECT_EQ(CopyValues(entry, values, 2), 2u);
    EXPECT_EQ(values[0], 0x05u);
    EXPECT_EQ(values[1], 0x0100u);
    EXPECT_EQ(values[2], 9u);
    EXPECT_EQ(CopyValues(entry, values, 4), 3u);
    EXPECT_EQ(values[2], 0x0Bu);
    EXPECT_EQ(values[3], 9u);
}

}  // namespace
}  // namespace brevlink::caps
