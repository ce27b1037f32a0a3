#include "engine/discrete_test_state.h"

#include <array>

#include "bus/vcp_primitives.h"
#include "operator/operator_output.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

// 160 bytes: the query never hands back more than 40 values.
constexpr size_t kMaxSupportedValues = 40;

}  // namespace

bool ReadValue(uint8_t code, int32_t& value) {
    uint32_t minimum = 0, maximum = 0, current = 0;
    const bool ok = bus::ReadVcp(code, &minimum, &maximum, &current);
    value = static_cast<int32_t>(current);
    return ok;
}

int32_t ReadReported(uint8_t code) {
    int32_t value = 0;
    ReadValue(code, value);
    return value;
}

void WriteAndWait(uint8_t code, int32_t value, uint32_t settleMs) {
    bus::WriteVcp(code, static_cast<uint32_t>(value));
    platform::SleepMs(settleMs);
}

bool QuerySupportedValues(uint8_t code, std::vector<int32_t>& values) {
    std::array<uint32_t, kMaxSupportedValues> buffer{};
    uint32_t size = sizeof(buffer);
    values.clear();
    if (!bus::GetSupportedValues(code, buffer.data(), &size)) {
        return false;
    }
    const size_t count = size / sizeof(uint32_t);
    for (size_t i = 0; i < count && i < buffer.size(); ++i) {
        values.push_back(static_cast<int32_t>(buffer[i]));
    }
    return true;
}

bool AskYesNo(const std::string& caption, const std::string& text) {
    return op::ShowMessageBox(caption, text, op::MessageButtons::kYesNo, op::MessageIcon::kNone) ==
           op::MessageAnswer::kYes;
}

void LogAndAppend(DiscreteTest& test, const char* line) {
    op::LogLine("%s", line);
    test.result += line;
}

}  // namespace kestrova::engine
