// The three VCP exchanges with the current monitor: read (with retries), write, and the discrete
// values its capabilities allow. Each exchange holds the library's bus lock.
#pragma once

#include <cstdint>

namespace kestrova::bus {

// While set, the primitives copy the bytes sent and received into the log. Cleared at start-up.
extern bool RawByteLog;

// Reads range and current value. True when the monitor answered. The unsupported flag, when given,
// is 1 only when the monitor reported the code as unsupported (the read then ends at once).
bool ReadVcp(uint32_t code, uint32_t* minimum, uint32_t* maximum, uint32_t* current, uint32_t* unsupported = nullptr);

// Sends a value; nothing is retried, verified or returned.
void WriteVcp(uint32_t code, uint32_t value);

// The discrete values the capabilities list for `code`: *size bytes in (capacity), size / 4 values
// of 32 bits out.
bool GetSupportedValues(uint32_t code, uint32_t* buffer, uint32_t* size);

}  // namespace kestrova::bus
