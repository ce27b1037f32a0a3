// The display side's wire choices (how strictly it reads requests, how long its capabilities
// fragments are), the Timing Report and the table features.
#include <algorithm>
#include <cstring>

#include "brevlink/sim/display_port.h"

namespace brevlink::sim {
namespace {

constexpr uint8_t kHorizontalFrequency = 0xAC;  // 10 Hz units
constexpr uint8_t kVerticalFrequency = 0xAE;    // 0.01 Hz units

}  // namespace

ddcci::RequestRules DisplayPort::Rules() const {
    return ddcci::RequestRules{wire_.strictSource, wire_.strictChecksum};
}

void DisplayPort::NoteRequest() {
    requestAtMs_ = clock_ != nullptr ? clock_() : 0;
}

bool DisplayPort::NotReadyYet(uint8_t* data, size_t size) {
    if (clock_ == nullptr || wire_.replyDelayMs == 0 || clock_() - requestAtMs_ >= wire_.replyDelayMs) {
        return false;
    }
    const ddcci::Packet busy = ddcci::BuildNullMessage();
    const size_t copied = std::min(size, busy.size);
    std::memcpy(data, busy.Data(), copied);
    std::memset(data + copied, 0, size - copied);
    return true;
}

size_t DisplayPort::FragmentSize() const {
    // The opcode and the offset take three bytes of what the length byte can count.
    return std::clamp<size_t>(wire_.capabilitiesFragment, 1, ddcci::kMaxPayload - 3);
}

const std::vector<uint8_t>* DisplayPort::Table(uint8_t code) const {
    const auto it = tables_.find(code);
    return it == tables_.end() ? nullptr : &it->second;
}

void DisplayPort::AnswerTiming() {
    ddcci::TimingReport report;
    report.status = wire_.timingStatus;
    report.horizontalTenHz = model_.Get(kHorizontalFrequency).current;
    report.verticalHundredthHz = model_.Get(kVerticalFrequency).current;
    pending_ = ddcci::BuildReply(ddcci::TimingReplyMessage(report));
}

void DisplayPort::AnswerTableRead(uint8_t code, uint16_t offset) {
    const VcpFeature* feature = model_.Feature(code);
    if (feature == nullptr || feature->kind != VcpKind::kTable || feature->unsupported) {
        pending_ = ddcci::BuildNullMessage();
        return;
    }
    const std::vector<uint8_t>* table = Table(code);
    size_t size = 0;
    const uint8_t* data = nullptr;
    if (table != nullptr && offset < table->size()) {
        size = std::min(table->size() - offset, ddcci::kMaxFragmentData);
        data = table->data() + offset;
    }
    pending_ = ddcci::BuildReply(ddcci::FragmentReplyMessage(ddcci::kOpTableReadReply, offset, data, size));
}

void DisplayPort::AnswerTableWrite(const ddcci::HostRequest& request) {
    VcpFeature* feature = model_.Feature(request.vcpCode);
    if (feature == nullptr || feature->kind != VcpKind::kTable || feature->access == VcpAccess::kReadOnly) {
        return;  // acknowledged and dropped, as a monitor does with a write it cannot take
    }
    std::vector<uint8_t>& draft = drafts_[request.vcpCode];
    if (request.dataSize == 0) {
        // The closing fragment: the table is complete and takes effect.
        tables_[request.vcpCode] = draft;
        drafts_.erase(request.vcpCode);
        return;
    }
    if (request.offset == 0) {
        draft.clear();
    }
    const size_t end = static_cast<size_t>(request.offset) + request.dataSize;
    if (draft.size() < end) {
        draft.resize(end, 0);
    }
    std::memcpy(draft.data() + request.offset, request.data.data(), request.dataSize);
}

}  // namespace brevlink::sim
