#include <benchmark/benchmark.h>

#include "brevlink/brevlink.h"
#include "brevlink/exports/monitor_session.h"
#include "brevlink/sim/profile_json.h"
#include "brevlink/sim/sim_monitor.h"

namespace {

// Inside the library: the host session over the lab monitor's bus.
void BM_SessionGetVcp(benchmark::State& state) {
    brevlink::sim::SimMonitor monitor(brevlink::sim::BuiltinProfile().monitors.at(0));
    brevlink::ddcci::SleepWaiter waiter;
    brevlink::MonitorSession session(1, monitor.Bus(), waiter, {});
    for (auto _ : state) {
        const brevlink::ddcci::VcpReading reading = session.GetVcp(0x10);
        benchmark::DoNotOptimize(reading.reply.current);
        if (reading.status != brevlink::ddcci::DdcStatus::kOk) {
            state.SkipWithError("no reply");
            break;
        }
    }
}
BENCHMARK(BM_SessionGetVcp);

// What the tester pays per read: the exported WrDDCGetRangeRtn, lock and bytes included.
void BM_ExportGetRangeRtn(benchmark::State& state) {
    WrEnum();
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
    uint8_t sent[10];
    uint8_t reply[40];
    for (auto _ : state) {
        uint32_t sentSize = sizeof(sent);
        uint32_t replySize = sizeof(reply);
        const int32_t ok =
            WrDDCGetRangeRtn(1, 0x10, &minimum, &maximum, &current, 5, sent, &sentSize, reply, &replySize);
        benchmark::DoNotOptimize(current);
        if (ok == 0) {
            state.SkipWithError("no reply");
            break;
        }
    }
}
BENCHMARK(BM_ExportGetRangeRtn);

}  // namespace

BENCHMARK_MAIN();
