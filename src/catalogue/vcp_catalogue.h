// The catalogue of the 256 VCP codes: fixed knowledge (name, type, access, test procedure) plus the
// run state of each code. Indexed by the code itself; there is no search.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "catalogue/vcp_tag.h"
#include "operator/fixed_text.h"

namespace kestrova::catalogue {

struct VcpEntry {
    uint8_t code = 0;
    VcpTag type;
    VcpTag access;
    op::FixedText<100> name;
    op::FixedText<200> note;
    uint32_t procedure = kProcedureNone;
    bool inCaps = false;  // the monitor's capabilities string lists this code
    bool tested = false;  // the procedure has run since the last reset
    bool passed = true;
    std::string comments;  // the result text: HTML fragments, each ending in "<BR>"
};

class VcpCatalogue {
  public:
    static constexpr size_t kCodeCount = 256;

    // Builds all 256 entries.
    VcpCatalogue();

    // A uint8_t index keeps every access inside the table.
    VcpEntry& operator[](uint8_t code) { return entries_[code]; }
    const VcpEntry& operator[](uint8_t code) const { return entries_[code]; }

    // Reset: every code back to untested and passed. The result texts stay until the code runs again.
    void ResetRunState();
    void ClearCaps();

  private:
    std::array<VcpEntry, kCodeCount> entries_;
};

// The process-wide catalogue, built on first use.
VcpCatalogue& Catalogue();

}  // namespace kestrova::catalogue
