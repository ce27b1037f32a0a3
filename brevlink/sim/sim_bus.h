// One simulated monitor's bus: the transport the host's DDC/CI channel and EDID reader use,
// exactly as they use a real /dev/i2c-N adapter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brevlink/sim/display_port.h"
#include "brevlink/sim/edid_eeprom.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink::sim {

class SimBus : public I2cTransport {
  public:
    SimBus(DisplayPort& port, EdidEeprom& eeprom) : port_(port), eeprom_(eeprom) {}

    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    // One transaction: the EEPROM sees a single STOP at its end.
    bool Transfer(I2cMessage* messages, size_t count) override;
    bool NeedsBusWaits() const override { return false; }

    uint64_t Transactions() const { return transactions_; }

  private:
    bool WriteOne(uint8_t address, const uint8_t* data, size_t size);
    bool ReadOne(uint8_t address, uint8_t* data, size_t size);

    DisplayPort& port_;
    EdidEeprom& eeprom_;
    uint64_t transactions_ = 0;
};

}  // namespace brevlink::sim
