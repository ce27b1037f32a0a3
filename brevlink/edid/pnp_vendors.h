// Maker names for the PnP IDs seen most on monitors. IDs not listed are shown as their letters.
#pragma once

#include <string_view>

namespace brevlink::edid {

// The maker's name for a three-letter PnP ID, or an empty view when the ID is not in the table.
std::string_view PnpVendorName(std::string_view pnpId);

}  // namespace brevlink::edid
