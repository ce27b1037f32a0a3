#include "engine/continuous_user_preset.h"

#include "bus/vcp_primitives.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kSupportedValuesBytes = 80;
constexpr uint32_t kFirstUserPreset = 0x0B;
constexpr uint32_t kLastUserPreset = 0x0D;

}  // namespace

std::optional<int32_t> FirstListedUserPreset() {
    uint32_t values[kSupportedValuesBytes / sizeof(uint32_t)] = {};
    uint32_t size = kSupportedValuesBytes;
    if (!bus::GetSupportedValues(kColourPresetCode, values, &size)) {
        return std::nullopt;
    }
    for (uint32_t i = 0; i < size / sizeof(uint32_t); ++i) {
        if (values[i] >= kFirstUserPreset && values[i] <= kLastUserPreset) {
            return static_cast<int32_t>(values[i]);
        }
    }
    return std::nullopt;
}

}  // namespace kestrova::engine
