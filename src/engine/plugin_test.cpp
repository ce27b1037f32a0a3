#include "engine/plugin_test.h"

#include <array>

#include "engine/vcp_group_definitions.h"

namespace kestrova::engine {

namespace {

std::array<PluginTest, kVcpGroupCount> tests{};

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
