// A whole Automatic run over the 21 groups with every code ticked, against the compliant lab monitor
// on the virtual clock: the CPU the tester spends, the settle time it asks for and the report it writes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "engine/test_procedure.h"
#include "engine/test_procedures.h"
#include "engine/test_run.h"
#include "engine/test_run_control.h"
#include "lab_monitor.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "standin_procedures.h"

namespace kestrova::engine {
namespace {

void TickEverything() {
    for (catalogue::VcpGroup& group : catalogue::VcpGroups()) {
        group.enabled = true;
        std::fill_n(group.selected.begin(), group.count, true);
    }
}

// state.range(0): 1 = the built-in procedures, 0 = the read-back stand-ins of the golden tests.
void BM_FullAutomaticRun(benchmark::State& state) {
    platform::FixedDateTimeSource dateTime({"2:07 PM", "Monday, December 7, 2026"});
    platform::SetCurrentDateTimeSource(&dateTime);
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter scopedPresenter(&presenter);
    std::unique_ptr<testing::ScopedStandIns> standIns;
    if (state.range(0) == 1) {
        RegisterTestProcedures();
    } else {
        standIns = std::make_unique<testing::ScopedStandIns>();
    }
    op::ResetRunSettings();
    op::TestMode = op::kAutomaticMode;
    if (!testing::UseLabProfile(testing::SourcePath("lab/compliant.json"))) {
        state.SkipWithError("the Brevlink lab could not be loaded");
        return;
    }
    TickEverything();
    const std::filesystem::path report = std::filesystem::temp_directory_path() / "kestrova_bench_full_run.html";

    uint64_t virtualMs = 0;
    uintmax_t reportBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearTestResults();
        presenter.ClearEvents();
        presenter.QueueSavePath(report.string());
        clock.Reset();
        state.ResumeTiming();

        RunAutomaticTest();

        state.PauseTiming();
        virtualMs = clock.TotalSleptMs();
        reportBytes = std::filesystem::file_size(report);
        state.ResumeTiming();
    }
    state.counters["virtual_ms"] = static_cast<double>(virtualMs);
    state.counters["report_bytes"] = static_cast<double>(reportBytes);
    std::filesystem::remove(report);
    platform::SetCurrentDateTimeSource(nullptr);
}
BENCHMARK(BM_FullAutomaticRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace kestrova::engine

BENCHMARK_MAIN();
