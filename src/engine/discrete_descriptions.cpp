#include <algorithm>
#include <vector>

#include "engine/discrete_handlers.h"
#include "engine/discrete_test_state.h"
#include "engine/discrete_value_tables.h"
#include "engine/result_text.h"
#include "operator/run_settings.h"

namespace kestrova::engine {

namespace {

constexpr int32_t kLastLayout = 0x08;

void AppendAdditional(DiscreteTest& test) {
    AppendResult(test.result, "0x%x - additional<BR>", static_cast<unsigned>(test.initial));
}

}  // namespace

void InputSourceCheck(DiscreteTest& test) {
    // Only the engineer can see which input the picture comes from. Without one, an input the
    // monitor itself does not list (some firmware always answers 00) is still plainly wrong.
    if (op::TestMode.load() != op::kManualMode) {
        std::vector<int32_t> listed;
        if (QuerySupportedValues(test.code, listed) && !listed.empty() &&
            std::find(listed.begin(), listed.end(), test.initial) == listed.end()) {
            test.pass = false;
            AppendResult(test.result, "FAIL - reads 0x%02x, not an input the capabilities list<BR>",
                         static_cast<unsigned>(test.initial));
        }
        test.result += "NOTE: Only tested using manual test.<BR>";
        return;
    }
    const std::string question =
        std::string("Does the input source match the returned value: ") + InputSourceName(test.initial) + "?";
    if (AskYesNo("Input Source", question)) {
        LogAndAppend(test, "Input source matches returned value. <BR>");
    } else {
        test.pass = false;
        LogAndAppend(test, "ERROR, Input source does not match returned value. <BR>");
    }
}

void SubPixelLayoutCheck(DiscreteTest& test) {
    if (test.initial >= 0 && test.initial <= kLastLayout) {
        test.result += *ValueLine(SubPixelLayoutNames(), test.initial);
        return;
    }
    test.pass = false;
    AppendResult(test.result, "FAIL - 0x%x - Layout UNKNOWN valued.<BR>", static_cast<unsigned>(test.initial));
}

// Technologies and controllers keep coming; an unknown one is described, never held against the monitor.
void DisplayTechnologyNote(DiscreteTest& test) {
    if (const std::optional<std::string> line = ValueLine(DisplayTechnologyNames(), test.initial)) {
        test.result += *line;
    } else {
        AppendAdditional(test);
    }
}

void ControllerTypeNote(DiscreteTest& test) {
    if (const std::optional<std::string> line = ValueLine(ControllerTypeNames(), test.initial)) {
        test.result += *line;
    } else {
        AppendAdditional(test);
    }
}

void ActiveControlNote(DiscreteTest& test) {
    test.result += "Tested with 0x02 New Control Value.<BR>";
}

void AutoPivotNote(DiscreteTest& test) {
    test.result += "NOTE: Only tested using manual test.<BR>";
}

}  // namespace kestrova::engine
