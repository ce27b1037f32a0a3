// The capabilities exports: the string read over DDC/CI from a lab monitor and what the parser
// found in it, cut to the caller's buffers.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

// The string of caps_fixture.json, beside this file.
constexpr char kFixtureCaps[] =
    "(prot(monitor)type(LCD)model(LAB24)cmds(01 02 03 07 0C E3 F3)vcp(02 04 05 06 08 0B 0C 0E 10 12 14(01 05 06 08 "
    "0B) 16 18 1A 1E 20 30 3E 52 60(01 03 0F) 62 6C 6E 70 86(01 02) 8D(01 02) AC AE B2 B6 C0 C6 C8 C9 CA(01 02) CC(01 "
    "02 03 04 05 06 0A) D6(01 04 05) DC(01 02 03 05) DF)mswhql(1)asset_eep(40)mccs_ver(2.2))";

class ExportsCaps : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
        ResetToBuiltinLab(wr);
        SetEnvironment("BREVLINK_BACKEND", "lab:" + SourcePath("tests/brevlink/exports/caps_fixture.json"));
        ASSERT_EQ(wr.WrReEnum(), 1);
    }

    void TearDown() override { ResetToBuiltinLab(wr); }

    std::string CapsString(int32_t monitor) {
        std::array<char, 2048> text{};
        uint32_t size = text.size();
        wr.WrCapsGetString(monitor, text.data(), &size);
        return std::string(text.data(), size);
    }

    const WrapperTable& wr = LoadedLibrary::Get().Table();
};

TEST_F(ExportsCaps, ReadsTheWholeStringOverDdcci) {
    EXPECT_EQ(CapsString(1), kFixtureCaps);
    EXPECT_EQ(wr.WrCapsGetCapstrSize(1), static_cast<int32_t>(std::strlen(kFixtureCaps)));
    EXPECT_EQ(wr.WrCapsGetSize(1), static_cast<int32_t>(std::strlen(kFixtureCaps)));
}

TEST_F(ExportsCaps, StringIsCutToTheCapacityAndAlwaysTerminated) {
    struct Case {
        uint32_t capacity;
        int32_t result;
        uint32_t length;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 0}, Case{2, 1, 1}, Case{10, 1, 9}, Case{2048, 1, 310}}) {
        std::array<char, 2049> text;  // one byte more than the largest capacity, to see overruns
        text.fill('x');
        uint32_t size = c.capacity;
        EXPECT_EQ(wr.WrCapsGetString(1, text.data(), &size), c.result) << c.capacity;
        EXPECT_EQ(size, c.length) << c.capacity;
        if (c.capacity > 0) {
            EXPECT_EQ(text[c.length], '\0') << c.capacity;
            EXPECT_EQ(std::string(text.data(), c.length), std::string(kFixtureCaps).substr(0, c.length));
        }
        EXPECT_EQ(text[c.capacity], 'x') << "wrote past the capacity " << c.capacity;
    }
}

TEST_F(ExportsCaps, CountsAndRetrievesCodesByIndex) {
    EXPECT_EQ(wr.WrCapsNumberOfDiscEntries(1), 8);
    EXPECT_EQ(wr.WrCapsNumberOfContEntries(1), 31);
    uint32_t code = 0;
    char values[80] = {};
    uint32_t size = sizeof(values);
    ASSERT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 0, &code, values, &size), 1);
    EXPECT_EQ(code, 0x14u);
    EXPECT_STREQ(values, "01 05 06 08 0B");
    EXPECT_EQ(size, 14u);
    size = 6;  // room for two values only: the third is left out whole
    ASSERT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 0, &code, values, &size), 1);
    EXPECT_STREQ(values, "01 05");
    size = sizeof(values);
    ASSERT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 7, &code, values, &size), 1);
    EXPECT_EQ(code, 0xDCu);
    size = sizeof(values);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 8, &code, values, &size), 0);
    EXPECT_STREQ(values, "");
    ASSERT_EQ(wr.WrCapsRetrieveByIndexContCommand(1, 0, &code), 1);
    EXPECT_EQ(code, 0x02u);
    ASSERT_EQ(wr.WrCapsRetrieveByIndexContCommand(1, 30, &code), 1);
    EXPECT_EQ(code, 0xDFu);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexContCommand(1, 31, &code), 0);
}

TEST_F(ExportsCaps, SupportedValuesFillWholeValuesUpToTheBufferSize) {
    struct Case {
        uint32_t code;
        uint32_t bytes;
        int32_t result;
        std::vector<uint32_t> values;
    };
    const Case cases[] = {
        {0x14, 160, 1, {1, 5, 6, 8, 11}},
        {0x14, 11, 1, {1, 5}},  // 11 bytes hold two whole values
        {0xCC, 80, 1, {1, 2, 3, 4, 5, 6, 10}},
        {0x10, 80, 1, {}},  // listed without values
        {0x99, 80, 0, {}},  // not listed
        {0x114, 80, 0, {}},
    };
    for (const Case& c : cases) {
        std::array<uint32_t, 40> values{};
        uint32_t code = c.code;
        uint32_t size = c.bytes;
        EXPECT_EQ(wr.WrCapsDiscreteCommandSupportedValues(1, &code, values.data(), &size), c.result) << c.code;
        EXPECT_EQ(size, c.values.size() * 4) << c.code;
        EXPECT_EQ(std::vector<uint32_t>(values.begin(), values.begin() + size / 4), c.values) << c.code;
    }
}

