#include "bus/monitor_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_wrapper.h"
#include "platform/clock.h"

namespace kestrova::bus {
namespace {

using testing::BoundFake;
using testing::Fake;
using testing::MakeFakeModule;
using testing::ResetFake;

// A settings store from an INI text, as the Linux store reads it and as tests use on Windows.
class IniFile {
  public:
    explicit IniFile(const std::string& text) : path_(NextPath()), store_(path_) {
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~IniFile() { std::filesystem::remove(path_); }
    platform::IniSettingsStore& Store() { return store_; }

  private:
    static std::string NextPath() {
        static int counter = 0;
        return (std::filesystem::temp_directory_path() / ("kestrova-bus-" + std::to_string(++counter) + ".ini"))
            .string();
    }
    std::string path_;
    platform::IniSettingsStore store_;
};

class MonitorTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetFake();
        bound_ = std::make_unique<BoundFake>(MakeFakeModule());
    }
    void TearDown() override { bound_.reset(); }

    IniFile noRegistry_{""};
    std::unique_ptr<BoundFake> bound_;
};

TEST_F(MonitorTableTest, MaskBitsTwoAndFiveFillTwoRecordsInOrder) {
    Fake().mask = (1u << 2) | (1u << 5);
    Fake().monitors[2].edid = {{100, "Velmora"}, {117, "VM-24"}};
    Fake().monitors[5].edid = {{100, "Lumetra"}, {117, "LX-27"}};

    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));

    EXPECT_EQ(Monitors()[0].index, 2);
    EXPECT_EQ(Monitors()[1].index, 5);
    EXPECT_EQ(Monitors()[2].index, -1);
    EXPECT_EQ(Monitors().UsedCount(), 2);
    EXPECT_EQ(MonitorListText(Monitors()[0]), "Velmora - VM-24");
    EXPECT_EQ(MonitorListText(Monitors()[1]), "Lumetra - LX-27");
    EXPECT_EQ(Monitors()[1].pciId, 0xC0DE0005u);
    EXPECT_EQ(Monitors()[1].monitorHandle, 0x1005u);
    EXPECT_FLOAT_EQ(Monitors()[1].i2cTiming, 100.5f);
    EXPECT_EQ(Monitors()[1].ddcciSupport, 7);
    EXPECT_EQ(Monitors()[0].deviceString, "text of 2");
}

TEST_F(MonitorTableTest, BitZeroIsNeverAMonitorAndAllSixteenFit) {
    Fake().mask = 1u;
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    EXPECT_EQ(Monitors().UsedCount(), 0);

    Fake().mask = 0xFFFFFFFFu;
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    ASSERT_EQ(Monitors().UsedCount(), 16);
    EXPECT_EQ(Monitors()[0].index, 1);
    EXPECT_EQ(Monitors()[15].index, 16);
}

TEST_F(MonitorTableTest, ALibraryThatAnswersNothingLeavesEmptyRecords) {
    Fake().mask = 1u << 3;
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    Fake().answerQueries = false;
    ASSERT_FALSE(EnumerateMonitors(noRegistry_.Store()));
    EXPECT_EQ(Monitors().UsedCount(), 0);

    // A mask answered, but every later query silent: empty texts and zero values.
    Fake().answerQueries = true;
    Fake().mask = 1u << 3;
    auto& calls = Fake().calls;
    calls.clear();
    Fake().monitors.clear();
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    EXPECT_EQ(MonitorListText(Monitors()[0]), " - ");
    EXPECT_EQ(Monitors()[0].ddcciSupport, 0);
}

TEST_F(MonitorTableTest, FillQueriesEdidCodesInOrderUnderOneHeldLock) {
    Fake().mask = 1u << 1;
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    std::vector<std::string> edidCalls;
    for (const std::string& call : Fake().calls) {
        if (call.rfind("WrEDIDGetInfo", 0) == 0) {
            edidCalls.push_back(call.substr(14));
        }
    }
    const std::vector<std::string> expected = {"1 100", "1 117", "1 119", "1 118", "1 120", "1 122", "1 124",
                                               "1 125", "1 121", "1 126", "1 127", "1 128", "1 129", "1 123"};
    EXPECT_EQ(edidCalls, expected);
    EXPECT_EQ(testing::CountCalls("WrSynLock"), 2);  // the mask read, then the whole fill
    EXPECT_EQ(Fake().maxLocksHeld, 1);
    EXPECT_EQ(Fake().locksHeld, 0);
}

TEST_F(MonitorTableTest, LongLibraryTextsAreCutToTheirFields) {
    Fake().mask = 1u << 1;
    Fake().monitors[1].edid = {{117, std::string(200, 'M')}, {121, "1.3.9"}};
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    EXPECT_EQ(Monitors()[0].model.Str(), std::string(19, 'M'));
    EXPECT_EQ(Monitors()[0].edidVersion, "1.3");
}

struct SupportCase {
    const char* ini;
    const char* expected;
};

TEST_F(MonitorTableTest, I2cSupportTextFollowsTheDriverValue) {
    const SupportCase cases[] = {
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=NV API\n", "Method 3 Support: NV API"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=nv api\n", "Method 3 Support: nv api"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=INTEL API\n", "Method 3 Support: INTEL API"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=ati2 api\n", "Method 3 Support: ati2 api"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=VMD API\n", "VMD bus"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=Vista API\n", "Vista I2C Support"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=SMSC ZANDOR API\n", "SMSC Zandor Support"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=SMSC USB-HID AP\n", "SMSC USB-HID Support"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=SMSC USB-HID API\n", "I2C support not found"},
        {"[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=NULL API\n", "I2C support not found"},
        {"[Software\\Velmora Displays\\LMT]\nOther=1\n", "I2C support not found"},
        {"", ""},
    };
    for (const SupportCase& c : cases) {
        IniFile file(c.ini);
        EXPECT_EQ(I2cSupportText(file.Store(), 1), c.expected) << c.ini;
    }
    // A value longer than the 32-byte buffer reads as empty text.
    IniFile longValue("[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=" + std::string(40, 'x') + "\n");
    EXPECT_EQ(I2cSupportText(longValue.Store(), 1), "I2C support not found");
}

TEST_F(MonitorTableTest, OutOfTablePositionsReadAFreeRecord) {
    Fake().mask = 1u << 1;
    ASSERT_TRUE(EnumerateMonitors(noRegistry_.Store()));
    EXPECT_EQ(Monitors()[-1].index, -1);
    EXPECT_EQ(Monitors()[16].index, -1);
    currentMonitor = 99;
    EXPECT_EQ(CurrentMonitorRecord().index, -1);
    currentMonitor = 0;
    EXPECT_EQ(CurrentMonitorRecord().index, 1);
}

}  // namespace
}  // namespace kestrova::bus
