#include "bus/vcp_primitives.h"

#include <gtest/gtest.h>

#include "bus/monitor_table.h"
#include "fake_wrapper.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"

namespace kestrova::bus {
namespace {

using testing::BoundFake;
using testing::CountCalls;
using testing::Fake;
using testing::MakeFakeModule;
using testing::ResetFake;

class VcpPrimitivesTest : public ::testing::Test {
  protected:
    void Bind(FakeEntryPoints module) {
        bound_ = std::make_unique<BoundFake>(std::move(module));
        Fake().mask = 1u << 3;
        platform::IniSettingsStore none("");
        ASSERT_TRUE(EnumerateMonitors(none));
        currentMonitor = 0;
        Fake().calls.clear();
    }
    void SetUp() override {
        ResetFake();
        op::InstallPresenter(&presenter_);
        RawByteLog = false;
    }
    void TearDown() override {
        RawByteLog = false;
        op::InstallPresenter(nullptr);
        bound_.reset();
    }
    FakeEntryPoints OldLibrary() {
        auto module = MakeFakeModule();
        module.Remove("WrDDCGetRangeRtn");
        module.Remove("WrDDCSendVCPCommandRtn");
        module.Remove("WrCapsGetSize");
        return module;
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scoped_{clock_};
    op::testing::RecordingPresenter presenter_;
    std::unique_ptr<BoundFake> bound_;
};

TEST_F(VcpPrimitivesTest, ASuccessfulReadAnswersAtOnce) {
    Bind(MakeFakeModule());
    uint32_t minimum = 9, maximum = 9, current = 9, unsupported = 9;
    EXPECT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 100u);
    EXPECT_EQ(current, 50u);
    EXPECT_EQ(unsupported, 0u);
    EXPECT_EQ(Fake().calls,
              (std::vector<std::string>{"WrSynLock", "WrDDCGetRangeRtn 3 16 wait=5 sizes=10/40", "WrSynUnlock"}));
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
}

TEST_F(VcpPrimitivesTest, AnUnsupportedReplyEndsTheReadAfterOneCallWithoutWaiting) {
    Bind(MakeFakeModule());
    Fake().replyBytes = {0x6E, 0x88, 0x02, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    uint32_t minimum, maximum, current, unsupported = 0;
    EXPECT_FALSE(ReadVcp(0x10, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(unsupported, 1u);
    EXPECT_EQ(CountCalls("WrDDCGetRangeRtn"), 1);
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
    EXPECT_EQ(Fake().locksHeld, 0);

    // Without a flag to fill, the read still ends at once.
    Fake().calls.clear();
    EXPECT_FALSE(ReadVcp(0x10, &minimum, &maximum, &current));
    EXPECT_EQ(CountCalls("WrDDCGetRangeRtn"), 1);
}

TEST_F(VcpPrimitivesTest, ShortRepliesAreNeverTakenAsUnsupported) {
    Bind(MakeFakeModule());
    for (size_t length : {0u, 3u, 4u}) {
        Fake().replyBytes = {0x6E, 0x88, 0x02, 0x01};
        Fake().replyBytes.resize(length, 0x01);
        uint32_t minimum, maximum, current, unsupported = 7;
        EXPECT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current, &unsupported)) << length;
        EXPECT_EQ(unsupported, 0u) << length;
    }
}

TEST_F(VcpPrimitivesTest, ThreeFailedReadsWaitWithGrowingPauses) {
    Bind(MakeFakeModule());
    Fake().rangeResult = 0;
    uint32_t minimum, maximum, current, unsupported = 7;
    EXPECT_FALSE(ReadVcp(0x12, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(unsupported, 0u);
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{64, 128, 192}));
    EXPECT_EQ(clock_.TotalSleptMs(), 384u);
    EXPECT_EQ(CountCalls("WrDDCGetRangeRtn 3 18 wait=5"), 1);
    EXPECT_EQ(CountCalls("WrDDCGetRangeRtn 3 18 wait=10"), 1);
    EXPECT_EQ(CountCalls("WrDDCGetRangeRtn 3 18 wait=15"), 1);
    EXPECT_EQ(CountCalls("WrSynLock"), 3);
    EXPECT_EQ(CountCalls("WrSynUnlock"), 3);
}

TEST_F(VcpPrimitivesTest, AnOldLibraryServesReadsAndWritesThroughTheOlderOperations) {
    Bind(OldLibrary());
    Fake().replyBytes = {0x6E, 0x88, 0x02, 0x01, 0x10, 0, 0, 0, 0, 0, 0};  // never seen by the old read
    uint32_t minimum, maximum, current, unsupported = 7;
    EXPECT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(unsupported, 0u);
    EXPECT_EQ(current, 50u);
    WriteVcp(0x10, 30);
    EXPECT_EQ(Fake().calls, (std::vector<std::string>{"WrSynLock", "WrDDCGetRange 3 16 wait=5", "WrSynUnlock",
                                                      "WrSynLock", "WrDDCSendVCPCommand 3 16 30", "WrSynUnlock"}));
    EXPECT_TRUE(presenter_.LogLines().empty());
}

TEST_F(VcpPrimitivesTest, RawByteLogShowsTheWireBytes) {
    Bind(MakeFakeModule());
    RawByteLog = true;
    Fake().replyBytes = {0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x12, 0x34, 0xAB, 0xCD, 0xE4};
    uint32_t minimum, maximum, current;
    ASSERT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current));
    WriteVcp(0x10, 0x34);
    const std::vector<std::string> expected = {
        "w 6E 51 82 01 10 AC ",
        "r 6E 88 02 00 10 00 12 34 AB CD E4  ",
        "w 6E 51 84 03 10 00 ",
    };
    EXPECT_EQ(presenter_.LogLines(), expected);
}

TEST_F(VcpPrimitivesTest, RawByteLogOfAnOldLibraryShowsZerosInTheLongForms) {
    Bind(OldLibrary());
    RawByteLog = true;
    uint32_t minimum, maximum, current;
    ASSERT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current));
    WriteVcp(0x10, 1);
    const std::vector<std::string> expected = {
        "Old Wrapper - WrDDCGetRangeRtn",
        "w 00 00 00 00 00 00 ",
        "r 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00  ",
        "Old Wrapper - WrDDCSendVCPCommandRtn",
    };
    EXPECT_EQ(presenter_.LogLines(), expected);
}

