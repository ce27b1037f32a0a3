// What the manual plug-in tests share: the list of codes a step used, the reads and writes that
// note their code in it, and the end of a step (log line, report row, list emptied).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::engine {

// Code texts ("0xA4", "0xFA") in order of use; the row writer lists each once.
using PluginCodeList = std::vector<std::string>;

// "0x%.2X" of the code.
std::string PluginCodeText(uint8_t code);

// Appends the code's text to the list.
void NoteCode(PluginCodeList& codes, uint8_t code);

// WriteVcp, noting the code.
void WriteNoted(PluginCodeList& codes, uint8_t code, uint32_t value);

// What a plug-in step read: the values the read reported, 0 where it reported none.
struct PluginReading {
    bool answered = false;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
};

// ReadVcp, noting the code. A failed read is not retried beyond the primitive's own attempts.
PluginReading ReadNoted(PluginCodeList& codes, uint8_t code);

// Ends a step: the result sentence goes to the log list, then the row with the step's codes to
// the report, and the list is emptied for the next step.
void FinishPluginStep(PluginCodeList& codes, std::string_view description, bool passed, std::string_view result);

}  // namespace kestrova::engine
