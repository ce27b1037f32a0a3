// The related controls through which the restore and auto-setup commands are seen: each is moved
// to a test value below its maximum, the command is sent, and the control is checked and put back.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/continuous_checks.h"
#include "engine/test_procedure.h"

namespace kestrova::engine {

struct RelatedControl {
    uint8_t code = 0;
    int32_t offset = 0;  // subtracted from the maximum to make the test value
    int32_t maximum = 0;
    int32_t saved = 0;   // the value found before the test, written back at its end
    bool known = false;  // the last guarded read answered, so maximum and saved can be trusted

    int32_t TestValue() const { return maximum - offset; }
};

using ControlGroup = std::vector<RelatedControl>;

// Clock, clock phase, horizontal and vertical position, in the order they are written.
ControlGroup GeometryControls();
// Brightness and contrast.
ControlGroup LuminanceControls();
// The red, green and blue video gains.
ControlGroup ColourGainControls();

// Guarded reads of every control; a failed read clears `pass` and appends its lines.
void ReadControls(std::span<RelatedControl> group, bool& pass, ResultText& result);

// Writes the test value of a listed control whose value is known; false when nothing was sent.
bool WriteTestValue(const RelatedControl& control);
// Each control's test value, with `settleMs` after every write sent.
void WriteTestValues(std::span<const RelatedControl> group, uint32_t settleMs = 0);
// Each control's saved value back, with `settleMs` after every write sent.
void WriteSavedValues(std::span<const RelatedControl> group, uint32_t settleMs = 0);

// Checks every control against its test value.
void CheckControls(std::span<const RelatedControl> group, CheckMode mode, bool& pass, ResultText& result);

// Robust testing only: the command sent with 0 must leave every control at its test value.
void SendZeroAndCheck(uint8_t command, std::span<const RelatedControl> group, bool& pass, ResultText& result);
// After the command was sent with 1: waits for the reset, then every control must have left its
// test value.
void WaitAndCheckReset(std::span<const RelatedControl> group, bool& pass, ResultText& result);

// The Redo/Yes/No question; the answer (1 Yes, 0 No, -1 Redo).
int32_t AskEngineer(const char* caption, const char* question);

}  // namespace kestrova::engine
