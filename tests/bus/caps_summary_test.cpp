#include "bus/caps_summary.h"

#include <gtest/gtest.h>

#include "bus/monitor_table.h"
#include "catalogue/vcp_catalogue.h"
#include "fake_wrapper.h"
#include "operator/testing/recording_presenter.h"

namespace kestrova::bus {
namespace {

using testing::BoundFake;
using testing::Fake;
using testing::MakeFakeModule;
using testing::ResetFake;

class CapsSummaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetFake();
        bound_ = std::make_unique<BoundFake>(MakeFakeModule());
        Fake().mask = 1u << 4;
        Fake().monitors[4] = {};
        platform::IniSettingsStore none("");
        ASSERT_TRUE(EnumerateMonitors(none));
        currentMonitor = 0;
        op::InstallPresenter(&presenter_);
    }
    void TearDown() override {
        op::InstallPresenter(nullptr);
        bound_.reset();
    }

    op::testing::RecordingPresenter presenter_;
    std::unique_ptr<BoundFake> bound_;
};

TEST_F(CapsSummaryTest, MarksListedCodesAndLogsCounts) {
    catalogue::Catalogue()[0x99].inCaps = true;  // left over from another monitor
    Fake().monitors[4].discreteCodes = {0x14, 0x60};
    Fake().monitors[4].continuousCodes = {0x10, 0x12, 0x16};
    Fake().monitors[4].caps = "(vcp(10 12 16 14(1 2) 60(1 3)))";

    ShowCapsSummary();

    for (int code : {0x10, 0x12, 0x14, 0x16, 0x60}) {
        EXPECT_TRUE(catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps) << code;
    }
    EXPECT_FALSE(catalogue::Catalogue()[0x99].inCaps);
    EXPECT_FALSE(catalogue::Catalogue()[0x18].inCaps);
    const std::vector<std::string> expected = {"Caps - 3 continuous, 2 discrete commands", "Caps -",
                                               "(vcp(10 12 16 14(1 2) 60(1 3)))"};
    EXPECT_EQ(presenter_.LogLines(), expected);
    EXPECT_EQ(Fake().locksHeld, 0);
}

TEST_F(CapsSummaryTest, LongStringsAreLoggedInPiecesOfEighty) {
    const std::string a(80, 'a'), b(80, 'b');
    struct Case {
        std::string caps;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {a + b, {a, b}},
        {a + b + "c", {a, b, "c"}},
        {a, {a}},
        {"", {}},
    };
    for (const Case& c : cases) {
        presenter_.ClearEvents();
        Fake().monitors[4].caps = c.caps;
        ShowCapsSummary();
        std::vector<std::string> expected = {"Caps - 0 continuous, 0 discrete commands", "Caps -"};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        EXPECT_EQ(presenter_.LogLines(), expected) << c.caps.size();
    }
}

TEST_F(CapsSummaryTest, AReportedLengthBeyondTheTextStopsAtItsEnd) {
    Fake().monitors[4].caps = std::string(100, 'x');
    Fake().monitors[4].capsLengthOverride = 100000;
    ShowCapsSummary();
    const std::vector<std::string> expected = {"Caps - 0 continuous, 0 discrete commands", "Caps -",
                                               std::string(80, 'x'), std::string(20, 'x')};
    EXPECT_EQ(presenter_.LogLines(), expected);
}

TEST_F(CapsSummaryTest, NoCodesLeavesEveryMarkCleared) {
    catalogue::Catalogue()[0x10].inCaps = true;
    ShowCapsSummary();
    for (int code = 0; code < 256; ++code) {
        EXPECT_FALSE(catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps) << code;
    }
    EXPECT_EQ(presenter_.LogLines().front(), "Caps - 0 continuous, 0 discrete commands");
}

TEST_F(CapsSummaryTest, EntriesTheLibraryCannotRetrieveMarkNothing) {
    Fake().monitors[4].discreteCodes = {0x14};
    Fake().monitors[4].continuousCodes = {0x10};
    Fake().monitors[4].countedPastEnd = 2;
    ShowCapsSummary();
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps, code == 0x10 || code == 0x14) << code;
    }
    EXPECT_EQ(presenter_.LogLines().front(), "Caps - 3 continuous, 3 discrete commands");
}

TEST_F(CapsSummaryTest, CodesBeyondEightBitsAreIgnored) {
    Fake().monitors[4].continuousCodes = {0x110};
    ShowCapsSummary();
    EXPECT_FALSE(catalogue::Catalogue()[0x10].inCaps);
}

}  // namespace
}  // namespace kestrova::bus
