// The maker's gamut management table (VCP 0xE2): primaries, white point and gamma of one gamut.
#pragma once

#include "script_ext/table_layouts.h"

#include <cstdint>
#include <string>
#include <type_traits>

class GAMUT_MANAGEMENT_WRAPPER {
  public:
    GAMUT_MANAGEMENT_WRAPPER();

    uint8_t GetMode() const { return table_.mode; }
    void SetMode(uint8_t mode) { table_.mode = mode; }
    uint8_t GetEnable() const { return table_.enable; }
    void SetEnable(uint8_t enable) { table_.enable = enable; }
    uint8_t GetCalibrated() const { return table_.calibrated; }
    void SetCalibrated(uint8_t calibrated) { table_.calibrated = calibrated; }
    uint16_t GetBacklightHours() const { return table_.backlightHours; }
    void SetBacklightHours(uint16_t hours) { table_.backlightHours = hours; }

    // The name up to its NUL, at most 16 characters even if the host left no NUL.
    std::string GetGamutName() const;
    // Keeps the first 16 bytes of `name`.
    void SetGamutName(const std::string& name);

    float GetWhite_lum() const { return table_.whiteLum; }
    void SetWhite_lum(float value) { table_.whiteLum = value; }
    float GetWhite_x() const { return table_.whiteX; }
    void SetWhite_x(float value) { table_.whiteX = value; }
    float GetWhite_y() const { return table_.whiteY; }
    void SetWhite_y(float value) { table_.whiteY = value; }
    float GetRed_x() const { return table_.redX; }
    void SetRed_x(float value) { table_.redX = value; }
    float GetRed_y() const { return table_.redY; }
    void SetRed_y(float value) { table_.redY = value; }
    float GetGreen_x() const { return table_.greenX; }
    void SetGreen_x(float value) { table_.greenX = value; }
    float GetGreen_y() const { return table_.greenY; }
    void SetGreen_y(float value) { table_.greenY = value; }
    float GetBlue_x() const { return table_.blueX; }
    void SetBlue_x(float value) { table_.blueX = value; }
    float GetBlue_y() const { return table_.blueY; }
    void SetBlue_y(float value) { table_.blueY = value; }
    float GetGamma() const { return table_.gamma; }
    void SetGamma(float value) { table_.gamma = value; }
    float GetGamma_A0() const { return table_.gammaA0; }
    void SetGamma_A0(float value) { table_.gammaA0 = value; }
    float GetGamma_A1() const { return table_.gammaA1; }
    void SetGamma_A1(float value) { table_.gammaA1 = value; }
    float GetGamma_A2() const { return table_.gammaA2; }
    void SetGamma_A2(float value) { table_.gammaA2 = value; }
    float GetGamma_A3() const { return table_.gammaA3; }
    void SetGamma_A3(float value) { table_.gammaA3 = value; }

    void SetOffset(uint16_t offset) { table_.offset = offset; }
    void WriteStruct();
    void ReadStruct();

    const kestrova::script::GamutTable& Table() const { return table_; }

  private:
    void Reset();

    kestrova::script::GamutTable table_;
};

static_assert(sizeof(GAMUT_MANAGEMENT_WRAPPER) == sizeof(kestrova::script::GamutTable));
static_assert(std::is_standard_layout_v<GAMUT_MANAGEMENT_WRAPPER>);
