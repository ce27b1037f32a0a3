// A monitor for the engine tests: the bus fake with its read and write replaced by a per-code store
// and per-code scripted answers, so a test can say "no answer twice, then 7" for one control.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrova::bus::testing {
class BoundFake;
}

namespace kestrova::engine::testing {

enum class ReadOutcome { kAnswer, kNoAnswer, kUnsupported };

struct ScriptedRead {
    ReadOutcome outcome = ReadOutcome::kAnswer;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
};

struct ControlValue {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
};

struct ScriptedMonitorState {
    // Answers without a script; a write sets `current`. A code not held here does not answer.
    std::map<uint32_t, ControlValue> controls;
    // Played first, one per read of the code.
    std::map<uint32_t, std::deque<ScriptedRead>> script;
    // "r 0x10", "w 0x10 5", in order.
    std::vector<std::string> exchanges;
};

ScriptedMonitorState& Monitor();

// Binds the scripted monitor as monitor 1 and selects it; unbinds on destruction.
class ScopedScriptedMonitor {
  public:
    ScopedScriptedMonitor();
    ~ScopedScriptedMonitor();
    ScopedScriptedMonitor(const ScopedScriptedMonitor&) = delete;
    ScopedScriptedMonitor& operator=(const ScopedScriptedMonitor&) = delete;

  private:
    std::unique_ptr<bus::testing::BoundFake> bound_;
};

// How many reads of `code` the monitor saw.
int CountReads(uint32_t code);

}  // namespace kestrova::engine::testing
