#include <cstdio>
#include <string>

#include "bus/caps_summary.h"
#include "bus/monitor_table.h"
#include "engine/discrete_handlers.h"
#include "engine/result_text.h"
#include "operator/run_settings.h"

namespace kestrova::engine {

namespace {

constexpr int32_t kLowestIncrement = 1;
constexpr int32_t kHighestIncrement = 5000;
constexpr int32_t kIncrementProbe = 50;
constexpr uint32_t kIncrementSettleMs = 100;

std::string Hex(int32_t value, bool upperCase) {
    char text[16];
    if (upperCase) {
        std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    } else {
        std::snprintf(text, sizeof(text), "%x", static_cast<unsigned>(value));
    }
    return text;
}

// Whether a second parenthesised string follows the first one's closing parenthesis, as from a
// monitor that sends its capabilities over again. Other trailing bytes real monitors send (a
// stray parenthesis, a digit) are left to the parser.
bool StartsAgainAfterItsEnd(const std::string& caps) {
    const size_t open = caps.find_first_not_of(" \t\r\n");
    if (open == std::string::npos || caps[open] != '(') {
        return false;
    }
    int depth = 0;
    for (size_t i = open; i < caps.size(); ++i) {
        depth += caps[i] == '(' ? 1 : caps[i] == ')' ? -1 : 0;
        if (depth == 0) {
            const size_t next = caps.find_first_not_of(" \t\r\n", i + 1);
            return next != std::string::npos && caps[next] == '(';
        }
    }
    return false;
}

}  // namespace

void ColorTemperatureIncrementCheck(DiscreteTest& test) {
    const int32_t current = test.initial;
    if (current < kLowestIncrement || current > kHighestIncrement) {
        test.pass = false;
        AppendResult(test.result, "FAIL - exp 1-5000, got %d<BR>", current);
    }
    // A read-only control must refuse the write; it is not written back, as it cannot have moved.
    const int32_t probe = current + kIncrementProbe;
    WriteAndWait(test.code, probe, kIncrementSettleMs);
    int32_t after = 0;
    if (ReadValue(test.code, after) && after == probe) {
        test.pass = false;
        AppendResult(test.result, "FAIL - exp %d, got %d<BR>", current, after);
    }
}

void UsageTimeCheck(DiscreteTest& test) {
    const int32_t hours = test.initial;
    if (op::TestMode.load() == op::kManualMode) {
        const std::string question =
            std::string(test.Name()) + ": Has the monitor been on " + std::to_string(hours) + " hours?";
        if (!AskYesNo(test.Name(), question)) {
            test.pass = false;
            AppendResult(test.result, "FAILED - Usage Time: 0x%04X, %d hrs incorrect<BR>", static_cast<unsigned>(hours),
                         hours);
            return;
        }
    }
    AppendResult(test.result, "Usage Time: 0x%04X, %d hrs<BR>", static_cast<unsigned>(hours), hours);
}

void ApplicationKeyCheck(DiscreteTest& test) {
    // Only the first two characters count, in either case; the terminators take part, so a
    // one-character key matches a one-digit value only.
    const std::string lower = Hex(test.initial, false);
    const std::string upper = Hex(test.initial, true);
    const std::string key = op::CheckoffInfo.checkoffLockingCode.Str();
    bool matches = true;
    for (size_t i = 0; i < 2; ++i) {
        const char want = i < key.size() ? key[i] : '\0';
        const char lowerDigit = i < lower.size() ? lower[i] : '\0';
        const char upperDigit = i < upper.size() ? upper[i] : '\0';
        if (want != lowerDigit && want != upperDigit) {
            matches = false;
        }
    }
    if (!matches) {
        test.pass = false;
        AppendResult(test.result, "FAIL - exp %s, got 0x%s<BR>", key.c_str(), lower.c_str());
    }
}

void VcpVersionCheck(DiscreteTest& test) {
    const int32_t major = (test.initial >> 8) & 0xFF;
    const int32_t revision = test.initial & 0xFF;
    AppendResult(test.result, "VCP Version: %d Rev:%d<BR>", major, revision);
    if (major != 2 && major != 3) {
        test.pass = false;
        test.result += "FAIL - Version is not 2.x or 3.x, unknown<BR>";
        return;
    }
    // The capabilities name the version too (mccs_ver); a monitor that says two things makes a
    // host parse its codes by the wrong version.
    int capsMajor = 0;
    int capsRevision = 0;
    const std::string capsVersion = bus::CurrentMonitorRecord().mccsVersion.Str();
    if (std::sscanf(capsVersion.c_str(), "%d.%d", &capsMajor, &capsRevision) == 2 &&
        (capsMajor != major || capsRevision != revision)) {
        test.pass = false;
        AppendResult(test.result, "FAIL - the capabilities say mccs_ver(%d.%d)<BR>", capsMajor, capsRevision);
    }
    if (StartsAgainAfterItsEnd(bus::CurrentCapabilitiesString())) {
        test.pass = false;
        test.result += "FAIL - the capabilities string starts again after its closing parenthesis<BR>";
    }
}

}  // namespace kestrova::engine
