// An in-memory bus for tests: it expects a script of writes and reads, answers the reads with the
// scripted bytes and records every mismatch instead of stopping at the first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

class ScriptedTransport : public I2cTransport {
  public:
    explicit ScriptedTransport(bool needsBusWaits = false) : needsBusWaits_(needsBusWaits) {}

    // `ack` false: the device does not acknowledge (Write answers false).
    ScriptedTransport& ExpectWrite(uint8_t address, std::vector<uint8_t> bytes, bool ack = true);
    // Bytes beyond the scripted ones read as the padding byte (an idle bus reads 0xFF); `ok`
    // false: the read fails.
    ScriptedTransport& ExpectRead(uint8_t address, std::vector<uint8_t> bytes, bool ok = true);
    void SetReadPadding(uint8_t byte) { padding_ = byte; }

    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    bool NeedsBusWaits() const override { return needsBusWaits_; }

    size_t Remaining() const { return steps_.size() - next_; }
    const std::vector<std::string>& Mismatches() const { return mismatches_; }

  private:
    struct Step {
        bool write = false;
        uint8_t address = 0;
        std::vector<uint8_t> bytes;
        bool ok = true;
    };

    const Step* Next(bool write, uint8_t address);

    bool needsBusWaits_;
    uint8_t padding_ = 0xFF;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<std::string> mismatches_;
};

// "51 82 01 10 AC" style, for messages.
std::string HexBytes(const uint8_t* data, size_t size);

}  // namespace brevlink
