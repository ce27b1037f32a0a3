#include "engine/plugin_test.h"

#include <array>

#include "catalogue/vcp_group_definitions.h"
#include "engine/pip_zoning_test.h"
#include "engine/theft_deterrence_test.h"

namespace kestrova::engine {

namespace {

constexpr std::array<PluginTest, catalogue::kVcpGroupCount> ManualRunTests() {
    std::array<PluginTest, catalogue::kVcpGroupCount> table{};
    table[catalogue::kTheftDeterrenceGroup] = &TheftDeterrenceTest;
    table[catalogue::kZoningPipGroup] = &PipZoningTest;
    return table;
}

// Filled before any code runs, so a Manual run needs no start-up registration.
constinit std::array<PluginTest, catalogue::kVcpGroupCount> tests = ManualRunTests();

bool IsGroup(int32_t groupIndex) {
    return groupIndex >= 0 && static_cast<size_t>(groupIndex) < catalogue::kVcpGroupCount;
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
