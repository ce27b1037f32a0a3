// The two kinds of test run and their group walks: one pass over the 21 groups on the test
// thread, from the first report fragment to the saved report.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "catalogue/vcp_groups.h"

namespace kestrova::engine {

// The steps of a Manual run, shown on the overall progress bar; back to 0 when the run ends.
extern std::atomic<int32_t> PluginProgress;

// "a) " for group 0 up to "u) " for group 20.
std::string GroupLabel(int32_t groupIndex);

// The thread procedures; both answer 0 when done.
int RunAutomaticTest();
int RunManualTest();

// Walks one group: a skipped line when unticked, else its table with a row per ticked code.
void RunGroup(const catalogue::VcpGroup& group);
// The same for a Manual run, with the group's manual plug-in test after its rows.
void RunGroupWithPlugins(const catalogue::VcpGroup& group);

}  // namespace kestrova::engine
