// Real monitors' bytes from the shared corpus, compiled in: edid/087.bin (an Acer V246HL) and the
// capabilities strings caps/002.txt and caps/004.txt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brevlink::testing {

const std::vector<uint8_t>& CorpusEdid();
const std::string& CorpusCapabilitiesOne();
const std::string& CorpusCapabilitiesTwo();

}  // namespace brevlink::testing
