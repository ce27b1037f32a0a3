#include "scripted_monitor.h"

#include <cstdio>

#include "bus/monitor_table.h"
#include "fake_wrapper.h"
#include "platform/settings_store.h"

namespace kestrova::engine::testing {

namespace {

ScriptedMonitorState state;

std::string Hex(uint32_t code) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%.2X", code & 0xFFu);
    return text;
}

extern "C" int32_t AnswerRead(int32_t,
                              uint32_t code,
                              uint32_t* minimum,
                              uint32_t* maximum,
                              uint32_t* current,
                              uint32_t,
                              uint8_t* sent,
                              uint32_t* sentSize,
                              uint8_t* reply,
                              uint32_t* replySize) {
    state.exchanges.push_back("r " + Hex(code));
    *sentSize = 0;
    // The reply's fourth byte is the monitor's result code: non-zero means unsupported.
    const uint8_t answer[] = {0x6E, 0x88, 0x02, 0x00, static_cast<uint8_t>(code), 0, 0, 0, 0, 0, 0};
    (void)sent;
    ScriptedRead next{};
    auto scripted = state.script.find(code);
    if (scripted != state.script.end() && !scripted->second.empty()) {
        next = scripted->second.front();
        scripted->second.pop_front();
    } else if (auto held = state.controls.find(code); held != state.controls.end()) {
        next = {ReadOutcome::kAnswer, held->second.minimum, held->second.maximum, held->second.current};
    } else {
        next.outcome = ReadOutcome::kNoAnswer;
    }
    switch (next.outcome) {
        case ReadOutcome::kNoAnswer:
            *replySize = 0;
            return 0;
        case ReadOutcome::kUnsupported:
            std::copy(std::begin(answer), std::end(answer), reply);
            reply[3] = 0x01;
            *replySize = sizeof(answer);
            return 0;
        case ReadOutcome::kAnswer:
            break;
    }
    std::copy(std::begin(answer), std::end(answer), reply);
    *replySize = sizeof(answer);
    *minimum = next.minimum;
    *maximum = next.maximum;
    *current = next.current;
    return 1;
}

extern "C" int32_t TakeWrite(int32_t, uint32_t code, uint32_t value, uint8_t*, uint32_t* sentSize) {
    state.exchanges.push_back("w " + Hex(code) + " " + std::to_string(value));
    *sentSize = 0;
    if (auto held = state.controls.find(code); held != state.controls.end()) {
        held->second.current = value;
    }
    return 1;
}

}  // namespace

ScriptedMonitorState& Monitor() {
    return state;
}

ScopedScriptedMonitor::ScopedScriptedMonitor() {
    bus::testing::ResetFake();
    state = ScriptedMonitorState{};
    bus::FakeEntryPoints module = bus::testing::MakeFakeModule();
    module.Add("WrDDCGetRangeRtn", &AnswerRead);
    module.Add("WrDDCSendVCPCommandRtn", &TakeWrite);
    bound_ = std::make_unique<bus::testing::BoundFake>(std::move(module));
    bus::testing::Fake().mask = 1u << 1;
    platform::IniSettingsStore none("");
    bus::EnumerateMonitors(none);
    bus::currentMonitor = 0;
    state.exchanges.clear();
}

ScopedScriptedMonitor::~ScopedScriptedMonitor() {
    bound_.reset();
    bus::Monitors().Clear();
    bus::testing::ResetFake();
}

int CountReads(uint32_t code) {
    int count = 0;
    for (const std::string& exchange : state.exchanges) {
        if (exchange == "r " + Hex(code)) {
            ++count;
        }
    }
    return count;
}

}  // namespace kestrova::engine::testing
