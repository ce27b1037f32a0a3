// The 21 built-in VCP groups in index order: the requirement groups (0, 1), the plug-in groups
// (2-6) and the topic groups (7-20). A code may stand in several groups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrova::catalogue {

struct VcpGroupDefinition {
    const char* caption;      // the group's name and report table heading
    const char* description;  // the selection tree's help text
    std::span<const int32_t> codes;
    bool hasManualTest;
};

namespace group_codes {

inline constexpr int32_t kLumetraOsdCodes[] = {0x04, 0x05, 0x06, 0x08, 0x0E, 0x10, 0x12, 0x14, 0x1E, 0x16,
                                               0x18, 0x1A, 0x20, 0x30, 0x3E, 0x60, 0xB6, 0xC6, 0xDF};
inline constexpr int32_t kRecommendedCodes[] = {0x0B, 0x0C, 0x6C, 0x6E, 0x70, 0xC8, 0xC9};
inline constexpr int32_t kAssetManagementCodes[] = {0xAE, 0xC0, 0xCA, 0xD6};
inline constexpr int32_t kTheftDeterrenceCodes[] = {0xFA, 0xFB, 0xFC, 0xFD, 0xFE};
inline constexpr int32_t kAutoPivotCodes[] = {0xAA};
inline constexpr int32_t kZoningPipCodes[] = {0x86, 0x95, 0x96, 0x97, 0x98, 0xA4, 0xA5, 0xEA,
                                              0xEB, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};
inline constexpr int32_t kVistaComplianceCodes[] = {0x04, 0x08, 0x10, 0x12, 0x14, 0xB6, 0xDF, 0x16,
                                                    0x18, 0x1A, 0x6C, 0x6E, 0x70, 0x9B, 0x9C, 0x9D,
                                                    0x9E, 0x9F, 0xA0, 0x20, 0x22, 0x30, 0x32};
inline constexpr int32_t kImageAdjustmentCodes[] = {0x11, 0x13, 0x17, 0x1C, 0x1F, 0x2E, 0x66, 0x72,
                                                    0x73, 0x74, 0x75, 0x87, 0x8A, 0x90, 0xD4, 0xDC};
inline constexpr int32_t kAudioCodes[] = {0x62, 0x8D, 0x63, 0x64, 0x8F, 0x91, 0x93, 0x94};
inline constexpr int32_t kSixAxisHueCodes[] = {0x9B, 0x9C, 0x9D, 0x9E, 0x9F, 0xA0};
inline constexpr int32_t kSixAxisSaturationCodes[] = {0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E};
inline constexpr int32_t kGeometryCodes[] = {0x44, 0x46, 0x48, 0x4A, 0x4C, 0x7C, 0x7E, 0xB4, 0xB5, 0xB2, 0xDA, 0xDB};
inline constexpr int32_t kHorizontalGeometryCodes[] = {0x22, 0x24, 0x26, 0x28, 0x29, 0x2A,
                                                       0x2C, 0x40, 0x42, 0x56, 0x82, 0x88};
inline constexpr int32_t kVerticalGeometryCodes[] = {0x32, 0x34, 0x36, 0x38, 0x39, 0x3A, 0x3C, 0x41, 0x43, 0x58, 0x84};
inline constexpr int32_t kWindowsTvCodes[] = {0x9A, 0x8B};
inline constexpr int32_t kColorCodes[] = {0x8C, 0x8E, 0x92};
inline constexpr int32_t kMiscCodes[] = {0x01, 0x02, 0x03, 0x52, 0x54, 0x76, 0x78, 0xAC, 0xC2, 0xC3,
                                         0xC4, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD2, 0xD7, 0xDE};
inline constexpr int32_t kManufacturerCodes[] = {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEC,
                                                 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF8, 0xF9, 0xFF};
inline constexpr int32_t kPresetCodes[] = {0x0A, 0xB0, 0xA2};
inline constexpr int32_t kReservedCodes[] = {
    0x07, 0x09, 0x0D, 0x0F, 0x15, 0x19, 0x1B, 0x1D, 0x21, 0x23, 0x25, 0x27, 0x2B, 0x2D, 0x2F, 0x31,
    0x33, 0x35, 0x37, 0x3B, 0x3D, 0x3F, 0x45, 0x47, 0x49, 0x4B, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x53,
    0x55, 0x57, 0x5F, 0x61, 0x65, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6D, 0x6F, 0x71, 0x77, 0x79, 0x7A,
    0x7B, 0x7D, 0x7F, 0x80, 0x81, 0x83, 0x85, 0x89, 0x99, 0xA1, 0xA3, 0xA6, 0xA7, 0xA8, 0xA9, 0xAB,
    0xAD, 0xAF, 0xB1, 0xB3, 0xBF, 0xC1, 0xC5, 0xC7, 0xCB, 0xD1, 0xD3, 0xD5, 0xD8, 0xD9, 0xDD};
inline constexpr int32_t kDpvlCodes[] = {0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE};

}  // namespace group_codes

