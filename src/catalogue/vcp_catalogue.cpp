#include "catalogue/vcp_catalogue.h"

#include "catalogue/vcp_named_codes.h"

namespace kestrova::catalogue {

namespace {

constexpr uint8_t kFirstManufacturerCode = 0xE0;

void ApplyNamed(VcpEntry& entry, const NamedVcpCode& named) {
    entry.type = named.type;
    entry.access = named.access;
    entry.name = named.name;
    entry.procedure = named.procedure;
    entry.tested = false;
    entry.passed = true;
    if (named.code == kVendorKeyCode) {
        entry.note = kVendorKeyNote;
    }
}

}  // namespace

// Later steps overwrite earlier ones: generated names, then the named codes, then the manufacturer
// range, then the named codes of that range again.
VcpCatalogue::VcpCatalogue() {
    for (size_t c = 0; c < kCodeCount; ++c) {
        VcpEntry& entry = entries_[c];
        entry.code = static_cast<uint8_t>(c);
        entry.name.Format("0x%.2x Reserved", static_cast<unsigned>(c));
    }
    entries_[0x00].name = "0x00 UNDEFINED";
    entries_[0x00].note = "Not used";
    entries_[0x00].procedure = kProcedureNone;

    for (const NamedVcpCode& named : kNamedVcpCodes) {
        ApplyNamed(entries_[named.code], named);
    }
    for (size_t c = kFirstManufacturerCode; c < kCodeCount; ++c) {
        VcpEntry& entry = entries_[c];
        entry.type = kUnknownTag;
        entry.access = kUnknownTag;
        entry.name.Format("0x%.2x Mfg specific", static_cast<unsigned>(c));
        entry.procedure = kProcedureManufacturer;
        entry.tested = false;
        entry.passed = true;
    }
    for (const NamedVcpCode& named : kNamedVcpCodes) {
        if (named.code >= kFirstManufacturerCode) {
            ApplyNamed(entries_[named.code], named);
        }
    }
}

void VcpCatalogue::ResetRunState() {
    for (VcpEntry& entry : entries_) {
        entry.passed = true;
        entry.tested = false;
    }
}

void VcpCatalogue::ClearCaps() {
    for (VcpEntry& entry : entries_) {
        entry.inCaps = false;
    }
}

VcpCatalogue& Catalogue() {
    static VcpCatalogue catalogue;
    return catalogue;
}

}  // namespace kestrova::catalogue
