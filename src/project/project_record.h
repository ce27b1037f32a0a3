// The project file: one flat little-endian record of 1691 bytes, no magic, no padding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "operator/fixed_text.h"

namespace kestrova::project {

// One byte per VCP code 0x00-0xFF: 1 selected, 0 not.
using VcpSelection = std::array<uint8_t, 256>;

inline constexpr uint16_t kProjectFormatVersion = 1;

inline constexpr uint16_t kTestTypeNotSpecified = 0;
inline constexpr uint16_t kTestTypeAutomatic = 1;
inline constexpr uint16_t kTestTypeManual = 2;

inline constexpr uint16_t kLevelNotSpecified = 0;
inline constexpr uint16_t kLevelStandard = 1;
inline constexpr uint16_t kLevelRobust = 2;

inline constexpr uint16_t kPluginVista = 1u << 0;
inline constexpr uint16_t kPluginAssetManagement = 1u << 1;
inline constexpr uint16_t kPluginTheftDeterrence = 1u << 2;
inline constexpr uint16_t kPluginZoningPip = 1u << 3;
inline constexpr uint16_t kPluginAutoPivot = 1u << 4;

inline constexpr size_t kTitleSize = 300;
inline constexpr size_t kApplicationKeySize = 3;
inline constexpr size_t kAdditionalTestsSize = 100;
inline constexpr size_t kCommentsSize = 1024;

inline constexpr size_t kVersionOffset = 0;
inline constexpr size_t kTitleOffset = kVersionOffset + 2;
inline constexpr size_t kTestTypeOffset = kTitleOffset + kTitleSize;
inline constexpr size_t kLevelOffset = kTestTypeOffset + 2;
inline constexpr size_t kPluginsOffset = kLevelOffset + 2;
inline constexpr size_t kApplicationKeyOffset = kPluginsOffset + 2;
inline constexpr size_t kSelectionOffset = kApplicationKeyOffset + kApplicationKeySize;
inline constexpr size_t kAdditionalTestsOffset = kSelectionOffset + std::tuple_size_v<VcpSelection>;
inline constexpr size_t kCommentsOffset = kAdditionalTestsOffset + kAdditionalTestsSize;
inline constexpr size_t kProjectRecordSize = kCommentsOffset + kCommentsSize;

static_assert(kTestTypeOffset == 302 && kLevelOffset == 304 && kPluginsOffset == 306);
static_assert(kApplicationKeyOffset == 308 && kSelectionOffset == 311);
static_assert(kAdditionalTestsOffset == 567 && kCommentsOffset == 667);
static_assert(kProjectRecordSize == 1691);

using ProjectBytes = std::array<uint8_t, kProjectRecordSize>;

struct ProjectRecord {
    uint16_t version = kProjectFormatVersion;
    op::FixedText<kTitleSize> title;  // at most 299 characters
    uint16_t testType = kTestTypeNotSpecified;
    uint16_t level = kLevelNotSpecified;  // 0xFFFF when saved from an editor with no level chosen
    uint16_t pluginBits = 0;
    op::FixedText<kApplicationKeySize> applicationKey;  // two characters
    VcpSelection selection{};
    std::array<uint8_t, kAdditionalTestsSize> additionalTests{};  // reserved
    op::FixedText<kCommentsSize> comments;                        // at most 1023 characters
};

ProjectBytes SerializeProjectRecord(const ProjectRecord& record);
// False when fewer than kProjectRecordSize bytes are given; `record` is then left as it was.
// Texts are cut at their first NUL and at their capacity less one.
bool ParseProjectRecord(std::span<const uint8_t> bytes, ProjectRecord& record);

}  // namespace kestrova::project
