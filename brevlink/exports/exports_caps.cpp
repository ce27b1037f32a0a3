// The capabilities string and what the parser found in it.
#include <cctype>
#include <string_view>

#include "brevlink/brevlink.h"
#include "brevlink/caps/caps_query.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"

using brevlink::Call;
using brevlink::Library;
namespace caps = brevlink::caps;

namespace {

const caps::Capabilities* CapsOf(Library& library, int32_t monitor) {
    brevlink::MonitorSession* session = library.Session(monitor);
    return session != nullptr ? session->Capabilities() : nullptr;
}

// A field as text; 0 (and an empty text) when the monitor has no capabilities or no such field.
int32_t FieldText(int32_t monitor, char* text, uint32_t* size, std::string_view (*field)(const caps::Capabilities&)) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        const std::string_view value = parsed != nullptr ? field(*parsed) : std::string_view();
        if (value.empty()) {
            brevlink::ClearText(text, size);
            return 0;
        }
        return brevlink::PutText(value, text, size);
    });
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" {

int32_t WrCapsGetCapstrSize(int32_t monitor) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        return parsed != nullptr ? static_cast<int32_t>(parsed->raw.size()) : 0;
    });
}

int32_t WrCapsGetSize(int32_t monitor) {
    return WrCapsGetCapstrSize(monitor);
}

int32_t WrCapsParse(int32_t monitor) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        return session != nullptr && session->Reparse() ? 1 : 0;
    });
}

int32_t WrCapsGetString(int32_t monitor, char* text, uint32_t* size) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        if (parsed == nullptr) {
            brevlink::ClearText(text, size);
            return 0;
        }
        return brevlink::PutText(parsed->raw, text, size);
    });
}

int32_t WrCapsSetString(int32_t monitor, const char* text) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        if (session == nullptr || text == nullptr) {
            return 0;
        }
        session->OverrideCapabilities(text);
        return 1;
    });
}

int32_t WrCapsNumberOfDiscEntries(int32_t monitor) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        return parsed != nullptr ? static_cast<int32_t>(caps::DiscreteCount(*parsed)) : 0;
    });
}

int32_t WrCapsNumberOfContEntries(int32_t monitor) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        return parsed != nullptr ? static_cast<int32_t>(caps::ContinuousCount(*parsed)) : 0;
    });
}

int32_t WrCapsRetrieveByIndexDiscCommand(int32_t monitor,
                                         uint32_t index,
                                         uint32_t* code,
                                         char* values,
                                         uint32_t* size) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        const caps::VcpEntry* entry = parsed != nullptr ? caps::DiscreteEntry(*parsed, index) : nullptr;
        if (entry == nullptr || code == nullptr || values == nullptr || size == nullptr || *size == 0) {
            brevlink::ClearText(values, size);
            return 0;
        }
        *code = entry->code;
        // The values as the string lists them, "01 05 08"; a value that does not fit is left out whole.
        *size = static_cast<uint32_t>(caps::FormatValueList(*entry, values, *size));
        return 1;
    });
}

int32_t WrCapsRetrieveByIndexContCommand(int32_t monitor, uint32_t index, uint32_t* code) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        const std::optional<uint8_t> found =
            parsed != nullptr ? caps::ContinuousCode(*parsed, index) : std::optional<uint8_t>();
        if (!found || code == nullptr) {
            return 0;
        }
        *code = *found;
        return 1;
    });
}

int32_t WrCapsDiscreteCommandSupportedValues(int32_t monitor, uint32_t* code, uint32_t* values, uint32_t* size) {
    return Call([&](Library& library) {
        if (code == nullptr || values == nullptr || size == nullptr) {
            return 0;
        }
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        const caps::VcpEntry* entry =
            parsed != nullptr && *code <= 0xFF ? caps::FindEntry(*parsed, static_cast<uint8_t>(*code)) : nullptr;
        if (entry == nullptr) {
            *size = 0;
            return 0;
        }
        // As many whole values as the buffer holds; a code listed without values gives none.
        const size_t copied = caps::CopyValues(*entry, values, *size / sizeof(uint32_t));
        *size = static_cast<uint32_t>(copied * sizeof(uint32_t));
        return 1;
    });
}

int32_t WrCapsIsCapSupported(int32_t monitor, uint32_t code) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        return parsed != nullptr && code <= 0xFF && caps::IsCodeListed(*parsed, static_cast<uint8_t>(code)) ? 1 : 0;
    });
}

int32_t WrCapsDisplayType(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::DisplayTypeText);
}

int32_t WrCapsMCCSVersion(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::MccsVersionText);
}

int32_t WrCapsProt(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::ProtText);
}

int32_t WrCapsModel(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::ModelText);
}

int32_t WrCapsMpuVer(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::MpuVersionText);
}

int32_t WrCapsAssetEep(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::AssetEepText);
}

int32_t WrCapsMswhql(int32_t monitor, char* text, uint32_t* size) {
    return FieldText(monitor, text, size, &caps::MswhqlText);
}

int32_t WrCapsGet(int32_t monitor, const char* keyword, char* text, uint32_t* size) {
    return Call([&](Library& library) {
        const caps::Capabilities* parsed = CapsOf(library, monitor);
        if (parsed != nullptr && keyword != nullptr) {
            for (const caps::CapsField& field : parsed->fields) {
                if (SameWord(field.name, keyword)) {
                    return brevlink::PutText(field.value, text, size);
                }
            }
        }
        brevlink::ClearText(text, size);
        return 0;
    });
}

}  // extern "C"
