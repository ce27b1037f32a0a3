// The capabilities summary of a real monitor's capabilities string, served by a lab monitor and
// read through the real Brevlink library.
#include <gtest/gtest.h>

#include "bus/bus_startup.h"
#include "bus/caps_summary.h"
#include "bus/monitor_table.h"
#include "catalogue/vcp_catalogue.h"
#include "lab_driver_directory.h"
#include "operator/testing/recording_presenter.h"

namespace kestrova::bus {
namespace {

TEST(BrevlinkCapsSummary, RealWorldStringIsCountedMarkedAndLoggedInPieces) {
    // A gaming monitor's string: 230 characters, three value lists, a vcpname field.
    const std::string caps = testing::ReadCorpusCaps("007.txt");
    ASSERT_EQ(caps.size(), 230u);
    testing::LabDriverDirectory directory(
        "corpus-caps",
        R"({"monitors": [{"base": "compliant", "position": 1, "capabilities": )" + testing::JsonString(caps) + "}]}");
    auto folders = directory.Folders();
    platform::IniSettingsStore settings("");
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter scopedPresenter(&presenter);

    ASSERT_TRUE(StartBus(folders, settings));
    ASSERT_EQ(Monitors().UsedCount(), 1);
    currentMonitor = 0;
    ShowCapsSummary();

    const std::vector<std::string> expected = {
        "Caps - 26 continuous, 3 discrete commands",
        "Caps -",
        caps.substr(0, 80),
        caps.substr(80, 80),
        caps.substr(160),
    };
    EXPECT_EQ(presenter.LogLines(), expected);
    for (int code : {0x02, 0x03, 0x10, 0x14, 0x59, 0x5E, 0x72, 0xDF}) {
        EXPECT_TRUE(catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps) << std::hex << code;
    }
    for (int code : {0x06, 0x0C, 0x60, 0x62, 0xD6}) {
        EXPECT_FALSE(catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps) << std::hex << code;
    }
}

}  // namespace
}  // namespace kestrova::bus
