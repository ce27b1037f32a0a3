// Path C: the colour temperature request. Its values count in steps of the increment that 0x0B
// reports, from 3000 K up.
#include "bus/vcp_primitives.h"
#include "engine/continuous_paths.h"
#include "engine/continuous_sweep.h"
#include "engine/result_text.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kRequestCode = 0x0C;
constexpr uint8_t kIncrementCode = 0x0B;
constexpr int32_t kBaseKelvin = 3000;
constexpr uint32_t kHighestSensibleKelvin = 70000;
constexpr uint32_t kSettleMs = 32;
constexpr uint32_t kFailedValueMs = 32;
constexpr uint32_t kRestoreMs = 64;
constexpr int kFailureLimit = 9;

}  // namespace

bool TestColourTemperature(ResultText& result) {
    // A request or increment that cannot be read leaves nothing to sweep; that is a failure too.
    const std::optional<VcpReading> initial = ReadStartValue(kRequestCode, result);
    if (!initial) {
        return false;
    }
    AppendResult(result, "Initial, min=%d max=%d cur=%d<BR>", initial->minimum, initial->maximum, initial->current);
    const std::optional<VcpReading> increment = ReadStartValue(kIncrementCode, result);
    if (!increment) {
        return false;
    }
    const int32_t step = increment->current;
    AppendResult(result, "Increment is %d<BR>", step);
    AppendResult(result, "Value of 0 is 3000K, 1 is %dK<BR>", kBaseKelvin + step);
    // Unsigned 32-bit on purpose: a huge or negative product shows up as too high.
    const uint32_t highest = static_cast<uint32_t>(step) * static_cast<uint32_t>(initial->maximum) + kBaseKelvin;
    if (highest > kHighestSensibleKelvin) {
        AppendResult(result, "...WARNING, max value is too high<BR>");
    }

    op::SetIndividualProgressRange(0, initial->maximum);
    op::SetIndividualProgress(0);
    bool pass = true;
    int failures = 0;
    const bool fullRange = op::FullRangeTesting.load();
    for (std::optional<int32_t> value = NextSweepValue(std::nullopt, initial->minimum, initial->maximum, fullRange);
         value; value = NextSweepValue(value, initial->minimum, initial->maximum, fullRange)) {
        op::SetIndividualProgress(*value);
        bus::WriteVcp(kRequestCode, static_cast<uint32_t>(*value));
        platform::SleepMs(kSettleMs);
        if (!ReadBack(kRequestCode, *value, false).matched) {
            pass = false;
            AppendResult(result, "...FAILED, could not read after set to %d <BR>", *value);
            ++failures;
            platform::SleepMs(kFailedValueMs);
        }
        if (failures > kFailureLimit) {
            break;
        }
    }
    bus::WriteVcp(kRequestCode, static_cast<uint32_t>(initial->current));
    platform::SleepMs(kRestoreMs);
    op::SetIndividualProgress(0);
    return pass;
}

}  // namespace kestrova::engine
