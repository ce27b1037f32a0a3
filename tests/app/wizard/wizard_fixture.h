// What the wizard tests share: scripted answers in place of the dialogs and the run driver, and a
// fake wrapper library with two monitors behind the bus.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/wizard/checkoff_step.h"
#include "app/wizard/selection_step.h"
#include "app/wizard/test_runner.h"
#include "bus/monitor_table.h"
#include "bus/wrapper_loader.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "fake_wrapper.h"
#include "operator/mode_state.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "project/project_settings.h"

namespace kestrova::app::wizard::testing {

class ScriptedCheckoff : public CheckoffDialog {
  public:
    // An empty queue answers Cancel.
    std::deque<std::optional<CheckoffFields>> answers;
    std::vector<CheckoffFields> shown;
    std::vector<bool> lockingCodeShown;

    std::optional<CheckoffFields> Edit(const CheckoffFields& fields, bool showLockingCode) override {
        shown.push_back(fields);
        lockingCodeShown.push_back(showLockingCode);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<CheckoffFields> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedSelection : public SelectionDialog {
  public:
    // Acts as the engineer on the tree; its answer is OK (true) or Cancel. Without one: Cancel.
    std::function<bool(project::VcpTree&)> engineer;
    std::vector<std::string> capabilities;

    bool Run(project::VcpTree& tree, const std::string& caps) override {
        capabilities.push_back(caps);
        return engineer ? engineer(tree) : false;
    }
};

class ScriptedRunner : public TestRunner {
  public:
    bool active = false;
    bool startAnswer = true;
    int starts = 0;
    int resets = 0;

    bool StartRun() override {
        ++starts;
        op::StopRequested = false;
        active = startAnswer;
        return startAnswer;
    }
    bool RunActive() override { return active; }
    void RequestReset() override {
        ++resets;
        op::StopRequested = true;
    }
};

class CaptionObserver : public op::ModeObserver {
  public:
    void SettingsMenuChanged(const op::SettingsMenuState& state) override { menus.push_back(state); }
    void ModeCaptionChanged(const std::string& caption) override { captions.push_back(caption); }
    std::vector<op::SettingsMenuState> menus;
    std::vector<std::string> captions;
};

// Two monitors at library indexes 2 and 5, the first listing 0x10 and 0x60 in its capabilities.
class WizardFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        op::ResetRunSettings();
        project::ResetProjectSettings();
        catalogue::Catalogue().ClearCaps();
        catalogue::Catalogue().ResetRunState();
        catalogue::ClearVcpGroupTicks(catalogue::VcpGroups());
        bus::testing::ResetFake();
        bus::testing::Fake().mask = (1u << 2) | (1u << 5);
        bus::testing::Fake().monitors[2].edid = {{100, "Velmora"}, {117, "VM-24"}};
        bus::testing::Fake().monitors[2].caps = "(vcp(10 60(1 3)))";
        bus::testing::Fake().monitors[2].continuousCodes = {0x10};
        bus::testing::Fake().monitors[2].discreteCodes = {0x60};
        bus::testing::Fake().monitors[5].edid = {{100, "Lumetra"}, {117, "LX-27"}};
        op::InstallPresenter(&presenter_);
    }
    void TearDown() override {
        op::InstallPresenter(nullptr);
        op::InstallModeObserver(nullptr);
        bound_.reset();
        op::ResetRunSettings();
        project::ResetProjectSettings();
        catalogue::Catalogue().ClearCaps();
        catalogue::ClearVcpGroupTicks(catalogue::VcpGroups());
    }

    // The bus start-up the window runs, with the fake in place of the loaded library.
    bool StartFakeBus() {
        bound_ = std::make_unique<bus::testing::BoundFake>(bus::testing::MakeFakeModule());
        bus::PrepareBus();
        platform::IniSettingsStore noRegistry("");
        bus::EnumerateMonitors(noRegistry);
        bus::currentMonitor = 0;
        return true;
    }

    std::vector<std::string> LogLines() const { return presenter_.LogLines(); }

    kestrova::op::testing::RecordingPresenter presenter_;
    std::unique_ptr<bus::testing::BoundFake> bound_;
};

}  // namespace kestrova::app::wizard::testing
