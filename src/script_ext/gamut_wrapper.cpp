#include "script_ext/gamut_wrapper.h"

#include "script_ext/script_interface.h"

#include <cstring>

using kestrova::script::kGamutNameCapacity;

namespace {

constexpr size_t kGamutReplyBytes = offsetof(kestrova::script::GamutTable, code);

}  // namespace

GAMUT_MANAGEMENT_WRAPPER::GAMUT_MANAGEMENT_WRAPPER() : table_{} {
    std::memcpy(table_.code, "E2", 3);
    Reset();
}

void GAMUT_MANAGEMENT_WRAPPER::Reset() {
    table_.mode = table_.enable = table_.calibrated = 0;
    table_.backlightHours = 0;
    std::memset(table_.name, 0, sizeof table_.name);
    table_.whiteLum = table_.whiteX = table_.whiteY = 0.0f;
    table_.redX = table_.redY = table_.greenX = table_.greenY = table_.blueX = table_.blueY = 0.0f;
    table_.gamma = table_.gammaA0 = table_.gammaA1 = table_.gammaA2 = table_.gammaA3 = 0.0f;
    table_.offset = 0;
}

std::string GAMUT_MANAGEMENT_WRAPPER::GetGamutName() const {
    // A host reply may fill all 17 bytes: never read past the name.
    return std::string(table_.name, strnlen(table_.name, kGamutNameCapacity));
}

void GAMUT_MANAGEMENT_WRAPPER::SetGamutName(const std::string& name) {
    const size_t length = name.size() < kGamutNameCapacity ? name.size() : kGamutNameCapacity;
    std::memcpy(table_.name, name.data(), length);
    table_.name[length] = '\0';
}

void GAMUT_MANAGEMENT_WRAPPER::WriteStruct() {
    const unsigned char* reply = ScriptInterface::Instance().TableWriteCommandStruct(
        table_.code, table_.offset, reinterpret_cast<unsigned char*>(&table_), GAMUT_MANAGEMENT_STRUCT, false);
    std::memmove(&table_, reply, kGamutReplyBytes);
}

void GAMUT_MANAGEMENT_WRAPPER::ReadStruct() {
    const unsigned char* reply = ScriptInterface::Instance().TableReadCommandStruct(
        table_.code, table_.offset, reinterpret_cast<unsigned char*>(&table_), GAMUT_MANAGEMENT_STRUCT, false);
    std::memmove(&table_, reply, kGamutReplyBytes);
}
