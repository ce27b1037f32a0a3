// The maker's TRIVEX colour-calibration table (VCP 0xF8): a command word, three channels of seven
// gradient-section results, and the channel whose gradient is on screen. The host sees the table
// from the command word on.
#pragma once

#include "script_ext/table_layouts.h"

#include <cstdint>
#include <type_traits>

class TRIVEX_MANAGEMENT_WRAPPER {
  public:
    static constexpr uint16_t kCloseOsd = 0x0000;
    static constexpr uint16_t kGradientStep = 0x0100;  // channel n draws 0x100 * n
    static constexpr uint16_t kReadNumberCluts = 0x0400;
    static constexpr uint16_t kSelectDefaultLut = 0x0401;
    static constexpr uint16_t kSelectCustomLut = 0x0402;
    static constexpr uint16_t kCalibrateSection = 0x1800;  // section s calibrates with 0x1800 + s

    TRIVEX_MANAGEMENT_WRAPPER();

    void CloseExistingOSD();
    // Channels 1-3; any other channel clears command and channel and sends nothing.
    void DrawGradient(int channel);
    // Files the host's result under the channel on screen and returns it.
    uint16_t DrawAndCalibrateGradientSection(int section);
    uint16_t ReadNumberCLUTsSupported();
    void SelectDefaultLUT();
    void SelectCustomLUT();
    void Reset();
    // Both answer the first 16-bit word of the host's reply.
    uint16_t WriteStruct();
    uint16_t ReadStruct();

    const kestrova::script::TrivexTable& Table() const { return table_; }

  private:
    unsigned char* Buffer();

    kestrova::script::TrivexTable table_;
};

static_assert(sizeof(TRIVEX_MANAGEMENT_WRAPPER) == sizeof(kestrova::script::TrivexTable));
static_assert(std::is_standard_layout_v<TRIVEX_MANAGEMENT_WRAPPER>);
