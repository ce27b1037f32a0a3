// EDID fields, OS, card and firmware facts of a lab monitor through the loaded library.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

class ExportsInfo : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
        ResetToBuiltinLab(wr);
    }

    void TearDown() override { ResetToBuiltinLab(wr); }

    std::string EdidText(int32_t monitor, uint32_t code, uint32_t capacity = 100) {
        char text[100] = {};
        uint32_t size = capacity;
        wr.WrEDIDGetInfo(monitor, code, text, &size);
        return std::string(text, size);
    }

    using TextFn = int32_t (*)(int32_t, char*, uint32_t*);

    const WrapperTable& wr = LoadedLibrary::Get().Table();
};

TEST_F(ExportsInfo, EdidFieldsOfTheBuiltinMonitor) {
    struct Case {
        uint32_t code;
        const char* text;
    };
    const Case cases[] = {
        {117, "BREVLINK LAB"},
        {119, "LAB0000001"},
        {121, "1.3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EdidText(1, c.code), c.text) << c.code;
    }
    for (uint32_t code : {100u, 118u, 120u, 122u, 123u, 124u, 125u, 126u, 127u, 128u, 129u}) {
        EXPECT_FALSE(EdidText(1, code).empty()) << code;
    }
}

TEST_F(ExportsInfo, EdidTextsAreCutAndTerminated) {
    char text[8];
    std::memset(text, 'x', sizeof(text));
    uint32_t size = 5;
    ASSERT_EQ(wr.WrEDIDGetInfo(1, 117, text, &size), 1);
    EXPECT_EQ(size, 4u);
    EXPECT_STREQ(text, "BREV");
    EXPECT_EQ(text[5], 'x');
    size = sizeof(text);
    EXPECT_EQ(wr.WrEDIDGetInfo(1, 999, text, &size), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(wr.WrEDIDGetInfo(1, 117, nullptr, &size), 0);
    EXPECT_EQ(wr.WrEDIDGetInfo(1, 117, text, nullptr), 0);
    size = 0;
    EXPECT_EQ(wr.WrEDIDGetInfo(1, 117, text, &size), 0);
}

TEST_F(ExportsInfo, TwoMonitorsHaveTheirOwnEdids) {
    ASSERT_TRUE(UseLabProfile(wr, "two-monitors.json"));
    EXPECT_EQ(EdidText(2, 117), "BREVLINK LAB");
    EXPECT_EQ(EdidText(5, 117), "BREVLINK LAB2");
    EXPECT_EQ(EdidText(5, 119), "LAB0000005");
    EXPECT_EQ(EdidText(1, 117), "");
}

TEST_F(ExportsInfo, OsCardAndFirmwareTexts) {
    struct Case {
        TextFn get;
        const char* text;
    };
    const Case cases[] = {
        {wr.WrOSDeviceName, "\\\\.\\DISPLAY1"},
        {wr.WrOSDeviceStr, "Brevlink simulated monitor (lab)"},
        {wr.WrOSDeviceId, "LAB\\BRV2201\\1"},
        {wr.WrOSMonDevice, "\\\\.\\DISPLAY1\\Monitor0"},
        {wr.WrOSMonStr, "Brevlink simulated monitor (lab)"},
        {wr.WrOSDriverName, "Brevlink simulated monitor (lab)"},
        {wr.WrFirmVCPVersion, "2.2"},
        {wr.WrFirmController, "Brevlink lab controller"},
        {wr.WrFirmVersion, "1.2"},
        {wr.WrCardGetManufacturer, "Brevlink lab"},
        {wr.WrCardGetI2CSupport, "Brevlink simulated monitor (lab)"},
    };
    for (const Case& c : cases) {
        char text[300] = {};
        uint32_t size = sizeof(text);
        EXPECT_EQ(c.get(1, text, &size), 1) << c.text;
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(size, std::strlen(c.text));
        // Cut to three characters and a NUL, nothing written beyond.
        char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
        size = 4;
        EXPECT_EQ(c.get(1, small, &size), 1) << c.text;
        EXPECT_EQ(size, 3u);
        EXPECT_EQ(std::string(small, 3), std::string(c.text, 3));
        EXPECT_EQ(small[3], '\0');
        EXPECT_EQ(small[4], 'x');
        // A bad index empties the text.
        size = sizeof(text);
        EXPECT_EQ(c.get(3, text, &size), 0) << c.text;
        EXPECT_STREQ(text, "");
        EXPECT_EQ(c.get(1, nullptr, &size), 0) << c.text;
        EXPECT_EQ(c.get(1, text, nullptr), 0) << c.text;
    }
}

TEST_F(ExportsInfo, CardValues) {
    struct Case {
        int32_t (*get)(int32_t, uint32_t*);
        uint32_t value;
    };
    const Case cases[] = {
        {wr.WrCardGetPCIID, 0x1B4C0001},
        {wr.WrCardGetChipID, 1},
        {wr.WrCardGetSubID, 0x00011B4C},
        {wr.WrCardGetBusLoc, 1},
        {wr.WrCardGetBAR, 0xE0000000},
        {wr.WrCardGetFuncNo, 0},
        {wr.WrCardGetBaseAddress, 0xE0000000},
        {wr.WrCardGetIOBase, 0xC000},
        {wr.WrCardGetFlags, 0},
        {wr.WrCardGetI2CPort, 1},
    };
    for (const Case& c : cases) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(c.get(1, &value), 1) << c.value;
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(c.get(2, &value), 0) << c.value;
        EXPECT_EQ(c.get(1, nullptr), 0) << c.value;
    }
    float timing = 0.0f;
    EXPECT_EQ(wr.WrCardGetI2CTiming(1, &timing), 1);
    EXPECT_FLOAT_EQ(timing, 100.0f);
    EXPECT_EQ(wr.WrCardGetI2CTiming(1, nullptr), 0);
    EXPECT_EQ(wr.WrOSHmonHandle(1), 65537u);
    EXPECT_EQ(wr.WrOSHmonHandle(0), 0u);
}

TEST_F(ExportsInfo, DdcciSupportIsTheResult) {
    char text[100] = {};
    uint32_t size = sizeof(text);
    EXPECT_EQ(wr.WrDeviceDDCCISup(1, text, &size), 1);
    EXPECT_STREQ(text, "DDC/CI supported");
    size = sizeof(text);
    EXPECT_EQ(wr.WrDeviceDDCCISup(4, text, &size), 0);
    EXPECT_EQ(wr.WrDeviceDDCCISup(1, nullptr, nullptr), 1);
}

}  // namespace
}  // namespace brevlink::testing
