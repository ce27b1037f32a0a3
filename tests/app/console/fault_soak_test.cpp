// Every lab profile through 'kestrova run' in every mode: Automatic, Manual answered all yes and
// all no from a file, each at the Standard level (no project) and at the Robust level (a level-2
// project of every code a group lists). Whatever the monitor does wrong, each run ends with a whole
// report, a JUnit file that parses and agrees with the exit status, and nothing on standard error
// but the run's own notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/console/selection_choice.h"
#include "catalogue/vcp_groups.h"
#include "cli_runner.h"
#include "project/project_file.h"
#include "project/project_record.h"

namespace kestrova::app::console::testing {
namespace {

namespace fs = std::filesystem;

enum class Mode { kAutomatic, kManualYes, kManualNo };

struct SoakRun {
    std::string profile;
    Mode mode = Mode::kAutomatic;
    bool robust = false;
    CliResult result;
    std::string report;
    std::string junit;
};

const char* ModeName(Mode mode) {
    return mode == Mode::kAutomatic ? "automatic" : mode == Mode::kManualYes ? "manual-yes" : "manual-no";
}

std::string Name(const SoakRun& run) {
    return run.profile + "/" + ModeName(run.mode) + "/" + (run.robust ? "robust" : "standard");
}

// A Robust project of every code some group lists, in the run's mode.
void WriteRobustProject(const std::string& path, Mode mode) {
    project::ProjectRecord record;
    record.title = "Fault soak";
    record.applicationKey = "01";
    record.testType = mode == Mode::kAutomatic ? project::kTestTypeAutomatic : project::kTestTypeManual;
    record.level = project::kLevelRobust;
    for (int code = 0; code < 256; ++code) {
        record.selection[static_cast<size_t>(code)] = GroupsListing(static_cast<uint8_t>(code)).empty() ? 0 : 1;
    }
    ASSERT_TRUE(project::WriteProjectFile(path, record)) << path;
}

void RunSoak(SoakRun& run) {
    CliRunner cli("soak-" + run.profile + "-" + ModeName(run.mode) + (run.robust ? "-robust" : "-standard"));
    cli.UseProfile(run.profile);
    std::vector<std::string> args = {"run", "--report", "r.html", "--junit", "r.xml", "--no-progress"};
    if (run.robust) {
        WriteRobustProject(cli.Path("robust.vmdProj"), run.mode);
        args.insert(args.end(), {"--project", "robust.vmdProj"});
    } else {
        args.insert(args.end(), {"--mode", run.mode == Mode::kAutomatic ? "automatic" : "manual"});
    }
    if (run.mode != Mode::kAutomatic) {
        // A Robust sweep asks at every step: all yes is some 84,000 answers for the compliant monitor.
        std::string answers;
        for (int i = 0; i < 120000; ++i) {
            answers += run.mode == Mode::kManualYes ? "yes\n" : "no\n";
        }
        WriteFile(cli.Path("answers.txt"), answers);
        args.insert(args.end(), {"--answers", "answers.txt"});
    }
    run.result = cli.Run(args);
    run.report = ReadFile(cli.Path("r.html"));
    run.junit = fs::exists(cli.Path("r.xml")) ? JunitSummaryByPython(cli.Path("r.xml")) : "no JUnit file";
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

// Without a project the tree ticks what the capabilities list; garbled ones list nothing.
bool NothingToTest(const SoakRun& run) {
    return run.profile == "faulty-garbled-caps" && !run.robust;
}

void CheckRun(const SoakRun& run, const catalogue::VcpGroupArray& groups) {
    const std::string name = Name(run);
    const std::vector<std::string> err = run.result.ErrLines();
    if (NothingToTest(run)) {
        EXPECT_EQ(run.result.status, 2) << name << "\n" << run.result.err;
        EXPECT_EQ(run.result.err,
                  "kestrova: nothing to test: the selection ticks no VCP code and no plug-in test\n"
                  "  The monitor's capabilities could not be read, and the selection ticks only codes they list.\n"
                  "  --groups or --codes choose the codes to test without them.\n")
            << name;
        return;
    }
    ASSERT_TRUE(run.result.status == 0 || run.result.status == 1) << name << "\n" << run.result.err;
    EXPECT_EQ(run.result.OutLines().back(), "Testing complete.") << name;

    // Every group has its table or its "skipped" line, and every table and row is closed.
    for (const catalogue::VcpGroup& group : groups) {
        const std::string caption = std::string("colspan=5>") + group.name.CStr() + "</td>";
        const std::string skipped = std::string(") ") + group.name.CStr() + " skipped.";
        EXPECT_EQ(Count(run.report, caption) + Count(run.report, skipped), 1u) << name << ": " << group.name.CStr();
    }
    EXPECT_EQ(Count(run.report, "<table"), Count(run.report, "</table>")) << name;
    EXPECT_EQ(Count(run.report, "<tr"), Count(run.report, "</tr>")) << name;

    int tests = -1, failures = -1, cases = -1, failureElements = -1, withText = -1;
    ASSERT_EQ(std::sscanf(run.junit.c_str(), "%d %d %d %d %d", &tests, &failures, &cases, &failureElements, &withText),
              5)
        << name << ": " << run.junit;
    EXPECT_EQ(cases, tests) << name;
    EXPECT_EQ(failureElements, failures) << name;
    EXPECT_EQ(run.result.status, failures > 0 ? 1 : 0) << name;

    // Standard error: the questions and boxes answered, then the one summary line.
    ASSERT_FALSE(err.empty()) << name;
    const std::string summary =
        "kestrova: " + std::to_string(tests) + " rows, " + std::to_string(failures) + " failed; report \"r.html\"";
    EXPECT_EQ(err.back(), summary) << name;
    for (size_t i = 0; i + 1 < err.size(); ++i) {
        EXPECT_EQ(err[i].rfind('[', 0), 0u) << name << ": " << err[i];
    }
}

TEST(FaultSoak, EveryProfileInEveryModeEndsWithAWholeReport) {
    std::vector<SoakRun> runs;
    for (const fs::directory_entry& entry : fs::directory_iterator(CliRunner::SourcePath("lab"))) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        for (Mode mode : {Mode::kAutomatic, Mode::kManualYes, Mode::kManualNo}) {
            for (bool robust : {false, true}) {
                // The built-in monitor's Automatic Standard run is the end-to-end test's own.
                if (entry.path().stem() == "compliant" && mode == Mode::kAutomatic && !robust) {
                    continue;
                }
                runs.push_back(SoakRun{entry.path().stem().string(), mode, robust, {}, {}, {}});
            }
        }
    }
    std::sort(runs.begin(), runs.end(), [](const SoakRun& a, const SoakRun& b) { return Name(a) < Name(b); });
    ASSERT_GT(runs.size(), 100u);

    // Each run is a process of its own; two at a time keep both cores busy.
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 2; ++w) {
        workers.emplace_back([&] {
            for (size_t i = next++; i < runs.size(); i = next++) {
                RunSoak(runs[i]);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }

    catalogue::VcpGroupArray groups{};
    catalogue::BuildVcpGroups(groups);
    for (const SoakRun& run : runs) {
        CheckRun(run, groups);
    }
}

}  // namespace
}  // namespace kestrova::app::console::testing
