#include "engine/plugin_test.h"

#include <array>

#include "engine/pip_zoning_test.h"
#include "engine/theft_deterrence_test.h"
#include "engine/vcp_group_definitions.h"

namespace kestrova::engine {

namespace {

constexpr std::array<PluginTest, kVcpGroupCount> ManualRunTests() {
    std::array<PluginTest, kVcpGroupCount> table{};
    table[kTheftDeterrenceGroup] = &TheftDeterrenceTest;
    table[kZoningPipGroup] = &PipZoningTest;
    return table;
}

// Filled before any code runs, so a Manual run needs no start-up registration.
constinit std::array<PluginTest, kVcpGroupCount> tests = ManualRunTests();

bool IsGroup(int32_t groupIndex) {
    return groupIndex >= 0 && static_cast<size_t>(groupIndex) < kVcpGroupCount;
}

}  // namespace

PluginTest FindPluginTest(int32_t groupIndex) {
    return IsGroup(groupIndex) ? tests[static_cast<size_t>(groupIndex)] : nullptr;
}

void SetPluginTest(int32_t groupIndex, PluginTest test) {
    if (IsGroup(groupIndex)) {
        tests[static_cast<size_t>(groupIndex)] = test;
    }
}

}  // namespace kestrova::engine
