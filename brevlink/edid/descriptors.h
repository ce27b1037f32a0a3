// The four 18-byte descriptors of the base block: detailed timings and display descriptors.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brevlink/edid/edid.h"

namespace brevlink::edid {

constexpr size_t kDescriptorSize = 18;

// `d` holds kDescriptorSize bytes whose pixel clock is not zero.
DetailedTiming DecodeDetailedTiming(const uint8_t* d);

// Fills the first timing, the monitor name and the serial text from the descriptors of `block`,
// of which only the first `available` bytes exist.
void DecodeDescriptors(const uint8_t* block, size_t available, EdidInfo& info);

}  // namespace brevlink::edid
