#include "app/console/run_command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/console/bus_setup.h"
#include "app/console/console_presenter.h"
#include "app/console/exit_status.h"
#include "app/console/junit_writer.h"
#include "app/console/report_rows.h"
#include "app/console/report_target.h"
#include "app/console/terminal.h"
#include "app/wizard/engine_test_runner.h"
#include "app/wizard/wizard.h"
#include "bus/monitor_table.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "engine/test_procedures.h"
#include "engine/test_run_control.h"
#include "operator/mode_state.h"
#include "operator/run_settings.h"
#include "project/project_file.h"
#include "report/report_writer.h"

namespace kestrova::app::console {

namespace {

namespace fs = std::filesystem;

// The open and save dialogs refuse longer answers.
constexpr size_t kProjectPathLimit = op::kProjectPathCapacity - 1;
constexpr size_t kReportPathLimit = 299;

const char* ModeName(int mode) {
    return mode == op::kAutomaticMode ? "automatic" : "manual";
}

std::optional<int> ModeOfTestType(uint16_t testType) {
    if (testType == project::kTestTypeAutomatic) {
        return op::kAutomaticMode;
    }
    if (testType == project::kTestTypeManual) {
        return op::kManualMode;
    }
    return std::nullopt;
}

// Who answers the run's questions; null when nobody can.
bool MakeAnswerSource(const RunOptions& options,
                      const ConsoleIo& io,
                      std::unique_ptr<AnswerSource>& source,
                      std::string& error) {
    if (options.answersPath) {
        std::vector<AnswerLine> lines;
        if (!LoadAnswersFile(*options.answersPath, lines, error)) {
            return false;
        }
        source = std::make_unique<ScriptedAnswers>(*options.answersPath, std::move(lines));
    } else if (options.fixedAnswer) {
        source = std::make_unique<FixedAnswers>(*options.fixedAnswer);
    } else if (IsTerminal(io.in)) {
        source = std::make_unique<TerminalAnswers>(io.in, io.err);
    }
    return true;
}

bool FolderOfFileExists(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    std::error_code failed;
    return parent.empty() || fs::is_directory(parent, failed);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string LastErrorBox(const ConsolePresenter& presenter) {
    const std::vector<ShownBox> boxes = presenter.ErrorBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
}

// What is settled before the library is loaded.
struct RunPlan {
    std::unique_ptr<AnswerSource> answers;
    std::optional<std::string> projectPath;  // absolute, as the open dialog hands it over
    int mode = op::kManualMode;
    ReportTarget target;
};

// Everything that can be checked is checked before the library is loaded, so a wrong command
// line never sends a byte to the monitor.
bool PlanRun(const RunOptions& options, const ConsoleIo& io, RunPlan& plan, std::string& error) {
    if (!MakeAnswerSource(options, io, plan.answers, error)) {
        return false;
    }
    std::optional<int> projectMode;
    if (options.projectPath) {
        plan.projectPath = fs::absolute(*options.projectPath).string();
        if (plan.projectPath->size() > kProjectPathLimit) {
            error = "the project path is longer than " + std::to_string(kProjectPathLimit) + " characters";
            return false;
        }
        project::ProjectRecord record;
        const project::ProjectReadError readError = project::ReadProjectFile(*plan.projectPath, record);
        if (readError != project::ProjectReadError::kNone) {
            error = *options.projectPath + ": " + project::ProjectReadErrorText(readError);
            return false;
        }
        projectMode = ModeOfTestType(record.testType);
    }
    if (projectMode && options.mode && *projectMode != *options.mode) {
        error = "the project fixes the mode to " + std::string(ModeName(*projectMode)) +
                "; leave out --mode or give --mode " + ModeName(*projectMode);
        return false;
    }
    plan.mode = projectMode.value_or(options.mode.value_or(op::kManualMode));
    if (plan.mode == op::kManualMode && !plan.answers) {
        error =
            "a Manual run asks questions and standard input is no terminal: give --answers FILE or --answer yes|no, "
            "or choose --mode automatic";
        return false;
    }
    if (!PrepareReportTarget(options.report, plan.target, error)) {
        return false;
    }
    if (options.junitPath && !FolderOfFileExists(*options.junitPath)) {
        error = "the folder of the JUnit file \"" + *options.junitPath + "\" does not exist";
        return false;
    }
    std::error_code ignored;
    if (options.junitPath && fs::is_directory(*options.junitPath, ignored)) {
        error = "the JUnit file \"" + *options.junitPath + "\" is a folder; give a file name";
        return false;
    }
    return true;
}

// The tree pre-ticks only codes the capabilities list: none when they could not be read.
bool NoCodeInCapabilities() {
    for (int code = 0; code < 256; ++code) {
        if (catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps) {
            return false;
        }
    }
    return true;
}

// The clicks of the window from Start to a started test, as the engineer would make them.
bool WalkToTest(wizard::Wizard& wizard,
                const RunOptions& options,
                const RunPlan& plan,
                const ConsolePresenter& presenter,
                std::string& error) {
    const int found = static_cast<int>(wizard.View().monitors.size());
    if (found == 0) {
        error = kNoMonitorFound;
        return false;
    }
    if (options.monitor > found) {
        error = NoSuchMonitor(options.monitor, found);
        return false;
    }
    // The engineer sets the Settings menu before the wizard; a project may still set it at Get Info.
    op::ChooseModeFromMenu(plan.mode);
    wizard.Start();
    if (plan.projectPath) {
        wizard.ChooseProject();
    } else {
        wizard.NoProject();
    }
    wizard.ChooseMonitorEntry(options.monitor - 1);
    wizard.Select();
    wizard.GetInfo();
    if (wizard.Step() == wizard::kStepSelectVcps) {
        wizard.SelectVcps();
    }
    if (wizard.Step() != wizard::kStepReadyToTest) {
        const std::string box = LastErrorBox(presenter);
        error = "the wizard stopped before Test" + (box.empty() ? std::string() : ": " + box);
        return false;
    }
    // A run of 21 skipped groups tests nothing, and "every row passed" would tell a lab's CI that
    // the monitor passed.
    const catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
    if (std::none_of(groups.begin(), groups.end(), [](const catalogue::VcpGroup& group) { return group.enabled; })) {
        error = "nothing to test: the selection ticks no VCP code and no plug-in test";
        if (!plan.projectPath && !options.selection.given && NoCodeInCapabilities()) {
            error +=
                "\n  The monitor's capabilities could not be read, and the selection ticks only codes they list."
                "\n  --groups or --codes choose the codes to test without them.";
        }
        return false;
    }
    const std::string reportPath = ReportPathFor(plan.target, report::ProposedReportName(bus::CurrentMonitorRecord()));
    if (reportPath.size() > kReportPathLimit) {
        error =
            "the report path \"" + reportPath + "\" is longer than " + std::to_string(kReportPathLimit) + " characters";
        return false;
    }
    wizard.Test();
    if (wizard.Step() != wizard::kStepTesting) {
        error = "the test did not start";
        return false;
    }
    return true;
}

// The saved report's rows decide the exit status and fill the JUnit file.
int Results(const RunOptions& options, const ConsoleIo& io, const ConsolePresenter& presenter) {
    const std::vector<std::string> saves = presenter.SaveAnswers();
    const std::optional<std::string> html = saves.size() == 1 ? ReadWholeFile(saves.front()) : std::nullopt;
    if (!html) {
        return Fail(
            io, "the report could not be saved" + (saves.empty() ? std::string() : " to \"" + saves.front() + "\""));
    }
    const std::vector<ReportRow> rows = ReadReportRows(*html);
    std::string error;
    if (options.junitPath && !WriteJunitFile(*options.junitPath, rows, error)) {
        return Fail(io, error);
    }
    int failed = 0;
    for (const ReportRow& row : rows) {
        failed += row.passed ? 0 : 1;
    }
    std::fprintf(io.err, "kestrova: %zu rows, %d failed; report \"%s\"\n", rows.size(), failed, saves.front().c_str());
    std::fflush(io.err);
    if (const std::optional<std::string> failure = presenter.AnswerFailure()) {
        return Fail(io, "the run was stopped: " + *failure);
    }
    return failed > 0 ? kExitRowFailed : kExitPassed;
}

}  // namespace

int RunCommand(const RunOptions& options, const ConsoleIo& io) {
    RunPlan plan;
    std::string error;
    if (!PlanRun(options, io, plan, error)) {
        return Fail(io, error);
    }

    ConsolePresenter presenter(io.out, io.err,
                               !options.progress    ? ProgressStyle::kNone
                               : IsTerminal(io.err) ? ProgressStyle::kBar
                                                    : ProgressStyle::kPlain);
    op::ScopedPresenter installed(&presenter);
    presenter.SetAnswerSource(plan.answers.get());
    presenter.SetOpenPath(plan.projectPath);
    const ReportTarget& target = plan.target;
    presenter.SetSavePath([&target](const std::string& proposed) { return ReportPathFor(target, proposed); });

    engine::RegisterTestProcedures();
    ConsoleCheckoff checkoff(options.checkoff);
    ConsoleSelection selection(options.selection);
    wizard::EngineTestRunner runner;
    wizard::Wizard wizard(checkoff, selection, runner);

    presenter.MuteErrorBoxes(true);
    const bool started = wizard.StartUp(presenter);
    presenter.MuteErrorBoxes(false);
    if (!started) {
        return Fail(io, WrapperLoadFailure());
    }
    if (!WalkToTest(wizard, options, plan, presenter, error)) {
        return Fail(io, error);
    }
    engine::WaitForTestRunEnd();
    presenter.EndProgress();
    return Results(options, io, presenter);
}

}  // namespace kestrova::app::console
