// How a simulated monitor behaves on the wire where real monitors differ among themselves. The
// defaults are what most real monitors do, so a program written elsewhere meets a realistic
// monitor; a profile may make the monitor strict ("wire": {...} in the profile).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brevlink::sim {

struct WireBehaviour {
    // Requests: only the host source byte 0x51, and only with a right checksum (otherwise a null
    // message). Real monitors commonly take 0x50 as well and do not check.
    bool strictSource = false;
    bool strictChecksum = false;
    // The reply serves one read only; a real monitor hands it out again until the next request.
    bool replyOnce = false;
    // The EEPROM keeps the E-DDC segment pointer across a STOP, as real ones do not.
    bool segmentAcrossStop = false;
    // Data bytes per capabilities fragment; some monitors send more than the standard's 32.
    size_t capabilitiesFragment = 32;
    // The Timing Reply's status byte (sync polarities, out of range, unstable).
    uint8_t timingStatus = 0x03;
    // How long after a request the reply is ready; a read sooner gets a null message (the reply
    // stays for a later read). Needs the clock of the lab served on /dev/i2c-N (brevlink-lab-i2c):
    // the lab inside the library has none, and its host makes no waits, so there it answers at once.
    uint32_t replyDelayMs = 0;
    // Addresses a kernel driver holds on the monitor's /dev/i2c-N: I2C_SLAVE answers EBUSY,
    // I2C_SLAVE_FORCE and I2C_RDWR still reach them.
    std::vector<uint8_t> driverHolds;
};

}  // namespace brevlink::sim
