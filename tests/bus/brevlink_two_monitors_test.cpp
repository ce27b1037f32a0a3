// The tester's start-up against the real Brevlink library, loaded by path from a driver directory,
// serving the lab profile of two monitors at attach positions 2 and 5.
#include <gtest/gtest.h>

#include "bus/bus_startup.h"
#include "bus/monitor_table.h"
#include "bus/vcp_primitives.h"
#include "bus/wrapper_table.h"
#include "lab_driver_directory.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"

namespace kestrova::bus {
namespace {

TEST(BrevlinkTwoMonitors, StartUpFillsBothRecordsFromTheLibrary) {
    testing::LabDriverDirectory directory("two-monitors", testing::ReadLabProfile("two-monitors"));
    auto folders = directory.Folders();
    platform::IniSettingsStore settings("");
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter scopedPresenter(&presenter);
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);

    ASSERT_TRUE(StartBus(folders, settings));
    EXPECT_TRUE(presenter.Messages().empty());

    ASSERT_EQ(Monitors().UsedCount(), 2);
    const MonitorRecord& first = Monitors()[0];
    const MonitorRecord& second = Monitors()[1];
    EXPECT_EQ(first.index, 2);
    EXPECT_EQ(second.index, 5);
    EXPECT_EQ(Monitors()[2].index, -1);

    // The EDIDs name the models BREVLINK LAB and BREVLINK LAB2 with serials LAB0000001 and LAB0000005.
    EXPECT_EQ(first.model.Str().substr(0, 12), "BREVLINK LAB");
    EXPECT_EQ(second.model.Str().substr(0, 13), "BREVLINK LAB2");
    EXPECT_EQ(first.serialNumber, "LAB0000001");
    EXPECT_EQ(second.serialNumber, "LAB0000005");
    EXPECT_FALSE(first.manufacturer.Empty());
    EXPECT_EQ(MonitorListText(first), first.manufacturer.Str() + " - " + first.model.Str());
    EXPECT_EQ(first.edidVersion, "1.3");

    // OS facts come from the profile's host block.
    EXPECT_EQ(first.deviceName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(second.deviceName, "\\\\.\\DISPLAY2");
    EXPECT_EQ(second.monitorHandle, 65539u);
    EXPECT_EQ(second.i2cPort, 2u);
    EXPECT_EQ(first.mccsVersion, "2.2");
    EXPECT_EQ(first.i2cSupport, "");  // no driver named in the settings store

    // The primitives address the chosen record's monitor.
    currentMonitor = 1;
    uint32_t minimum = 0, maximum = 0, current = 0, unsupported = 9;
    ASSERT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(current, 40u);
    EXPECT_EQ(maximum, 100u);
    EXPECT_EQ(unsupported, 0u);
    WriteVcp(0x10, 33);
    ASSERT_TRUE(ReadVcp(0x10, &minimum, &maximum, &current));
    EXPECT_EQ(current, 33u);

    // A code the monitor does not support answers unsupported after one call, without a pause.
    clock.Reset();
    EXPECT_FALSE(ReadVcp(0x0E, &minimum, &maximum, &current, &unsupported));
    EXPECT_EQ(unsupported, 1u);
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
    currentMonitor = 0;
}

}  // namespace
}  // namespace kestrova::bus
