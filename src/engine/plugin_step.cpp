#include "engine/plugin_step.h"

#include <cstdio>

#include "bus/vcp_primitives.h"
#include "operator/operator_output.h"
#include "report/report_writer.h"

namespace kestrova::engine {

std::string PluginCodeText(uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%.2X", static_cast<unsigned>(code));
    return text;
}

void NoteCode(PluginCodeList& codes, uint8_t code) {
    codes.push_back(PluginCodeText(code));
}

void WriteNoted(PluginCodeList& codes, uint8_t code, uint32_t value) {
    bus::WriteVcp(code, value);
    NoteCode(codes, code);
}

PluginReading ReadNoted(PluginCodeList& codes, uint8_t code) {
    PluginReading reading;
    reading.answered = bus::ReadVcp(code, &reading.minimum, &reading.maximum, &reading.current);
    NoteCode(codes, code);
    return reading;
}

void FinishPluginStep(PluginCodeList& codes, std::string_view description, bool passed, std::string_view result) {
    op::LogLine("%.*s", static_cast<int>(result.size()), result.data());
    report::WritePluginRow(report::kPluginColumnWidths, codes, description, passed, result);
    codes.clear();
}

}  // namespace kestrova::engine
