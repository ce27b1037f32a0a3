#include "script_ext/trivex_wrapper.h"

#include "script_ext/script_interface.h"

#include <cstring>

using kestrova::script::kTrivexSections;

namespace {

uint16_t FirstWord(const unsigned char* reply) {
    return static_cast<uint16_t>(reply[0] | reply[1] << 8);
}

}  // namespace

TRIVEX_MANAGEMENT_WRAPPER::TRIVEX_MANAGEMENT_WRAPPER() : table_{} {
    std::memcpy(table_.code, "F8", 3);
    Reset();
}

unsigned char* TRIVEX_MANAGEMENT_WRAPPER::Buffer() {
    return reinterpret_cast<unsigned char*>(&table_) + kestrova::script::kTrivexBufferStart;
}

void TRIVEX_MANAGEMENT_WRAPPER::Reset() {
    table_.offset = 0;
    table_.command = 0;
    std::memset(table_.results, 0, sizeof table_.results);
    table_.reserved = 0;
    table_.gradientChannel = 0;
}

uint16_t TRIVEX_MANAGEMENT_WRAPPER::WriteStruct() {
    return FirstWord(ScriptInterface::Instance().TableWriteCommandStruct(table_.code, table_.offset, Buffer(),
                                                                         TRIVEX_MANAGEMENT_STRUCT, false));
}

uint16_t TRIVEX_MANAGEMENT_WRAPPER::ReadStruct() {
    return FirstWord(ScriptInterface::Instance().TableReadCommandStruct(table_.code, table_.offset, Buffer(),
                                                                        TRIVEX_MANAGEMENT_STRUCT, false));
}

void TRIVEX_MANAGEMENT_WRAPPER::CloseExistingOSD() {
    table_.command = kCloseOsd;
    WriteStruct();
    table_.gradientChannel = 0;
}

void TRIVEX_MANAGEMENT_WRAPPER::DrawGradient(int channel) {
    const bool known = channel >= 1 && channel <= 3;
    table_.command = known ? static_cast<uint16_t>(kGradientStep * channel) : 0;
    table_.gradientChannel = table_.command;
    if (table_.command != 0) {
        WriteStruct();
    }
}

uint16_t TRIVEX_MANAGEMENT_WRAPPER::DrawAndCalibrateGradientSection(int section) {
    if (section >= 1 && section <= 3) {
        table_.command = static_cast<uint16_t>(kCalibrateSection + section);
    }
    const uint16_t result = WriteStruct();
    const int channel = table_.gradientChannel / kGradientStep;
    const bool channelOnScreen = table_.gradientChannel % kGradientStep == 0 && channel >= 1 && channel <= 3;
    if (channelOnScreen && section >= 1 && section <= kTrivexSections) {
        table_.results[channel - 1][section - 1] = result;
    }
    return result;
}

uint16_t TRIVEX_MANAGEMENT_WRAPPER::ReadNumberCLUTsSupported() {
    table_.command = kReadNumberCluts;
    return ReadStruct();
}

void TRIVEX_MANAGEMENT_WRAPPER::SelectDefaultLUT() {
    table_.command = kSelectDefaultLut;
    WriteStruct();
}

void TRIVEX_MANAGEMENT_WRAPPER::SelectCustomLUT() {
    table_.command = kSelectCustomLut;
    WriteStruct();
}
