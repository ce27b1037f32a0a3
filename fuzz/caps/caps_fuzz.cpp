// Any bytes a monitor could send: the parser must not crash, read out of bounds or break the
// promises the Wr caps exports rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/caps_query.h"

namespace {

using namespace brevlink::caps;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckEntry(const VcpEntry& entry) {
    for (size_t i = 0; i < entry.values.size(); ++i) {
        for (size_t j = i + 1; j < entry.values.size(); ++j) {
            Check(entry.values[i] != entry.values[j]);
        }
    }
    char text[80];
    std::memset(text, '#', sizeof text);
    size_t length = FormatValueList(entry, text, sizeof text);
    Check(length < sizeof text && text[length] == '\0' && std::strlen(text) == length);
    Check(length == 0 || text[length - 1] != ' ');
    uint32_t values[40];
    size_t copied = CopyValues(entry, values, 40);
    Check(copied <= 40 && copied <= entry.values.size());
    for (size_t i = 0; i < copied; ++i) {
        Check(values[i] == entry.values[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Capabilities caps = ParseCapabilities(text);
    Check((caps.quirks & kOutOfMemory) == 0);
    Check(caps.raw == text);
    Check(DiscreteCount(caps) + ContinuousCount(caps) == caps.vcp.size());
    Check(caps.listed.count() == caps.vcp.size());
    for (size_t i = 0; i < DiscreteCount(caps); ++i) {
        const VcpEntry* entry = DiscreteEntry(caps, i);
        Check(entry != nullptr && entry->hasValueList && FindEntry(caps, entry->code) == entry);
        CheckEntry(*entry);
    }
    Check(DiscreteEntry(caps, DiscreteCount(caps)) == nullptr);
    for (size_t i = 0; i < ContinuousCount(caps); ++i) {
        std::optional<uint8_t> code = ContinuousCode(caps, i);
        Check(code && IsCodeListed(caps, *code) && !FindEntry(caps, *code)->hasValueList);
    }
    Check(!ContinuousCode(caps, ContinuousCount(caps)));
    for (const VcpPage& page : caps.pages) {
        Check(page.page != 0);
        for (const VcpEntry& entry : page.entries) {
            CheckEntry(entry);
        }
    }
    size_t fieldBytes = ProtText(caps).size() + DisplayTypeText(caps).size() + ModelText(caps).size() +
                        MswhqlText(caps).size() + AssetEepText(caps).size() + MpuVersionText(caps).size();
    Check(fieldBytes <= 6 * size);
    ParseMccsVersion(MccsVersionText(caps));
    return 0;
}
