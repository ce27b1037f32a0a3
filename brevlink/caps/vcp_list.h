// The hex lists of a capabilities string: cmds(...) and vcp(...) / vcp_pNN(...).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/list_scanner.h"

namespace brevlink::caps {

// One entry per code however often the code is listed: a later listing adds its values to the
// first one, and a code listed once with values and once without is still discrete.
class VcpListBuilder {
  public:
    VcpListBuilder();
    VcpEntry& Add(uint8_t code);
    VcpEntry& Entry(uint8_t code) { return entries_[static_cast<size_t>(slots_[code])]; }
    std::vector<VcpEntry>& Entries() { return entries_; }
    const std::vector<uint8_t>& Duplicates() const { return duplicates_; }

  private:
    std::vector<VcpEntry> entries_;
    std::array<int16_t, 256> slots_;
    std::vector<uint8_t> duplicates_;
};

// Where a list stopped: kClose after its own ")", kField where a field starts inside it (its ")"
// is missing), kEnd at the end of the text.
struct ListStop {
    size_t pos = 0;
    ListToken token = ListToken::kEnd;
};

// Both start just after the list's "(".
ListStop ParseVcpList(std::string_view text, size_t pos, VcpListBuilder& builder, uint32_t& quirks);
ListStop ParseCommandList(std::string_view text, size_t pos, std::vector<uint8_t>& commands, uint32_t& quirks);

}  // namespace brevlink::caps
