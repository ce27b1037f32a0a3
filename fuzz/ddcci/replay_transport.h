// A bus whose display answers every read with the next bytes of the fuzz input, and which checks
// that each write is a request the display side accepts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brevlink/ddcci/packet.h"
#include "brevlink/transport/i2c_transport.h"

namespace kestrova::fuzz {

class ReplayTransport : public brevlink::I2cTransport {
  public:
    ReplayTransport(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // Refused (not acknowledged) once the input is used up, so that every operation ends.
    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    // The next `size` input bytes, zeros past the end; a bus failure once the input is used up.
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    bool NeedsBusWaits() const override { return false; }

    int Writes() const { return writes_; }
    // The opcode of the last request written.
    uint8_t LastOpcode() const { return lastOpcode_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
    int writes_ = 0;
    uint8_t lastOpcode_ = 0;
};

}  // namespace kestrova::fuzz
