#include "engine/continuous_checks.h"

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "engine/result_text.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kFirstRetryMs = 16;
constexpr uint32_t kSecondRetryMs = 32;
constexpr uint32_t kRecheckMs = 60;
constexpr uint32_t kResetPollMs = 1000;
constexpr int kResetPollLimit = 10;
constexpr int kResetSlowAfter = 5;
constexpr uint8_t kVcpVersionCode = 0xDF;
constexpr uint8_t kBrightnessCode = 0x10;

struct ReadAttempt {
    bool ok = false;
    bool unsupported = false;
    VcpReading reading;
};

ReadAttempt ReadOnce(uint8_t code) {
    uint32_t minimum = 0, maximum = 0, current = 0, unsupported = 0;
    ReadAttempt attempt;
    attempt.ok = bus::ReadVcp(code, &minimum, &maximum, &current, &unsupported);
    attempt.unsupported = unsupported != 0;
    attempt.reading = {static_cast<int32_t>(minimum), static_cast<int32_t>(maximum), static_cast<int32_t>(current)};
    return attempt;
}

}  // namespace

VcpReading ReadVcpForCheck(uint8_t code, bool& pass, ResultText& result) {
    const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    if (!entry.inCaps) {
        return {};
    }
    // ReadVcp retries by itself; these tries give a slow monitor more room on top of that.
    platform::SleepMs(kFirstRetryMs);
    ReadAttempt attempt = ReadOnce(code);
    if (attempt.ok) {
        return attempt.reading;
    }
    platform::SleepMs(kSecondRetryMs);
    attempt = ReadOnce(code);
    if (attempt.ok) {
        return attempt.reading;
    }
    attempt = ReadOnce(code);
    if (attempt.ok) {
        return attempt.reading;
    }
    pass = false;
    AppendResult(result, "...FAIL to get current %s<BR>", entry.name.CStr());
    if (attempt.unsupported) {
        AppendResult(result, "...Monitor says '%s' is Unsupported<BR>", entry.name.CStr());
    }
    return attempt.reading;
}

void CheckVcpValue(uint8_t code, int32_t expected, bool& pass, ResultText& result, CheckMode mode) {
    const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    if (!entry.inCaps) {
        return;
    }
    int32_t current = ReadVcpForCheck(code, pass, result).current;
    if (current != expected) {
        platform::SleepMs(kRecheckMs);
        current = ReadVcpForCheck(code, pass, result).current;
    }
    const char* name = entry.name.CStr();
    switch (mode) {
        case CheckMode::ExpectTestValue:
            if (current != expected) {
                pass = false;
                AppendResult(result, "...FAIL to get test val (exp %d, got %d), %s<BR>", expected, current, name);
            }
            break;
        case CheckMode::ExpectUnchanged:
            // Some monitors legitimately touch neighbouring controls; only Robust testing holds it against them.
            if (current != expected && op::FullRangeTesting.load()) {
                pass = false;
                AppendResult(result, "...FAIL, '0' should not have reset  (exp %d, got %d), %s<BR>", expected, current,
                             name);
            }
            break;
        case CheckMode::ExpectReset:
            if (current == expected) {
                pass = false;
                AppendResult(result, "...FAIL, could not reset %s, (remained at %d)<BR>", name, current);
            } else {
                AppendResult(result, "...%s resets to %d<BR>", name, current);
            }
            break;
    }
}

void WaitForResetComplete() {
    const uint8_t probe = catalogue::Catalogue()[kVcpVersionCode].inCaps ? kVcpVersionCode : kBrightnessCode;
    int misses = 0;
    for (;;) {
        // A monitor busy resetting answers with zeros (or not at all); the first real value ends the wait.
        const VcpReading reading = ReadOnce(probe).reading;
        platform::SleepMs(kResetPollMs);
        if (reading.maximum != 0 || reading.current != 0) {
            break;
        }
        ++misses;
        if (misses >= kResetPollLimit) {
            op::LogLine("...WARNING: Waited too long for reset to complete!!!");
            break;
        }
    }
    if (op::FullRangeTesting.load() && misses > kResetSlowAfter) {
        op::LogLine("...FAIL: Reset took longer than 5sec to complete!!!");
    }
}

}  // namespace kestrova::engine
