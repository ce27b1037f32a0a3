// The named VCP codes the tester knows, as built into the catalogue. Checked at compile time:
// every name starts with its own code in upper-case hex, no code appears twice, every name fits
// the entry's 100-byte buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "catalogue/vcp_tag.h"

namespace kestrova::catalogue {

struct NamedVcpCode {
    uint8_t code;
    const char* name;
    VcpTag type;
    VcpTag access;
    uint32_t procedure;
};

inline constexpr NamedVcpCode kNamedVcpCodes[] = {
    {0x0C, "0x0C Color Temperature Request", kContinuous, kReadWrite, kProcedureContinuous},
    {0x0E, "0x0E Clock", kContinuous, kReadWrite, kProcedureContinuous},
    {0x10, "0x10 Brightness/Luminance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x12, "0x12 Contrast", kContinuous, kReadWrite, kProcedureContinuous},
    {0x13, "0x13 Backlight", kContinuous, kReadWrite, kProcedureContinuous},
    {0x16, "0x16 Red Video Gain", kContinuous, kReadWrite, kProcedureContinuous},
    {0x17, "0x17 UserColorComp", kContinuous, kReadWrite, kProcedureContinuous},
    {0x18, "0x18 Green Video Gain", kContinuous, kReadWrite, kProcedureContinuous},
    {0x1A, "0x1A Blue Video Gain", kContinuous, kReadWrite, kProcedureContinuous},
    {0x1C, "0x1C Focus", kContinuous, kReadWrite, kProcedureContinuous},
    {0x20, "0x20 Horizontal position", kContinuous, kReadWrite, kProcedureContinuous},
    {0x22, "0x22 Horizontal size", kContinuous, kReadWrite, kProcedureContinuous},
    {0x24, "0x24 Horizontal pincushion", kContinuous, kReadWrite, kProcedureContinuous},
    {0x26, "0x26 Horizontal pincushion balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x28, "0x28 Horizontal convergence", kContinuous, kReadWrite, kProcedureContinuous},
    {0x29, "0x29 Horizontal convergence MG", kContinuous, kReadWrite, kProcedureContinuous},
    {0x2A, "0x2A Horizontal Linearity", kContinuous, kReadWrite, kProcedureContinuous},
    {0x2C, "0x2C Horizontal linearity balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x30, "0x30 Vertical position", kContinuous, kReadWrite, kProcedureContinuous},
    {0x32, "0x32 Vertical size", kContinuous, kReadWrite, kProcedureContinuous},
    {0x34, "0x34 Vertical pincushion", kContinuous, kReadWrite, kProcedureContinuous},
    {0x36, "0x36 Vertical pincushion balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x38, "0x38 Vertical convergence", kContinuous, kReadWrite, kProcedureContinuous},
    {0x39, "0x39 Vertical convergence MG", kContinuous, kReadWrite, kProcedureContinuous},
    {0x3A, "0x3A Vertical linearity", kContinuous, kReadWrite, kProcedureContinuous},
    {0x3C, "0x3C Vertical linearity balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x3E, "0x3E Clock phase", kContinuous, kReadWrite, kProcedureContinuous},
    {0x40, "0x40 Key Balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x41, "0x41 Vertical Parallel Gram", kContinuous, kReadWrite, kProcedureContinuous},
    {0x42, "0x42 Horizontal Trapezoid", kContinuous, kReadWrite, kProcedureContinuous},
    {0x43, "0x43 Vertical Trapezoid", kContinuous, kReadWrite, kProcedureContinuous},
    {0x46, "0x46 Top Corner", kContinuous, kReadWrite, kProcedureContinuous},
    {0x48, "0x48 Top Corner Balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x4A, "0x4A Bottom corner", kContinuous, kReadWrite, kProcedureContinuous},
    {0x4C, "0x4C Bottom Corner Balance", kContinuous, kReadWrite, kProcedureContinuous},
    {0x56, "0x56 Horizontal moire", kContinuous, kReadWrite, kProcedureContinuous},
    {0x58, "0x58 Vertical moire", kContinuous, kReadWrite, kProcedureContinuous},
    {0x62, "0x62 Audio Speaker Vol", kContinuous, kReadWrite, kProcedureContinuous},
    {0x64, "0x64 Audio Microphone Vol", kContinuous, kReadWrite, kProcedureContinuous},
    {0x6C, "0x6C Red Video Black Level", kContinuous, kReadWrite, kProcedureContinuous},
    {0x6E, "0x6E Green Video Black Level", kContinuous, kReadWrite, kProcedureContinuous},
    {0x70, "0x70 Blue Video Black Level", kContinuous, kReadWrite, kProcedureContinuous},
    {0x7C, "0x7C Adjust Zoom", kContinuous, kReadWrite, kProcedureContinuous},
    {0x87, "0x87 Sharpness", kContinuous, kReadWrite, kProcedureContinuous},
    {0x88, "0x88 Velocity Scan Modulation", kContinuous, kReadWrite, kProcedureContinuous},
    {0x8A, "0x8A TV Color Saturation", kContinuous, kReadWrite, kProcedureContinuous},
    {0x8C, "0x8C TV-Sharpness", kContinuous, kReadWrite, kProcedureContinuous},
    {0x8E, "0x8E TV-Contrast", kContinuous, kReadWrite, kProcedureContinuous},
    {0x8F, "0x8F TV Audio treble", kContinuous, kReadWrite, kProcedureContinuous},
    {0x90, "0x90 TV-Hue", kContinuous, kReadWrite, kProcedureContinuous},
    {0x91, "0x91 TV Audio Bass", kContinuous, kReadWrite, kProcedureContinuous},
    {0x95, "0x95 Window position (TL_X)", kContinuous, kReadWrite, kProcedureContinuous},
    {0x96, "0x96 Window position (TL_Y)", kContinuous, kReadWrite, kProcedureContinuous},
    {0x97, "0x97 Window position (BR_X)", kContinuous, kReadWrite, kProcedureContinuous},
    {0x98, "0x98 Window position (BR_Y)", kContinuous, kReadWrite, kProcedureContinuous},
    {0x9A, "0x9A Window Background", kContinuous, kReadWrite, kProcedureContinuous},
    {0xA5, "0xA5 Window select", kContinuous, kReadWrite, kProcedureContinuous},
    {0xB8, "0xB8 Packet Count", kContinuous, kReadWrite, kProcedureContinuous},
    {0xB9, "0xB9 Monitor X origin", kContinuous, kReadWrite, kProcedureContinuous},
    {0xBA, "0xBA Monitor Y origin", kContinuous, kReadWrite, kProcedureContinuous},
    {0xBB, "0xBB Header Error Count", kContinuous, kReadWrite, kProcedureContinuous},
    {0xBC, "0xBC Body CRC Error Count", kContinuous, kReadWrite, kProcedureContinuous},
    {0xBD, "0xBD Client ID", kContinuous, kReadWrite, kProcedureContinuous},
    {0xF1, "0xF1 PIP Brightness", kContinuous, kReadWrite, kProcedureContinuous},
    {0xF2, "0xF2 PIP Contrast", kContinuous, kReadWrite, kProcedureContinuous},
    {0xF3, "0xF3 PIP Hue", kContinuous, kReadWrite, kProcedureContinuous},
    {0xF4, "0xF4 PIP Saturation", kContinuous, kReadWrite, kProcedureContinuous},
    {0xFB, "0xFB Theft Access Control Timeout", kContinuous, kReadWrite, kProcedureContinuous},
    {0xAC, "0xAC Horizontal Freq", kContinuous, kReadOnly, kProcedureContinuous},
    {0xAE, "0xAE Vertical Freq", kContinuous, kReadOnly, kProcedureContinuous},
    {0xC2, "0xC2 Display Descriptor Length", kContinuous, kReadOnly, kProcedureContinuous},
    {0xC9, "0xC9 Display Firmware Level", kContinuous, kReadOnly, kProcedureContinuous},
    {0x59, "0x59 6-Axis Saturation Red", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x5A, "0x5A 6-Axis Saturation Yellow", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x5B, "0x5B 6-Axis Saturation Green", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x5C, "0x5C 6-Axis Saturation Cyan", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x5D, "0x5D 6-Axis Saturation Blue", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x5E, "0x5E 6-Axis Saturation Magenta", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x9B, "0x9B 6-Axis Color Control:Red", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x9C, "0x9C 6-Axis Color Control:Yellow", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x9D, "0x9D 6-Aixs Color Control:Green", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x9E, "0x9E 6-Axis Color Control:Cyan", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x9F, "0x9F 6-Axis Color Control:Blue", kContinuous, kReadWrite, kProcedureSixAxis},
    {0xA0, "0xA0 6-Axis Color Control:Magenta", kContinuous, kReadWrite, kProcedureSixAxis},
    {0x02, "0x02 New Control Value", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x03, "0x03 Soft Controls", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x11, "0x11 FleshTones", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x2E, "0x2E GrayScale Expand", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x44, "0x44 Tilt rotation", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x54, "0x54 Performance Preserve", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x60, "0x60 Input Source", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x63, "0x63 Speaker Select", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x66, "0x66 Light Sensor", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x72, "0x72 Gamma", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x82, "0x82 HorzFlip", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x84, "0x84 VertFlip", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x86, "0x86 DisplayScaling", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x8D, "0x8D TV-audio mute", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x92, "0x92 TV Black Level/Brightness", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x93, "0x93 TV Audio Balance", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x94, "0x94 Audio Stereo Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xA4, "0xA4 Window control on/off", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xBE, "0xBE Link Control", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xC4, "0xC4 Enable display of Display Descriptor", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xCA, "0xCA OSD", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xCC, "0xCC OSD Language", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xD4, "0xD4 Stereo Video Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xD6, "0xD6 Power Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xD7, "0xD7 Auxiallry Power Output", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xDA, "0xDA Scan Format", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xDB, "0xDB Image Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xDC, "0xDC Display Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xDE, "0xDE Scratch Pad", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0xFA, "0xFA Theft Access Control Mode", kNonContinuous, kReadWrite, kProcedureNonContinuous},
    {0x0B, "0x0B Color Temperature Increment", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0x52, "0x52 Active Control", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xAA, "0xAA Auto Pivot", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xB2, "0xB2 Flat panel sub-pixel layout", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xB6, "0xB6 Display Technology Type", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xB7, "0xB7 Monitor Status", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xC0, "0xC0 Display Usage Time", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xC6, "0xC6 Application enable key", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xC8, "0xC8 Display Controller Type", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xCE, "0xCE Auxillary Display Size", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xDF, "0xDF VCP Version", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xEA, "0xEA PIP Size", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xEB, "0xEB PIP Location", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xF5, "0xF5 PIP Transparency", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xF6, "0xF6 PIP Swap", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xF7, "0xF7 PIP Polling", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0xFE, "0xFE Theft Access Control State Mode", kNonContinuous, kReadOnly, kProcedureNonContinuous},
    {0x01, "0x01 Degauss", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0xA2, "0xA2 Auto Setup on/Off", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0xB0, "0xB0 Settings", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0xB5, "0xB5 Src Color Coding", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0xFC, "0xFC Theft Access Control PIN low", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0xFD, "0xFD Theft Access Control PIN high", kNonContinuous, kWriteOnly, kProcedureNonContinuous},
    {0x04, "0x04 Restore factory defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction},
    {0x05, "0x05 Restore factory brightness/contrast defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction},
    {0x06, "0x06 Restore Geometry defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction},
    {0x08, "0x08 Restore Color defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction},
    {0x0A, "0x0A Restore TV defaults", kNonContinuous, kWriteOnly, kProcedureScreenAction},
    {0x1E, "0x1E Autosetup", kNonContinuous, kReadWrite, kProcedureScreenAction},
    {0x1F, "0x1F AutoColorSetup", kNonContinuous, kReadWrite, kProcedureScreenAction},
    {0x8B, "0x8B TV-channel up/down", kNonContinuous, kWriteOnly, kProcedureTvChannel},
    {0x14, "0x14 Select Color Preset", kTable, kReadWrite, kProcedureNonContinuous},
    {0x73, "0x73 LUT Size", kTable, kReadOnly, kProcedureTable},
    {0x74, "0x74 Single Point LUT Operation", kTable, kReadWrite, kProcedureTable},
    {0x75, "0x75 Block LUT Operation", kTable, kReadWrite, kProcedureTable},
    {0xB4, "0xB4 Src Timing Mode", kTable, kReadWrite, kProcedureTable},
    {0xC3, "0xC3 Trans Display Descriptor", kTable, kReadWrite, kProcedureTable},
    {0xD0, "0xD0 Output Select", kTable, kReadWrite, kProcedureTable},
    {0xD2, "0xD2 Asset Tag", kTable, kReadWrite, kProcedureTable},
    {0x76, "0x76 Remote Procedure Call", kTable, kWriteOnly, kProcedureTable},
    {0xCF, "0xCF Auxillary Display Data", kTable, kWriteOnly, kProcedureTable},
    {0x78, "0x78 EDID", kTable, kReadOnly, kProcedureEdid},
};

inline constexpr size_t kNamedVcpCodeCount = std::size(kNamedVcpCodes);
static_assert(kNamedVcpCodeCount == 156, "156 named codes besides 0x00");

// The only named code with a note besides 0x00.
inline constexpr uint8_t kVendorKeyCode = 0xC6;
inline constexpr const char* kVendorKeyNote = "Velmora-supplied vendor ID";

namespace detail {

constexpr int HexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

constexpr size_t Length(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

constexpr bool NamedCodesAreSound() {
    std::array<bool, 256> seen{};
    for (const NamedVcpCode& named : kNamedVcpCodes) {
        const char* n = named.name;
        if (n[0] != '0' || n[1] != 'x' || n[4] != ' ' || Length(n) > 99) {
            return false;
        }
        if (HexDigit(n[2]) * 16 + HexDigit(n[3]) != named.code || HexDigit(n[2]) < 0 || HexDigit(n[3]) < 0) {
            return false;
        }
        if (named.code == 0x00 || seen[named.code]) {
            return false;
        }
        seen[named.code] = true;
    }
    return true;
}

}  // namespace detail

static_assert(detail::NamedCodesAreSound(), "a named code's name, code or length is wrong");

}  // namespace kestrova::catalogue