inline constexpr size_t kVcpGroupCount = 21;
inline constexpr size_t kMaxGroupCodes = 100;
inline constexpr int32_t kTheftDeterrenceGroup = 3;
inline constexpr int32_t kZoningPipGroup = 5;

inline constexpr VcpGroupDefinition kVcpGroupDefinitions[] = {
    {"Lumetra OSD Requirements", "Lumetra OSD Requirements", group_codes::kLumetraOsdCodes, false},
    {"Velmora Recommended commands", "Velmora Recommended commands", group_codes::kRecommendedCodes, false},
    {"Asset Management plugin", "Asset Management plugin", group_codes::kAssetManagementCodes, false},
    {"Theft Deterrence plugin", "Theft Deterrence plugin", group_codes::kTheftDeterrenceCodes, true},
    {"Auto Pivot plugin", "Auto Pivot plugin", group_codes::kAutoPivotCodes, false},
    {"Zoning & PIP plugin", "Zoning & PIP plugin", group_codes::kZoningPipCodes, true},
    {"Vista Compliance plugin", "Vista Compliance plugin", group_codes::kVistaComplianceCodes, false},
    {"Image Adjustment", "Image adjustments such as brightness, contrast, etc.", group_codes::kImageAdjustmentCodes,
     false},
    {"Audio", "Audio settings, playing audio through monitor speakers/connections.", group_codes::kAudioCodes, false},
    {"6-axis hue", "Hue for Red/Yellow/Green Cyan/Blue/Magenta.", group_codes::kSixAxisHueCodes, false},
    {"6-axis saturation", "Saturation for Red/Yellow/Green Cyan/Blue/Magenta.", group_codes::kSixAxisSaturationCodes,
     false},
    {"Geometry", "Screen geometry (almost all used for analog signals).", group_codes::kGeometryCodes, false},
    {"Horzontal geometry.", "Horzontal geometry.", group_codes::kHorizontalGeometryCodes, false},
    {"Vertical geometry.", "Vertical geometry.", group_codes::kVerticalGeometryCodes, false},
    {"Windows (TV)", "Window in the monitor for another video input, usually Picture-In-Picture.",
     group_codes::kWindowsTvCodes, false},
    {"Color", "Color", group_codes::kColorCodes, false},
    {"Misc", "Commands that do not easily fall in one of the other sections.", group_codes::kMiscCodes, false},
    {"Manufacturer specific", "Commands in the 0xE0 to 0xFF range are manufacturer specific.",
     group_codes::kManufacturerCodes, false},
    {"Preset Operations", "Presets restore changed settings back to factory defaults.", group_codes::kPresetCodes,
     false},
    // Shown as written: the codes are reserved by the MCCS standard, which this help text speaks of.
    {"Reserved commands", "These commands are currently undefined in the specification and can not be used.",
     group_codes::kReservedCodes, false},
    {"DPVL support", "DPVL, D  P  V  L.", group_codes::kDpvlCodes, false},
};

static_assert(std::size(kVcpGroupDefinitions) == kVcpGroupCount);

namespace detail {

constexpr bool GroupDefinitionsAreSound() {
    for (const VcpGroupDefinition& group : kVcpGroupDefinitions) {
        if (group.codes.empty() || group.codes.size() > kMaxGroupCodes) {
            return false;
        }
        for (int32_t code : group.codes) {
            if (code < 0 || code > 0xFF) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace detail

static_assert(detail::GroupDefinitionsAreSound(), "a group is empty, too long or lists a code outside 0x00-0xFF");

}  // namespace kestrova::catalogue
