#include "engine/discrete_value_tables.h"

#include <cstdio>

namespace kestrova::engine {

namespace {

constexpr ValueName kColorPresets[] = {
    {0x01, "sRGB"},  {0x02, "Display native"}, {0x03, "4000K"}, {0x04, "5000K"},  {0x05, "6500K"},
    {0x06, "7500K"}, {0x07, "8200K"},          {0x08, "9300K"}, {0x09, "10000K"}, {0x0A, "11500K"},
    {0x0B, "User1"}, {0x0C, "User2"},          {0x0D, "User3"},
};

constexpr ValueName kDisplayModes[] = {
    {0x01, "Productivity, Office"},
    {0x02, "Mixed"},
    {0x03, "Movie"},
    {0x04, "User defined"},
    {0x05, "Games"},
    {0x06, "Sports"},
    {0x07, "Professional"},
    {0x08, "Standard/default intermediate power"},
    {0x09, "Standard/default low power"},
    {0x0A, "Demonstration"},
};

constexpr ValueName kDisplayScalings[] = {
    {0x01, "No scaling"}, {0x02, "Max Image"}, {0x03, "Max Vt 1"},  {0x04, "Max Hz 1"},     {0x05, "Max Vt 2"},
    {0x06, "Max Hz 2"},   {0x07, "Full mode"}, {0x08, "Zoom mode"}, {0x09, "Squeeze mode"}, {0x0A, "Variable"},
};

constexpr ValueName kOsdLanguages[] = {
    {0x01, "Chinese"},
    {0x02, "English"},
    {0x03, "French"},
    {0x04, "German"},
    {0x05, "Italian"},
    {0x06, "Japanese"},
    {0x07, "Korean"},
    {0x08, "Portuguese"},
    {0x09, "Russian"},
    {0x0A, "Spanish"},
    {0x0B, "Swedish"},
    {0x0C, "Turkish"},
    {0x0D, "Chinese (simplified)"},
    {0x0E, "Portuguese (Brazil)"},
    {0x0F, "Arabic"},
    {0x10, "Bulgarian"},
    {0x11, "Croatian"},
    {0x12, "Czech"},
    {0x13, "Danish"},
    {0x14, "Dutch"},
    {0x15, "Estonian"},
    {0x16, "Finnish"},
    {0x17, "Greek"},
    {0x18, "Hebrew"},
    {0x19, "Hindi"},
    {0x1A, "Hungarian"},
    {0x1B, "Latvian"},
    {0x1C, "Lithuanian"},
    {0x1D, "Norwegian"},
    {0x1E, "Polish"},
    {0x1F, "Romanian"},
    {0x20, "Serbian"},
    {0x21, "Slovak"},
    {0x22, "Slovenian"},
    {0x23, "Thai"},
    {0x24, "Ukrainian"},
    {0x25, "Vietnamese"},
};

constexpr ValueName kSubPixelLayouts[] = {
    {0x00, "Layout is not defined."},
    {0x01, "Red/Green/Blue vertical stripe."},
    {0x02, "Red/Green/Blue horizontal stripe."},
    {0x03, "Blue/Green/Red vertical stripe."},
    {0x04, "Blue/Green/Red  horizontal stripe."},
    {0x05, "Quad-pixel red at top left."},
    {0x06, "Quad-pixel red at bottom left."},
    {0x07, "Delta (triad)."},
    {0x08, "Mosaic."},
};

constexpr ValueName kDisplayTechnologies[] = {
    {0x01, "CRT (shadowmask)"},
    {0x02, "CRT (aperture grill)"},
    {0x03, "TFT"},
    {0x04, "LCoS"},
    {0x05, "Plasma"},
    {0x06, "OLED"},
    {0x07, "EL"},
    {0x08, "MEM"},
};

constexpr ValueName kControllerTypes[] = {
    {0x01, "Conexant"},
    {0x02, "Genesis Microchip"},
    {0x03, "Macronix"},
    {0x04, "MRT"},
    {0x05, "Mstar"},
    {0x06, "Myson"},
    {0x07, "Philips"},
    {0x08, "PixelWorks"},
    {0x09, "RealTek"},
    {0x0A, "Sage"},
    {0x0B, "Silicon Image"},
    {0x0C, "SmartASIC"},
    {0x0D, "STMicroelectronics"},
    {0x0E, "Topro"},
    {0x0F, "Trumpion"},
    {0x10, "Welltrend"},
    {0x11, "Samsung"},
    {0x12, "Novatek"},
    {0x13, "STK"},
    {0xFF, "Not defined"},
};

// The source names as the engineer is asked about them, blanks and repeats as the panel shows them.
constexpr ValueName kInputSources[] = {
    {1, "Analog Video 1"},
    {2, "Analog Video 2"},
    {3, "Digital Video (TMDS) 1"},
    {4, "HDMI or DVI 2"},
    {5, " Composite Video 1"},
    {6, "Composite Video 2"},
    {7, "S-Video 1"},
    {8, "S-Video 2"},
    {9, "Tuner 1"},
    {10, "Tuner 2"},
    {11, "Tuner 3"},
    {12, "Component Video 1"},
    {13, "Component Video 2"},
    {14, "Component Video 3"},
    {17, "Analog Video"},
    {19, "Digital Video (TMDS)"},
    {20, "HDMI or DVI 2"},
    {21, " Composite Video"},
    {23, "S-Video"},
    {25, "Tuner"},
    {28, "Component Video 1"},
    {29, "Component Video 2"},
};

}  // namespace

std::span<const ValueName> ColorPresetNames() {
    return kColorPresets;
}
std::span<const ValueName> DisplayModeNames() {
    return kDisplayModes;
}
std::span<const ValueName> DisplayScalingNames() {
    return kDisplayScalings;
}
std::span<const ValueName> OsdLanguageNames() {
    return kOsdLanguages;
}
std::span<const ValueName> SubPixelLayoutNames() {
    return kSubPixelLayouts;
}
std::span<const ValueName> DisplayTechnologyNames() {
    return kDisplayTechnologies;
}
std::span<const ValueName> ControllerTypeNames() {
    return kControllerTypes;
}

const char* FindValueName(std::span<const ValueName> table, int32_t value) {
    for (const ValueName& entry : table) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return nullptr;
}

std::optional<std::string> ValueLine(std::span<const ValueName> table, int32_t value) {
    const char* name = FindValueName(table, value);
    if (name == nullptr) {
        return std::nullopt;
    }
    char prefix[16];
    std::snprintf(prefix, sizeof(prefix), "0x%02X - ", static_cast<unsigned>(value));
    return std::string(prefix) + name + "<BR>";
}

const char* InputSourceName(int32_t value) {
    const char* name = FindValueName(kInputSources, value);
    return name != nullptr ? name : "UNKNOWN";
}

}  // namespace kestrova::engine
