#include "brevlink/edid/pnp_vendors.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brevlink::edid {
namespace {

// Sorted by ID for the binary search; checked below at compile time.
constexpr std::array<std::pair<std::string_view, std::string_view>, 45> kVendors = {{
    {"ACH", "Achieva Shimian"},
    {"ACI", "ASUS"},
    {"ACR", "Acer"},
    {"AMW", "AMW"},
    {"AOC", "AOC"},
    {"APP", "Apple"},
    {"AUO", "AU Optronics"},
    {"AUS", "ASUS"},
    {"BNQ", "BenQ"},
    {"BOE", "BOE"},
    {"CMN", "Chimei Innolux"},
    {"CMO", "Chi Mei Optoelectronics"},
    {"CPQ", "Compaq"},
    {"CTX", "CTX"},
    {"DEL", "Dell"},
    {"EIZ", "Eizo"},
    {"ENC", "Eizo"},
    {"FUS", "Fujitsu Siemens"},
    {"GBT", "Gigabyte"},
    {"GSM", "LG Electronics"},
    {"HEC", "Hisense"},
    {"HIQ", "Hyundai ImageQuest"},
    {"HPN", "HP"},
    {"HSD", "HannStar"},
    {"HWP", "HP"},
    {"IBM", "IBM"},
    {"IVM", "Iiyama"},
    {"LEN", "Lenovo"},
    {"LGD", "LG Display"},
    {"LPL", "LG Philips"},
    {"MEI", "Panasonic"},
    {"MSI", "MSI"},
    {"NEC", "NEC"},
    {"PHL", "Philips"},
    {"PTS", "Proview"},
    {"SAM", "Samsung"},
    {"SEC", "Samsung"},
    {"SHP", "Sharp"},
    {"SNY", "Sony"},
    {"TOS", "Toshiba"},
    {"TSB", "Toshiba"},
    {"VIZ", "Vizio"},
    {"VSC", "ViewSonic"},
    {"WAC", "Wacom"},
    {"XMI", "Xiaomi"},
}};

static_assert(std::is_sorted(kVendors.begin(), kVendors.end(), [](const auto& a, const auto& b) {
    return a.first < b.first;
}));

}  // namespace

std::string_view PnpVendorName(std::string_view pnpId) {
    auto it = std::lower_bound(kVendors.begin(), kVendors.end(), pnpId,
                               [](const auto& entry, std::string_view id) { return entry.first < id; });
    if (it == kVendors.end() || it->first != pnpId) {
        return {};
    }
    return it->second;
}

}  // namespace brevlink::edid
