#include "project/project_record.h"

#include <cstring>
#include <string_view>

namespace kestrova::project {

namespace {

void PutU16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t GetU16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

template <size_t N>
void PutText(uint8_t* at, const op::FixedText<N>& text) {
    std::memcpy(at, text.Data(), N);
    at[N - 1] = 0;
}

template <size_t N>
void GetText(const uint8_t* at, op::FixedText<N>& text) {
    text.Assign(std::string_view(reinterpret_cast<const char*>(at), N));
}

}  // namespace

ProjectBytes SerializeProjectRecord(const ProjectRecord& record) {
    ProjectBytes bytes{};
    PutU16(&bytes[kVersionOffset], record.version);
    PutText(&bytes[kTitleOffset], record.title);
    PutU16(&bytes[kTestTypeOffset], record.testType);
    PutU16(&bytes[kLevelOffset], record.level);
    PutU16(&bytes[kPluginsOffset], record.pluginBits);
    PutText(&bytes[kApplicationKeyOffset], record.applicationKey);
    std::memcpy(&bytes[kSelectionOffset], record.selection.data(), record.selection.size());
    std::memcpy(&bytes[kAdditionalTestsOffset], record.additionalTests.data(), record.additionalTests.size());
    PutText(&bytes[kCommentsOffset], record.comments);
    return bytes;
}

bool ParseProjectRecord(std::span<const uint8_t> bytes, ProjectRecord& record) {
    if (bytes.size() < kProjectRecordSize) {
        return false;
    }
    ProjectRecord parsed;
    parsed.version = GetU16(&bytes[kVersionOffset]);
    GetText(&bytes[kTitleOffset], parsed.title);
    parsed.testType = GetU16(&bytes[kTestTypeOffset]);
    parsed.level = GetU16(&bytes[kLevelOffset]);
    parsed.pluginBits = GetU16(&bytes[kPluginsOffset]);
    GetText(&bytes[kApplicationKeyOffset], parsed.applicationKey);
    std::memcpy(parsed.selection.data(), &bytes[kSelectionOffset], parsed.selection.size());
    std::memcpy(parsed.additionalTests.data(), &bytes[kAdditionalTestsOffset], parsed.additionalTests.size());
    GetText(&bytes[kCommentsOffset], parsed.comments);
    record = parsed;
    return true;
}

}  // namespace kestrova::project
