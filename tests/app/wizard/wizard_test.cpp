#include "app/wizard/wizard.h"

#include <filesystem>
#include <fstream>

#include "bus/bus_startup.h"
#include "project/project_file.h"
#include "wizard_fixture.h"

namespace kestrova::app::wizard {
namespace {

namespace fs = std::filesystem;
using op::testing::EventKind;
using testing::CaptionObserver;
using testing::ScriptedCheckoff;
using testing::ScriptedRunner;
using testing::ScriptedSelection;

const std::vector<std::string> kCheckoffLines = {
    "Get information",
    "...enter your information and then press 'OK'",
    "User is 'Ann'",
    "Firmware version is 'text of 2'",
    "Revision number is '1.0'",
    "Firmware date is '12/18/2007'",
    "Locking code is 'FF'",
    "Caps - 1 continuous, 1 discrete commands",
    "Caps -",
    "(vcp(10 60(1 3)))",
};

std::vector<std::string> Join(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class WizardTest : public testing::WizardFixture {
  protected:
    void SetUp() override {
        WizardFixture::SetUp();
        dir_ = fs::temp_directory_path() /
               ("kestrova_wizard_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
        checkoff_.answers.assign(4, CheckoffFields{"Ann", "text of 2", "1.0", "12/18/2007", "FF"});
    }
    void TearDown() override {
        WizardFixture::TearDown();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    void StartUp() {
        ASSERT_TRUE(wizard_.StartUp(presenter_, &observer_));
        presenter_.ClearEvents();
    }

    // Runs `command` and answers the log lines it wrote.
    std::vector<std::string> Logged(const std::function<void()>& command) {
        presenter_.ClearEvents();
        command();
        return LogLines();
    }

    std::string WriteProject(const char* name, const project::ProjectRecord& record) {
        const std::string path = (dir_ / name).string();
        EXPECT_TRUE(project::WriteProjectFile(path, record));
        return path;
    }

    ScriptedCheckoff checkoff_;
    ScriptedSelection selection_;
    ScriptedRunner runner_;
    CaptionObserver observer_;
    Wizard wizard_{checkoff_, selection_, runner_, [this] { return StartFakeBus(); }};
    fs::path dir_;
};

TEST_F(WizardTest, StartUpListsTheMonitorsFillsTheDefaultsAndLogsReady) {
    ASSERT_TRUE(wizard_.StartUp(presenter_, &observer_));

    EXPECT_EQ(LogLines(), std::vector<std::string>{"READY"});
    EXPECT_EQ(observer_.captions, std::vector<std::string>{"Manual - Standard"});
    const WizardView view = wizard_.View();
    EXPECT_EQ(view.step, kStepIdle);
    EXPECT_EQ(view.controls, (WizardControls{true, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(view.monitors, (std::vector<std::string>{"Velmora - VM-24", "Lumetra - LX-27"}));
    EXPECT_EQ(view.monitorSelection, 0);
    EXPECT_EQ(view.projectName, "none");
    EXPECT_EQ(view.modeCaption, "Manual - Standard");
    EXPECT_TRUE(view.settingsMenu.manualChecked);
    EXPECT_FALSE(view.settingsMenu.automaticChecked || view.settingsMenu.greyed);
    EXPECT_EQ(op::TestMode.load(), op::kManualMode);
    EXPECT_EQ(bus::currentMonitor, 0);
    EXPECT_EQ(op::CheckoffInfo.checkoffFirmwareVersion, "text of 2");
    EXPECT_EQ(op::CheckoffInfo.checkoffUser, "Velmora Displays");
}

TEST_F(WizardTest, StartUpEndsWithTheLoadingErrorWhenTheLibraryIsMissing) {
    const fs::path empty = dir_ / "no-wrapper";
    fs::create_directories(empty);
    Wizard wizard(checkoff_, selection_, runner_, [&] {
        platform::FixedShellFolders folders(empty.string(), std::nullopt);
        return bus::StartBus(folders);
    });

    EXPECT_FALSE(wizard.StartUp(presenter_, &observer_));

    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Kestrova loading error");
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(wizard.View().monitors.empty());
}

TEST_F(WizardTest, WalkWithoutAProjectLogsEachStepAndSetsItsControls) {
    StartUp();
    selection_.engineer = [](project::VcpTree&) { return true; };
    struct Case {
        const char* name;
        std::function<void()> command;
        std::vector<std::string> lines;
        int step;
        WizardControls controls;  // start, reset, choose, no project, list, select, info, VCPs, test
    };
    const Case walk[] = {
        {"Start",
         [&] { wizard_.Start(); },
         {"Start", " ", "1. Select Project - Select a project or No project."},
         kStepChooseProject,
         {false, true, true, true, false, false, false, false, false}},
        {"No Project",
         [&] { wizard_.NoProject(); },
         {"No Project used for this test, using Caps string from monitor.", " ",
          "2. Monitor selection - Select the monitor to test and press 'Select'."},
         kStepSelectMonitor,
         {false, true, false, false, true, true, false, false, false}},
        {"Select",
         [&] { wizard_.Select(); },
         {"Monitor selected is 'Velmora - VM-24'", " ",
          "3. Get information - Press 'Get Info' to enter your information."},
         kStepGetInfo,
         {false, true, false, false, false, false, true, false, false}},
        {"Get Info",
         [&] { wizard_.GetInfo(); },
         Join(kCheckoffLines, {" ", "4. Build VCP list - Press 'Get VCPs' to build the VCP list from caps."}),
         kStepSelectVcps,
         {false, true, false, false, false, false, false, true, false}},
        {"Select VCPs",
         [&] { wizard_.SelectVcps(); },
         {"Select VCPs and Plugins", "...select the VCPs and Plugins and then press 'OK'",
          "5. Ready to start the test."},
         kStepReadyToTest,
         {false, true, false, false, false, false, false, false, true}},
        {"Test",
         [&] { wizard_.Test(); },
         {},
         kStepTesting,
         {false, true, false, false, false, false, false, false, false}},
        {"Reset",
         [&] {
             runner_.active = false;
             wizard_.Reset();
         },
         {"Reset"},
         kStepIdle,
         {true, false, false, false, false, false, false, false, false}},
    };
    for (const Case& c : walk) {
        EXPECT_EQ(Logged(c.command), c.lines) << c.name;
        EXPECT_EQ(wizard_.Step(), c.step) << c.name;
        EXPECT_EQ(wizard_.Controls(), c.controls) << c.name;
    }
    EXPECT_EQ(runner_.starts, 1);
    EXPECT_EQ(runner_.resets, 1);
    EXPECT_FALSE(op::UsingProject);
}

TEST_F(WizardTest, CommandsOfDisabledControlsDoNothing) {
    StartUp();
    const std::vector<std::pair<const char*, std::function<void()>>> early = {
        {"Choose project", [&] { wizard_.ChooseProject(); }},
        {"No Project", [&] { wizard_.NoProject(); }},
        {"Select", [&] { wizard_.Select(); }},
        {"Get Info", [&] { wizard_.GetInfo(); }},
        {"Select VCPs", [&] { wizard_.SelectVcps(); }},
        {"Test", [&] { wizard_.Test(); }},
        {"Reset", [&] { wizard_.Reset(); }},
    };
    for (const auto& [name, command] : early) {
        EXPECT_TRUE(Logged(command).empty()) << name;
        EXPECT_EQ(wizard_.Step(), kStepIdle) << name;
    }
    wizard_.Start();
    EXPECT_TRUE(Logged([&] { wizard_.Start(); }).empty());
    EXPECT_EQ(runner_.starts, 0);
    EXPECT_TRUE(presenter_.EventsOf(EventKind::kOpenDialog).empty());
}

TEST_F(WizardTest, ChosenMonitorEntryIsTheOneSelected) {
    StartUp();
    wizard_.Start();
    wizard_.NoProject();
    wizard_.ChooseMonitorEntry(5);  // not in the list
    wizard_.ChooseMonitorEntry(1);
    EXPECT_EQ(Logged([&] { wizard_.Select(); })[0], "Monitor selected is 'Lumetra - LX-27'");
    EXPECT_EQ(bus::currentMonitor, 1);
}

TEST_F(WizardTest, SelectWithNoMonitorAttachedIsRefused) {
    bus::testing::Fake().mask = 0;
    StartUp();
    EXPECT_TRUE(wizard_.View().monitors.empty());
    EXPECT_EQ(wizard_.View().monitorSelection, -1);
    wizard_.Start();
    wizard_.NoProject();

    EXPECT_TRUE(Logged([&] { wizard_.Select(); }).empty());

    EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{kNoMonitorText});
    EXPECT_EQ(wizard_.Step(), kStepSelectMonitor);
    EXPECT_TRUE(wizard_.Controls().select);
}

TEST_F(WizardTest, CancelledCheckoffLeavesGetInfoToDo) {
    StartUp();
    wizard_.Start();
    wizard_.NoProject();
    wizard_.Select();
    checkoff_.answers.assign(1, std::nullopt);
    EXPECT_EQ(Logged([&] { wizard_.GetInfo(); }),
              (std::vector<std::string>{"Get information", "...enter your information and then press 'OK'"}));
    EXPECT_EQ(wizard_.Step(), kStepGetInfo);
    EXPECT_TRUE(wizard_.Controls().getInfo);
}

TEST_F(WizardTest, CancelInTheSelectionStepStillLogsReadyButLeavesTestDisabled) {
    StartUp();
    wizard_.Start();
    wizard_.NoProject();
    wizard_.Select();
    wizard_.GetInfo();
    selection_.engineer = [](project::VcpTree&) { return false; };

    EXPECT_EQ(Logged([&] { wizard_.SelectVcps(); }),
              (std::vector<std::string>{"Select VCPs and Plugins", "...select the VCPs and Plugins and then press 'OK'",
                                        "5. Ready to start the test."}));

    EXPECT_EQ(wizard_.Step(), kStepSelectVcps);
    EXPECT_FALSE(wizard_.Controls().test);
    EXPECT_TRUE(wizard_.Controls().selectVcps);
    EXPECT_FALSE(op::SelectionConfirmed);
}

TEST_F(WizardTest, CancelledProjectChoiceChangesNothingButThePath) {
    StartUp();
    wizard_.Start();
    op::ProjectPath = "old.vmdProj";
    EXPECT_TRUE(Logged([&] { wizard_.ChooseProject(); }).empty());
    EXPECT_TRUE(op::ProjectPath.Empty());
    EXPECT_EQ(wizard_.Step(), kStepChooseProject);
    const auto request = presenter_.LastOpenRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, "Open project:");
    EXPECT_EQ(request->maxPathLength, 399u);
    EXPECT_EQ(request->selectedFilter, 1);
    EXPECT_TRUE(request->pathMustExist);
}

TEST_F(WizardTest, ProjectRunTicksTheProjectsCodesAndPluginsAndGreysTheSettings) {
    project::ProjectRecord record;
    record.title = "VM-24 check";
    record.testType = project::kTestTypeAutomatic;
    record.level = project::kLevelRobust;
    record.pluginBits = project::kPluginTheftDeterrence;
    record.applicationKey = "3c";
    record.selection[0x10] = 1;
    record.selection[0x62] = 1;
    const std::string path = WriteProject("model.vmdProj", record);
    catalogue::VcpGroups()[19].enabled = true;  // left by an earlier tree
    catalogue::VcpGroups()[19].selected[0] = true;
    StartUp();
    wizard_.Start();
    presenter_.QueueOpenPath(path);

    EXPECT_EQ(Logged([&] { wizard_.ChooseProject(); }),
              (std::vector<std::string>{"Using project  '" + path + "'", " ",
                                        "2. Monitor selection - Select the monitor to test and press 'Select'."}));
    EXPECT_EQ(wizard_.View().projectName, "model.vmdProj");
    EXPECT_EQ(op::ProjectTitle, "model.vmdProj");
    EXPECT_TRUE(op::UsingProject);
    wizard_.Select();

    EXPECT_EQ(Logged([&] { wizard_.GetInfo(); }),
              Join(kCheckoffLines,
                   {" ", "4. Build VCP list - Skipped, using Project file.", " ", "5. Ready to start the test."}));

    EXPECT_EQ(checkoff_.lockingCodeShown.back(), false);
    EXPECT_EQ(wizard_.Step(), kStepReadyToTest);
    EXPECT_TRUE(wizard_.Controls().test);
    EXPECT_FALSE(wizard_.Controls().selectVcps);
    const WizardView view = wizard_.View();
    EXPECT_TRUE(view.settingsMenu.greyed);
    EXPECT_TRUE(view.settingsMenu.automaticChecked);
    EXPECT_EQ(view.modeCaption, "Automatic - Robust");
    EXPECT_FALSE(op::ChooseModeFromMenu(op::kManualMode));
    EXPECT_EQ(op::ProjectTitle, "VM-24 check");

    std::vector<std::pair<int, int>> ticks;
    std::vector<int> enabled;
    for (const catalogue::VcpGroup& group : catalogue::VcpGroups()) {
        if (group.enabled) {
            enabled.push_back(group.index);
        }
        for (int32_t i = 0; i < group.count; ++i) {
            if (group.selected[static_cast<size_t>(i)]) {
                ticks.push_back({group.index, i});
            }
        }
    }
    EXPECT_EQ(ticks, (std::vector<std::pair<int, int>>{{0, 5}, {6, 2}, {8, 0}}));
    EXPECT_EQ(enabled, (std::vector<int>{0, 3, 6, 8}));
    EXPECT_TRUE(op::IncludeTheftDeterrence);
    EXPECT_TRUE(op::IncludeVistaCompliance);
    EXPECT_FALSE(op::IncludeAssetManagement || op::IncludeAutoPivot || op::IncludeZoningPip);

    wizard_.Test();
    EXPECT_EQ(runner_.starts, 1);
}

TEST_F(WizardTest, RefusedProjectFileKeepsTheWizardAtGetInfo) {
    std::vector<uint8_t> bytes(project::kProjectRecordSize, 0);
    bytes[0] = 2;
    const std::string path = (dir_ / "newer.vmdProj").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    StartUp();
    wizard_.Start();
    presenter_.QueueOpenPath(path);
    wizard_.ChooseProject();
    wizard_.Select();

    EXPECT_EQ(
        Logged([&] { wizard_.GetInfo(); }),
        Join(kCheckoffLines, {" ", "4. Build VCP list - Skipped, using Project file.", " ", kProjectRefusedHint}));

    EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{"Project format version is unsupported!"});
    EXPECT_EQ(wizard_.Step(), kStepGetInfo);
    EXPECT_FALSE(wizard_.Controls().test);
    EXPECT_TRUE(wizard_.Controls().reset);
}

TEST_F(WizardTest, StepsThatChangeWhatAStoppingRunReadsWaitUntilItHasEnded) {
    StartUp();
    selection_.engineer = [](project::VcpTree&) { return true; };
    wizard_.Start();
    wizard_.NoProject();
    wizard_.Select();
    wizard_.GetInfo();
    wizard_.SelectVcps();
    wizard_.Test();

    EXPECT_EQ(Logged([&] { wizard_.Reset(); }), std::vector<std::string>{"Reset"});
    EXPECT_EQ(runner_.resets, 1);
    EXPECT_TRUE(op::StopRequested.load());
    EXPECT_TRUE(wizard_.Controls().start);
    wizard_.Start();
    wizard_.NoProject();

    // Select, Get Info and Select VCPs would change the monitor, the capabilities marks, the
    // check-off texts and the groups of the run that is still stopping.
    const struct {
        int step;
        std::function<void()> command;
    } refused[] = {
        {kStepSelectMonitor, [&] { wizard_.Select(); }},
        {kStepGetInfo, [&] { wizard_.GetInfo(); }},
        {kStepSelectVcps, [&] { wizard_.SelectVcps(); }},
    };
    for (const auto& command : refused) {
        ASSERT_EQ(wizard_.Step(), command.step);
        runner_.active = true;
        EXPECT_TRUE(Logged(command.command).empty()) << command.step;
        EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{kRunStillStoppingText}) << command.step;
        EXPECT_EQ(wizard_.Step(), command.step);
        runner_.active = false;  // "Testing complete."
        command.command();
        EXPECT_GT(wizard_.Step(), command.step);
    }
    wizard_.Test();
    EXPECT_EQ(runner_.starts, 2);
    EXPECT_EQ(wizard_.Step(), kStepTesting);
    EXPECT_FALSE(op::StopRequested.load());

    // Test itself keeps its own guard.
    runner_.active = true;
    wizard_.Reset();
    wizard_.Start();
    wizard_.NoProject();
    runner_.active = false;
    wizard_.Select();
    wizard_.GetInfo();
    wizard_.SelectVcps();
    runner_.active = true;
    presenter_.ClearEvents();
    wizard_.Test();
    EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{kRunStillEndingText});
    EXPECT_EQ(wizard_.Step(), kStepReadyToTest);
    EXPECT_EQ(runner_.starts, 2);
}

TEST_F(WizardTest, SettingsMenuIsGreyWhileARunGoes) {
    StartUp();
    runner_.active = true;
    EXPECT_TRUE(wizard_.View().settingsMenu.greyed);
    EXPECT_FALSE(wizard_.ChooseMode(op::kAutomaticMode));
    EXPECT_EQ(op::TestMode.load(), op::kManualMode);
    EXPECT_TRUE(wizard_.View().settingsMenu.manualChecked);

    runner_.active = false;
    EXPECT_FALSE(wizard_.View().settingsMenu.greyed);
    EXPECT_TRUE(wizard_.ChooseMode(op::kAutomaticMode));
    EXPECT_EQ(op::TestMode.load(), op::kAutomaticMode);
    EXPECT_EQ(wizard_.View().modeCaption, "Automatic - Standard");
}

TEST_F(WizardTest, ClosingDuringARunAsksAndExitsOnlyOnceTheRunHasEnded) {
    StartUp();
    EXPECT_EQ(wizard_.RequestExit(), ExitDecision::kExitNow);
    EXPECT_TRUE(presenter_.Messages().empty());

    runner_.active = true;
    presenter_.QueueMessageAnswer(op::MessageAnswer::kNo);
    EXPECT_EQ(wizard_.RequestExit(), ExitDecision::kStayOpen);
    EXPECT_EQ(presenter_.Messages(), std::vector<std::string>{kStopAndExitQuestion});
    EXPECT_FALSE(op::StopRequested.load());
    EXPECT_FALSE(wizard_.ExitPending());

    presenter_.QueueMessageAnswer(op::MessageAnswer::kYes);
    EXPECT_EQ(wizard_.RequestExit(), ExitDecision::kExitWhenRunEnds);
    EXPECT_TRUE(op::StopRequested.load());
    EXPECT_TRUE(wizard_.ExitPending());
    EXPECT_FALSE(wizard_.FinishEndedRun());
    presenter_.ClearEvents();
    EXPECT_EQ(wizard_.RequestExit(), ExitDecision::kExitWhenRunEnds);
    EXPECT_TRUE(presenter_.Messages().empty());

    runner_.active = false;
    EXPECT_TRUE(wizard_.FinishEndedRun());
}

TEST_F(WizardTest, StartUpShowsTheFirstStepBeforeTheLibraryIsLoaded) {
    std::vector<std::string> order;
    Wizard wizard(checkoff_, selection_, runner_, [&] {
        order.push_back("library");
        return StartFakeBus();
    });
    ASSERT_TRUE(wizard.StartUp(presenter_, &observer_, [&] {
        order.push_back("shown in step " + std::to_string(wizard.Step()));
        EXPECT_EQ(wizard.View().modeCaption, "Manual - Standard");
        EXPECT_TRUE(LogLines().empty());
    }));
    EXPECT_EQ(order, (std::vector<std::string>{"shown in step 0", "library"}));
}

TEST_F(WizardTest, ARunThatDidNotStartLeavesTestEnabled) {
    StartUp();
    selection_.engineer = [](project::VcpTree&) { return true; };
    wizard_.Start();
    wizard_.NoProject();
    wizard_.Select();
    wizard_.GetInfo();
    wizard_.SelectVcps();
    runner_.startAnswer = false;
    wizard_.Test();
    EXPECT_EQ(wizard_.Step(), kStepReadyToTest);
    EXPECT_TRUE(wizard_.Controls().test);
}

}  // namespace
}  // namespace kestrova::app::wizard
