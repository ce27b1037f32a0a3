// A run of the kestrova program logs exactly what the wizard model logs when the same clicks are
// made on it in-process, as the window makes them: the front adds, drops and reorders nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/wizard/engine_test_runner.h"
#include "app/wizard/wizard.h"
#include "bus/bus_startup.h"
#include "catalogue/vcp_groups.h"
#include "cli_runner.h"
#include "engine/test_procedures.h"
#include "engine/test_run_control.h"
#include "operator/mode_state.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "project/project_settings.h"

namespace kestrova::app::console::testing {
namespace {

namespace fs = std::filesystem;

// The dialogs as an engineer who changes nothing and presses OK.
class OkCheckoff : public wizard::CheckoffDialog {
  public:
    std::optional<wizard::CheckoffFields> Edit(const wizard::CheckoffFields& fields, bool) override { return fields; }
};

class OkSelection : public wizard::SelectionDialog {
  public:
    bool Run(project::VcpTree&, const std::string&) override { return true; }
};

struct MatchCase {
    const char* name;
    const char* profile;
    bool withProject;
};

// Test names and failure messages show the case by its name.
void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class WizardLogMatchTest : public ::testing::TestWithParam<MatchCase> {
  protected:
    void SetUp() override {
        op::ResetRunSettings();
        project::ResetProjectSettings();
        catalogue::ClearVcpGroupTicks(catalogue::VcpGroups());
    }
    void TearDown() override {
        op::InstallPresenter(nullptr);
        engine::ClearTestResults();
        op::ResetRunSettings();
        project::ResetProjectSettings();
    }

    // The same run in-process: the window's clicks on the wizard model.
    std::vector<std::string> WizardLog(const std::string& profilePath,
                                       const std::optional<std::string>& projectPath,
                                       const std::string& reportPath) {
        setenv("BREVLINK_LAB_PROFILE", profilePath.c_str(), 1);
        unsetenv("BREVLINK_BACKEND");
        platform::FixedShellFolders folders(std::string(KESTROVA_BINARY_DIR) + "/drivers", std::nullopt);
        platform::IniSettingsStore noSettings("/nonexistent/registry.ini");
        platform::VirtualClock clock;
        platform::ScopedClock virtualTime(clock);
        kestrova::op::testing::RecordingPresenter presenter;
        presenter.QueueSavePath(reportPath);
        if (projectPath) {
            presenter.QueueOpenPath(*projectPath);
        }
        OkCheckoff checkoff;
        OkSelection selection;
        wizard::EngineTestRunner runner;
        engine::RegisterTestProcedures();
        wizard::Wizard wizard(checkoff, selection, runner, [&] { return bus::StartBus(folders, noSettings); });

        EXPECT_TRUE(wizard.StartUp(presenter));
        op::ChooseModeFromMenu(op::kAutomaticMode);
        wizard.Start();
        if (projectPath) {
            wizard.ChooseProject();
        } else {
            wizard.NoProject();
        }
        wizard.ChooseMonitorEntry(0);
        wizard.Select();
        wizard.GetInfo();
        if (!projectPath) {
            wizard.SelectVcps();
        }
        wizard.Test();
        engine::WaitForTestRunEnd();
        return presenter.LogLines();
    }
};

TEST_P(WizardLogMatchTest, ProgramAndModelLogTheSameLines) {
    const MatchCase& c = GetParam();
    CliRunner cli(std::string("match-") + c.name);
    cli.UseProfile(c.profile);
    std::optional<std::string> projectPath;
    if (c.withProject) {
        ASSERT_EQ(cli.Run({"project", "new", "p.vmdProj", "--title", "Match", "--key", "0A", "--test-type", "automatic",
                           "--groups", "a,d,h"})
                      .status,
                  0);
        projectPath = fs::absolute(cli.Path("p.vmdProj")).string();
    }
    std::vector<std::string> args = {"run", "--mode", "automatic", "--report", "program.html", "--no-progress"};
    if (projectPath) {
        args.insert(args.end(), {"--project", *projectPath});
    }
    const CliResult program = cli.Run(args);
    ASSERT_TRUE(program.status == 0 || program.status == 1) << program.err;

    const std::vector<std::string> model = WizardLog(CliRunner::SourcePath(std::string("lab/") + c.profile + ".json"),
                                                     projectPath, cli.Path("model.html"));
    EXPECT_GT(model.size(), 40u);
    EXPECT_EQ(program.OutLines(), model);
}

INSTANTIATE_TEST_SUITE_P(Runs,
                         WizardLogMatchTest,
                         ::testing::Values(MatchCase{"no-project", "compliant", false},
                                           MatchCase{"faulty-no-project", "faulty-ignored-writes", false},
                                           MatchCase{"project", "compliant", true}),
                         [](const ::testing::TestParamInfo<MatchCase>& param) {
                             std::string name = param.param.name;
                             for (char& ch : name) {
                                 ch = ch == '-' ? '_' : ch;
                             }
                             return name;
                         });

}  // namespace
}  // namespace kestrova::app::console::testing
