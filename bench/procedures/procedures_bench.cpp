// A full Automatic run over every group with every code ticked against the compliant lab monitor,
// with every procedure, Standard and Robust. Waits go to a virtual clock: the CPU time is the
// tester's and the library's own, and "virtual_ms" is the settle time the run asked for.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "engine/test_procedures.h"
#include "engine/test_run.h"
#include "lab_monitor.h"
#include "operator/run_settings.h"
#include "platform/clock.h"
#include "report/report_texts.h"

namespace {

using namespace kestrova;

void TickEverything() {
    for (catalogue::VcpGroup& group : catalogue::VcpGroups()) {
        group.enabled = true;
        std::fill_n(group.selected.begin(), group.count, true);
    }
}

void FullAutomaticRun(benchmark::State& state) {
    op::ResetRunSettings();
    op::TestMode = op::kAutomaticMode;
    op::FullRangeTesting = state.range(0) != 0;
    op::CheckoffInfo.checkoffLockingCode = "5A";
    engine::RegisterTestProcedures();
    catalogue::BuildVcpGroups(catalogue::VcpGroups());
    TickEverything();
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    const std::string profile = engine::testing::SourcePath("lab/compliant.json");
    uint64_t virtualMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh monitor and untested codes, or the second run would only repeat the first's rows.
        if (!engine::testing::UseLabProfile(profile)) {
            state.SkipWithError("the lab library could not be loaded");
            break;
        }
        catalogue::Catalogue().ResetRunState();
        report::ResetReportTexts();
        clock.Reset();
        state.ResumeTiming();

        benchmark::DoNotOptimize(engine::RunAutomaticTest());

        state.PauseTiming();
        virtualMs = clock.TotalSleptMs();
        state.ResumeTiming();
    }
    state.counters["virtual_ms"] = static_cast<double>(virtualMs);
    op::ResetRunSettings();
}

BENCHMARK(FullAutomaticRun)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"robust"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace
