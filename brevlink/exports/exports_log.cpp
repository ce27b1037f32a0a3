// The wrap (wire) and diag logs.
#include "brevlink/brevlink.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"

using brevlink::Call;
using brevlink::Library;
using brevlink::TextLog;

namespace {

TextLog& Wrap(Library& library) {
    return library.WireLog();
}

TextLog& Diag(Library& library) {
    return library.DiagLog();
}

template <TextLog& (*Log)(Library&)>
int32_t EntrySize(uint32_t index) {
    return Call([&](Library& library) {
        const std::string* entry = Log(library).Entry(index);
        return entry == nullptr ? 0 : static_cast<int32_t>(entry->size() + 1);  // with its NUL
    });
}

template <TextLog& (*Log)(Library&)>
int32_t GetEntry(uint32_t index, char* text, uint32_t* size) {
    return Call([&](Library& library) {
        const std::string* entry = Log(library).Entry(index);
        if (entry == nullptr) {
            brevlink::ClearText(text, size);
            return 0;
        }
        return brevlink::PutText(*entry, text, size);
    });
}

}  // namespace

extern "C" {

int32_t WrLogIsWrapEnable(void) {
    return Call([](Library& library) { return library.WireLog().Enabled() ? 1 : 0; });
}

int32_t WrLogEnableWrap(uint32_t level) {
    return Call([&](Library& library) {
        library.WireLog().Enable(level);
        return 1;
    });
}

int32_t WrLogDisableWrap(void) {
    return Call([](Library& library) {
        library.WireLog().Disable();
        return 1;
    });
}

int32_t WrLogGetWrapSize(void) {
    return Call([](Library& library) { return static_cast<int32_t>(library.WireLog().Size()); });
}

int32_t WrLogGetWrapEntrySize(uint32_t index) {
    return EntrySize<Wrap>(index);
}

int32_t WrLogGetWrapEntry(uint32_t index, char* text, uint32_t* size) {
    return GetEntry<Wrap>(index, text, size);
}

int32_t WrLogClearWrap(void) {
    return Call([](Library& library) {
        library.WireLog().Clear();
        return 1;
    });
}

int32_t WrLogIsDiagEnable(void) {
    return Call([](Library& library) { return library.DiagLog().Enabled() ? 1 : 0; });
}

int32_t WrLogEnableDiag(uint32_t level) {
    return Call([&](Library& library) {
        library.DiagLog().Enable(level);
        return 1;
    });
}

int32_t WrLogDisableDiag(void) {
    return Call([](Library& library) {
        library.DiagLog().Disable();
        return 1;
    });
}

int32_t WrLogGetDiagSize(void) {
    return Call([](Library& library) { return static_cast<int32_t>(library.DiagLog().Size()); });
}

int32_t WrLogGetDiagEntrySize(uint32_t index) {
    return EntrySize<Diag>(index);
}

int32_t WrLogGetDiagEntry(uint32_t index, char* text, uint32_t* size) {
    return GetEntry<Diag>(index, text, size);
}

int32_t WrLogClearDiag(void) {
    return Call([](Library& library) {
        library.DiagLog().Clear();
        return 1;
    });
}

int32_t WrLogAddDiagEntry(const char* text) {
    return Call([&](Library& library) {
        if (text == nullptr) {
            return 0;
        }
        library.DiagLog().Add(text);
        return library.DiagLog().Enabled() ? 1 : 0;
    });
}

}  // extern "C"
