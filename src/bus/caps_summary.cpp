#include "bus/caps_summary.h"

#include <cstring>
#include <string>

#include "bus/monitor_table.h"
#include "bus/wrapper_table.h"
#include "catalogue/vcp_catalogue.h"
#include "operator/operator_output.h"

namespace kestrova::bus {

namespace {

constexpr uint32_t kCapsBufferSize = 2048;
constexpr size_t kPieceLength = 80;

void MarkInCaps(uint32_t code) {
    // Codes are 8-bit; a library answering more is not trusted with the catalogue's index.
    if (code <= 0xFF) {
        catalogue::Catalogue()[static_cast<uint8_t>(code)].inCaps = true;
    }
}

// The string as the library holds it, cut to the buffer; the caller holds the bus lock.
std::string FetchCapsString(int32_t m, uint32_t& length) {
    std::string caps(kCapsBufferSize, '\0');
    length = kCapsBufferSize;
    if (Wrapper.WrCapsGetString == nullptr) {
        length = 0;
        return caps;
    }
    Wrapper.WrCapsGetString(m, caps.data(), &length);
    caps.back() = '\0';
    return caps;
}

}  // namespace

std::string CurrentCapabilitiesString() {
    Wrapper.WrSynLock();
    uint32_t length = 0;
    std::string caps = FetchCapsString(CurrentMonitorRecord().index, length);
    Wrapper.WrSynUnlock();
    caps.resize(strnlen(caps.data(), caps.size()));
    return caps;
}

void ShowCapsSummary() {
    catalogue::Catalogue().ClearCaps();
    const int32_t m = CurrentMonitorRecord().index;

    Wrapper.WrSynLock();
    const int32_t discrete = Wrapper.WrCapsNumberOfDiscEntries(m);
    const int32_t continuous = Wrapper.WrCapsNumberOfContEntries(m);

    for (int32_t i = 0; i < discrete; ++i) {
        uint32_t code = 0;
        char values[80] = {};
        uint32_t size = sizeof(values);
        // A library whose count runs past its entries answers failure and leaves `code` alone.
        if (Wrapper.WrCapsRetrieveByIndexDiscCommand(m, static_cast<uint32_t>(i), &code, values, &size) != 0) {
            MarkInCaps(code);
        }
    }
    for (int32_t i = 0; i < continuous; ++i) {
        uint32_t code = 0;
        if (Wrapper.WrCapsRetrieveByIndexContCommand(m, static_cast<uint32_t>(i), &code) != 0) {
            MarkInCaps(code);
        }
    }
    op::LogLine("Caps - %d continuous, %d discrete commands", continuous, discrete);

    uint32_t length = 0;
    const std::string caps = FetchCapsString(m, length);
    op::LogLine("Caps -");

    // The reported length is not trusted beyond the buffer; a piece also ends at a NUL.
    const size_t usable = std::min<size_t>(length, kCapsBufferSize - 1);
    for (size_t offset = 0; offset < usable; offset += kPieceLength) {
        const size_t pieceLength = strnlen(caps.data() + offset, std::min(kPieceLength, kCapsBufferSize - offset));
        op::LogLine("%s", caps.substr(offset, pieceLength).c_str());
        if (pieceLength < kPieceLength) {
            break;
        }
    }
    Wrapper.WrSynUnlock();
}

}  // namespace kestrova::bus