TEST_F(VcpPrimitivesTest, RawByteLogUsesTheShortSentFormForFourBytes) {
    Bind(MakeFakeModule());
    RawByteLog = true;
    Fake().sentBytes = {0x6E, 0x51, 0x82, 0x01};
    Fake().replyBytes = {0x6E, 0x88, 0x02};
    uint32_t minimum, maximum, current;
    ASSERT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current));
    EXPECT_EQ(presenter_.LogLines().at(0), "w 6E 51 82 01 ");
    EXPECT_EQ(presenter_.LogLines().at(1), "r 6E 88 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00  ");
}

TEST_F(VcpPrimitivesTest, SupportedValuesComeFromTheCapabilities) {
    Bind(MakeFakeModule());
    uint32_t values[20] = {};
    uint32_t size = sizeof(values);
    ASSERT_TRUE(GetSupportedValues(0x14, values, &size));
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(values[2], 4u);
    EXPECT_EQ(Fake().calls,
              (std::vector<std::string>{"WrSynLock", "WrCapsDiscreteCommandSupportedValues 3 20", "WrSynUnlock"}));
    uint32_t tooSmall = 8;
    EXPECT_FALSE(GetSupportedValues(0x14, values, &tooSmall));
}

TEST_F(VcpPrimitivesTest, ALibraryClaimingMoreValuesThanTheBufferHoldsIsCutToTheBuffer) {
    Bind(MakeFakeModule());
    Fake().supportedValuesClaim = 400;
    uint32_t values[20] = {};
    uint32_t size = sizeof(values);
    ASSERT_TRUE(GetSupportedValues(0x14, values, &size));
    EXPECT_EQ(size, 80u);
}

}  // namespace
}  // namespace kestrova::bus
