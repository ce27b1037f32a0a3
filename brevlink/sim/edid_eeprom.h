// The monitor's EDID EEPROM at I2C address 0x50, with the E-DDC segment pointer at 0x30.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brevlink::sim {

constexpr uint8_t kEdidAddress = 0x50;
constexpr uint8_t kSegmentPointerAddress = 0x30;

class EdidEeprom {
  public:
    explicit EdidEeprom(std::vector<uint8_t> edid);

    // A write sets the word offset (its first byte); the EEPROM is read-only otherwise.
    bool Write(const uint8_t* data, size_t size);
    // Reads on from the offset; past the end of the EDID the bus floats high (0xFF). No
    // acknowledge when the monitor has no EDID at all.
    bool Read(uint8_t* data, size_t size);
    // The segment pointer selects a 256-byte segment until the transaction's STOP (or, on an
    // EEPROM that keeps it across a STOP, for the next read).
    bool WriteSegment(const uint8_t* data, size_t size);
    // The end of a transaction.
    void Stop();
    void SetSegmentAcrossStop(bool keep) { segmentAcrossStop_ = keep; }

  private:
    std::vector<uint8_t> edid_;
    uint8_t offset_ = 0;
    uint8_t segment_ = 0;
    bool segmentAcrossStop_ = false;
};

}  // namespace brevlink::sim