TEST_F(ExportsCaps, FieldsOfTheString) {
    struct Case {
        int32_t (*get)(int32_t, char*, uint32_t*);
        const char* text;
    };
    const Case cases[] = {
        {wr.WrCapsMCCSVersion, "2.2"}, {wr.WrCapsDisplayType, "LCD"}, {wr.WrCapsModel, "LAB24"},
        {wr.WrCapsProt, "monitor"},    {wr.WrCapsMswhql, "1"},        {wr.WrCapsAssetEep, "40"},
    };
    for (const Case& c : cases) {
        char text[20] = {};
        uint32_t size = sizeof(text);
        EXPECT_EQ(c.get(1, text, &size), 1) << c.text;
        EXPECT_STREQ(text, c.text);
    }
    char text[20] = "stale";
    uint32_t size = sizeof(text);
    EXPECT_EQ(wr.WrCapsMpuVer(1, text, &size), 0);
    EXPECT_STREQ(text, "");
    size = sizeof(text);
    EXPECT_EQ(wr.WrCapsGet(1, "MCCS_VER", text, &size), 1);
    EXPECT_STREQ(text, "2.2");
    EXPECT_EQ(wr.WrCapsIsCapSupported(1, 0x10), 1);
    EXPECT_EQ(wr.WrCapsIsCapSupported(1, 0x99), 0);
    EXPECT_EQ(wr.WrDDCIsOpcodeSupported(1, 0xF3), 1);
    EXPECT_EQ(wr.WrDDCIsOpcodeSupported(1, 0x55), 0);
}

TEST_F(ExportsCaps, BadMonitorsAndNullPointersAnswerZero) {
    char text[16] = "stale";
    uint32_t size = sizeof(text);
    uint32_t code = 0x14;
    uint32_t values[4] = {};
    for (int32_t monitor : {0, 2, 17, -5}) {
        size = sizeof(text);
        EXPECT_EQ(wr.WrCapsGetString(monitor, text, &size), 0) << monitor;
        EXPECT_EQ(size, 0u);
        EXPECT_STREQ(text, "");
        EXPECT_EQ(wr.WrCapsGetCapstrSize(monitor), 0);
        EXPECT_EQ(wr.WrCapsNumberOfDiscEntries(monitor), 0);
        EXPECT_EQ(wr.WrCapsNumberOfContEntries(monitor), 0);
        EXPECT_EQ(wr.WrCapsParse(monitor), 0);
        EXPECT_EQ(wr.WrCapsIsCapSupported(monitor, 0x10), 0);
    }
    EXPECT_EQ(wr.WrCapsGetString(1, nullptr, &size), 0);
    EXPECT_EQ(wr.WrCapsGetString(1, text, nullptr), 0);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 0, nullptr, text, &size), 0);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 0, &code, nullptr, &size), 0);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexDiscCommand(1, 0, &code, text, nullptr), 0);
    EXPECT_EQ(wr.WrCapsRetrieveByIndexContCommand(1, 0, nullptr), 0);
    size = sizeof(values);
    EXPECT_EQ(wr.WrCapsDiscreteCommandSupportedValues(1, nullptr, values, &size), 0);
    EXPECT_EQ(wr.WrCapsDiscreteCommandSupportedValues(1, &code, nullptr, &size), 0);
    EXPECT_EQ(wr.WrCapsDiscreteCommandSupportedValues(1, &code, values, nullptr), 0);
    EXPECT_EQ(wr.WrCapsGet(1, nullptr, text, &size), 0);
    EXPECT_EQ(wr.WrCapsSetString(1, nullptr), 0);
}

TEST_F(ExportsCaps, SetStringReplacesUntilTheNextParse) {
    ASSERT_EQ(wr.WrCapsSetString(1, "(vcp(10 12))"), 1);
    EXPECT_EQ(CapsString(1), "(vcp(10 12))");
    EXPECT_EQ(wr.WrCapsNumberOfContEntries(1), 2);
    ASSERT_EQ(wr.WrCapsParse(1), 1);
    EXPECT_EQ(CapsString(1), kFixtureCaps);
}

TEST_F(ExportsCaps, GarbledCapabilitiesArriveGarbledAndAreStillServedSafely) {
    ResetToBuiltinLab(wr);
    const std::string clean = CapsString(1);
    ASSERT_TRUE(UseLabProfile(wr, "faulty-garbled-caps.json"));
    const std::string caps = CapsString(1);
    EXPECT_EQ(caps.size(), clean.size());
    EXPECT_NE(clean.find(')'), std::string::npos);
    EXPECT_EQ(caps.find(')'), std::string::npos);
    EXPECT_EQ(static_cast<uint8_t>(caps[5]), 0xFF);
    uint32_t code = 0;
    for (int32_t i = 0; i < wr.WrCapsNumberOfContEntries(1); ++i) {
        EXPECT_EQ(wr.WrCapsRetrieveByIndexContCommand(1, static_cast<uint32_t>(i), &code), 1);
    }
}

TEST_F(ExportsCaps, EachOfTwoMonitorsHasItsOwnString) {
    ResetToBuiltinLab(wr);
    const std::string builtin = CapsString(1);
    ASSERT_TRUE(UseLabProfile(wr, "two-monitors.json"));
    char model[20] = {};
    uint32_t size = sizeof(model);
    ASSERT_EQ(wr.WrCapsModel(5, model, &size), 1);
    EXPECT_STREQ(model, "LAB27");
    EXPECT_EQ(CapsString(2), builtin);
    EXPECT_NE(CapsString(5), builtin);
}

}  // namespace
}  // namespace brevlink::testing
