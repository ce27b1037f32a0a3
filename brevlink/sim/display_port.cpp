#include "brevlink/sim/display_port.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace brevlink::sim {
namespace {

bool Contains(const std::vector<uint8_t>& codes, uint8_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Garbling keeps the checksum right, so the host takes the bytes and its parser meets them:
// every closing parenthesis is lost and every eleventh character turns to noise.
void Garble(uint16_t offset, uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == ')') {
            data[i] = ' ';
        }
        if ((offset + i) % 11 == 5) {
            data[i] = 0xFF;
        }
    }
}

}  // namespace

DisplayPort::DisplayPort(MonitorModel& model, std::string capabilities, Faults faults)
    : model_(model), capabilities_(std::move(capabilities)), faults_(std::move(faults)) {
    quirkWire_.PowerOn(model_);
}

bool DisplayPort::Write(const uint8_t* data, size_t size) {
    pending_.reset();
    NoteRequest();
    ddcci::RequestFrame frame;
    if (data == nullptr ||
        ddcci::ParseRequestWrite(ddcci::kDisplayAddress, data, size, frame, Rules()) != ddcci::FrameStatus::kOk) {
        pending_ = ddcci::BuildNullMessage();
        return true;
    }
    ddcci::HostRequest request;
    if (!ddcci::DecodeHostRequest(frame.message, request)) {
        pending_ = ddcci::BuildNullMessage();
        return true;
    }
    switch (quirkWire_.OnRequest(request)) {
        case RequestFate::kLose:
            return true;
        case RequestFate::kNack:
            return false;
        case RequestFate::kNull:
            pending_ = ddcci::BuildNullMessage();
            return true;
        case RequestFate::kServe:
            break;
    }
    switch (request.opcode) {
        case ddcci::kOpGetVcp:
            AnswerGetVcp(request.vcpCode);
            break;
        case ddcci::kOpSetVcp:
            AnswerSetVcp(request.vcpCode, request.value);
            break;
        case ddcci::kOpCapabilitiesRequest:
            AnswerCapabilities(request.offset);
            break;
        case ddcci::kOpSaveSettings:
            break;  // nothing to answer; the values are kept anyway
        case ddcci::kOpTimingRequest:
            AnswerTiming();
            break;
        case ddcci::kOpTableRead:
            AnswerTableRead(request.vcpCode, request.offset);
            break;
        case ddcci::kOpTableWrite:
            AnswerTableWrite(request);
            break;
        default:
            pending_ = ddcci::BuildNullMessage();
            break;
    }
    return true;
}

bool DisplayPort::Read(uint8_t* data, size_t size) {
    if (!pending_ || data == nullptr) {
        return false;
    }
    if (NotReadyYet(data, size)) {
        return true;
    }
    const size_t copied = std::min(size, pending_->size);
    std::memcpy(data, pending_->Data(), copied);
    std::memset(data + copied, 0, size - copied);
    if (wire_.replyOnce) {
        pending_.reset();
    }
    return true;
}

void DisplayPort::AnswerGetVcp(uint8_t code) {
    if (Contains(faults_.silentCodes, code)) {
        return;
    }
    const FeatureAnswer answer = model_.Get(code);
    if (!answer.supported && faults_.quirks.unsupported != UnsupportedAnswer::kResultCode) {
        quirkWire_.UnsupportedReply(code, pending_);
        return;
    }
    ddcci::VcpReply reply;
    reply.vcpCode = code;
    reply.resultCode = answer.supported ? ddcci::kResultNoError : ddcci::kResultUnsupported;
    reply.type = answer.momentary ? 1 : 0;
    reply.maximum = answer.maximum;
    reply.current = answer.current;

    ddcci::ReplyFault fault =
        Contains(faults_.badChecksumCodes, code) ? ddcci::ReplyFault::kBadChecksum : ddcci::ReplyFault::kNone;
    if (zeroRepliesLeft_ > 0) {
        --zeroRepliesLeft_;
        if (faults_.zeroStyle == ZeroStyle::kBytes) {
            fault = ddcci::ReplyFault::kAllZero;
        } else {
            reply.maximum = 0;
            reply.current = 0;
        }
    }
    quirkWire_.AdjustReply(reply);
    pending_ = quirkWire_.OnReply(ddcci::BuildReply(ddcci::VcpReplyMessage(reply), fault), true);
    quirkWire_.AfterGet(code, model_);
}

void DisplayPort::AnswerSetVcp(uint8_t code, uint16_t value) {
    const bool ignored = faults_.ignoreAllWrites || Contains(faults_.ignoredWriteCodes, code);
    const uint32_t restoresBefore = model_.Restores();
    const VcpFeature* feature = model_.Feature(code);
    const uint16_t before = feature != nullptr ? feature->current : 0;
    const bool applied = !ignored && model_.Set(code, value);
    model_.RecordWrite(code, value, applied);
    quirkWire_.AfterSet(code, value, before, applied);
    if (model_.Restores() != restoresBefore) {
        zeroRepliesLeft_ = faults_.zeroRepliesAfterRestore;
    }
}

void DisplayPort::AnswerCapabilities(uint16_t offset) {
    const std::optional<std::string> sent = quirkWire_.CapabilitiesAsSent(capabilities_);
    if (!sent) {
        return;
    }
    uint8_t chunk[ddcci::kMaxPayload] = {};
    size_t size = 0;
    if (offset < sent->size()) {
        size = std::min(sent->size() - offset, FragmentSize());
        std::memcpy(chunk, sent->data() + offset, size);
    }
    if (faults_.garbledCapabilities) {
        Garble(offset, chunk, size);
    }
    pending_ = quirkWire_.OnReply(
        ddcci::BuildReply(ddcci::FragmentReplyMessage(ddcci::kOpCapabilitiesReply, offset, chunk, size)), false);
}

}  // namespace brevlink::sim
