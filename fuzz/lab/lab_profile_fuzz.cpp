// Any text offered as a lab profile: either a profile the lab can serve, or no profile and
// messages that each name the text, the place and the problem. A served profile's monitors then
// answer the host's channel without fault of the host's own making.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/sim/lab.h"
#include "brevlink/sim/profile_json.h"
#include "fuzz/common/fuzz_support.h"

namespace {

using namespace brevlink;
using kestrova::fuzz::Check;

constexpr char kSource[] = "fuzzed.json";

class NoWaiter : public ddcci::Waiter {
  public:
    void WaitMs(uint32_t) override {}
    uint64_t NowMs() override { return 0; }
};

void CheckRefusal(const sim::ProfileResult& result) {
    Check(!result.errors.empty());
    const std::string prefix = std::string(kSource) + ": ";
    for (const std::string& error : result.errors) {
        // "<source>: <place>: <problem>", the place never empty.
        Check(error.compare(0, prefix.size(), prefix) == 0);
        const size_t placeEnd = error.find(": ", prefix.size());
        Check(placeEnd != std::string::npos && placeEnd > prefix.size() && placeEnd + 2 < error.size());
    }
}

// Quirks that lose, corrupt, delay or gate requests may leave the capabilities unread; the others
// leave the exchange whole.
bool ExchangeIsWhole(const sim::Quirks& quirks) {
    return quirks.nackRequestsEvery == 0 && quirks.corruptionPerMille == 0 && !quirks.capabilitiesSilent &&
           !quirks.capabilitiesEmpty && !quirks.deafInStandby && !quirks.enableGate && quirks.nullsBeforeReply == 0;
}

// What the monitor sends, repeated by its quirks; the host's text ends at the first NUL.
std::string CapabilitiesAsSent(const sim::MonitorProfile& monitor) {
    std::string sent = monitor.capabilities;
    for (int i = 1; i < monitor.faults.quirks.capabilitiesRepeat; ++i) {
        sent += monitor.capabilities;
    }
    return sent;
}

void ServeProfile(const sim::LabProfile& profile) {
    std::set<int> positions;
    int previous = 0;
    for (const sim::MonitorProfile& monitor : profile.monitors) {
        Check(monitor.position >= sim::kMinPosition && monitor.position <= sim::kMaxPosition);
        Check(monitor.position > previous && positions.insert(monitor.position).second);
        previous = monitor.position;
        Check(monitor.edid.size() % 128 == 0);
    }
    sim::Lab lab(profile);
    Check(lab.Monitors().size() == profile.monitors.size());
    for (const auto& monitor : lab.Monitors()) {
        NoWaiter waiter;
        ddcci::DdcChannel channel(monitor->Bus(), waiter);
        const ddcci::CapabilitiesRead caps = channel.ReadCapabilities();
        const std::string sent = CapabilitiesAsSent(monitor->Profile());
        if (!monitor->Profile().faults.garbledCapabilities && ExchangeIsWhole(monitor->Profile().faults.quirks) &&
            sent.size() <= ddcci::kMaxCapabilitiesBytes) {
            Check(caps.status == ddcci::DdcStatus::kOk && caps.text == sent.substr(0, sent.find('\0')));
        }
        for (int code = 0; code < 256; ++code) {
            if (monitor->Profile().features[code]) {
                channel.GetVcp(static_cast<uint8_t>(code));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Relative EDID files are looked for in the lab folder, where none of the names is a file.
    const sim::ProfileResult result = sim::ParseProfile(text, kSource, KESTROVA_SOURCE_DIR "/lab");
    Check(result.profile.has_value() == result.errors.empty());
    if (result.profile) {
        ServeProfile(*result.profile);
    } else {
        CheckRefusal(result);
    }
    return 0;
}
