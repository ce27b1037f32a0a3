#include "brevlink/monitor_config/monitor_config_transport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace brevlink::monitor_config {
namespace {

constexpr uint8_t kEdidAddress = 0x50;
constexpr uint8_t kSegmentAddress = 0x30;
constexpr size_t kSegmentBytes = 256;
constexpr DWORD kMaxCapabilitiesLength = 4096 * 4;  // far above any monitor's; guards the allocation

std::string CodeText(uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", code);
    return text;
}

}  // namespace

MonitorConfigTransport::MonitorConfigTransport(const Api& api,
                                               HANDLE monitor,
                                               std::vector<uint8_t> edid,
                                               ProblemLog log)
    : api_(api), monitor_(monitor), edid_(std::move(edid)), log_(std::move(log)) {}

void MonitorConfigTransport::Fail(const std::string& call, DWORD error) {
    if (log_) {
        log_("monitor-config: " + call + " failed: " + DescribeError(error));
    }
}

bool MonitorConfigTransport::Write(uint8_t address, const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0) {
        return false;
    }
    switch (address) {
        case ddcci::kDisplayAddress:
            return WriteRequest(data, size);
        case kSegmentAddress:
            if (edid_.empty()) {
                return false;
            }
            edidSegment_ = data[0];
            return true;
        case kEdidAddress:
            if (edid_.empty()) {
                return false;
            }
            edidOffset_ = data[0];
            return true;
        default:
            return false;  // nothing else is reachable through the API
    }
}

bool MonitorConfigTransport::Read(uint8_t address, uint8_t* data, size_t size) {
    if (data == nullptr) {
        return false;
    }
    if (address == kEdidAddress) {
        return ReadEdidBytes(data, size);
    }
    if (address != ddcci::kDisplayAddress || !pending_) {
        return false;
    }
    const size_t copied = std::min(size, pending_->size);
    std::memcpy(data, pending_->Data(), copied);
    std::memset(data + copied, 0, size - copied);
    pending_.reset();
    return true;
}

bool MonitorConfigTransport::ReadEdidBytes(uint8_t* data, size_t size) {
    const size_t start = edidSegment_ * kSegmentBytes + edidOffset_;
    edidSegment_ = 0;  // the segment pointer holds for one read
    if (edid_.empty() || start >= edid_.size() || size > edid_.size() - start) {
        return false;
    }
    std::memcpy(data, edid_.data() + start, size);
    return true;
}

bool MonitorConfigTransport::WriteRequest(const uint8_t* data, size_t size) {
    pending_.reset();
    if (monitor_ == nullptr) {
        if (log_) {
            log_("monitor-config: no physical monitor handle, so no DDC/CI request reaches the monitor");
        }
        return false;
    }
    ddcci::RequestFrame frame;
    ddcci::HostRequest request;
    if (ddcci::ParseRequestWrite(ddcci::kDisplayAddress, data, size, frame) != ddcci::FrameStatus::kOk ||
        !ddcci::DecodeHostRequest(frame.message, request)) {
        pending_ = ddcci::BuildNullMessage();  // what a monitor answers to bytes it cannot take
        return true;
    }
    switch (request.opcode) {
        case ddcci::kOpGetVcp:
            AnswerGetVcp(request.vcpCode);
            return true;
        case ddcci::kOpSetVcp:
            if (!api_.setVcpFeature(monitor_, request.vcpCode, request.value)) {
                Fail("SetVCPFeature(" + CodeText(request.vcpCode) + ")", GetLastError());
                return false;
            }
            return true;
        case ddcci::kOpCapabilitiesRequest:
            return AnswerCapabilities(request.offset);
        case ddcci::kOpSaveSettings:
            if (!api_.saveCurrentSettings(monitor_)) {
                Fail("SaveCurrentSettings", GetLastError());
                return false;
            }
            return true;
        default:
            // Tables and the other requests have no call in the API: the monitor seems not to
            // know them.
            pending_ = ddcci::BuildNullMessage();
            return true;
    }
}

void MonitorConfigTransport::AnswerGetVcp(uint8_t code) {
    VcpCodeType type = kSetParameter;
    DWORD current = 0;
    DWORD maximum = 0;
    ddcci::VcpReply reply;
    reply.vcpCode = code;
    if (api_.getVcpFeatureAndReply(monitor_, code, &type, &current, &maximum)) {
        reply.resultCode = ddcci::kResultNoError;
        reply.type = type == kMomentary ? 1 : 0;
        reply.maximum = static_cast<uint16_t>(std::min<DWORD>(maximum, 0xFFFF));
        reply.current = static_cast<uint16_t>(std::min<DWORD>(current, 0xFFFF));
    } else {
        const DWORD error = GetLastError();
        if (error != kErrorVcpNotSupported) {
            // No reply at all: the host sees a failed read, never a value.
            Fail("GetVCPFeatureAndVCPFeatureReply(" + CodeText(code) + ")", error);
            return;
        }
        reply.resultCode = ddcci::kResultUnsupported;
    }
    pending_ = ddcci::BuildReply(ddcci::VcpReplyMessage(reply));
}

bool MonitorConfigTransport::AnswerCapabilities(uint16_t offset) {
    // A read of the string starts at offset 0: ask the monitor afresh then, and serve the later
    // fragments from that answer.
    if (offset == 0 || !capabilities_) {
        capabilities_.reset();
        DWORD length = 0;
        if (!api_.getCapabilitiesStringLength(monitor_, &length)) {
            Fail("GetCapabilitiesStringLength", GetLastError());
            return true;
        }
        if (length == 0 || length > kMaxCapabilitiesLength) {
            Fail("GetCapabilitiesStringLength (" + std::to_string(length) + " bytes)", kErrorInvalidCapabilities);
            return true;
        }
        std::string text(length, '\0');
        if (!api_.capabilitiesRequestAndReply(monitor_, text.data(), length)) {
            Fail("CapabilitiesRequestAndCapabilitiesReply", GetLastError());
            return true;
        }
        text.resize(std::strlen(text.c_str()));  // up to the terminating NUL, within the buffer
        capabilities_ = std::move(text);
    }
    uint8_t chunk[ddcci::kMaxFragmentData] = {};
    size_t size = 0;
    if (offset < capabilities_->size()) {
        size = std::min(capabilities_->size() - offset, ddcci::kMaxFragmentData);
        std::memcpy(chunk, capabilities_->data() + offset, size);
    }
    pending_ = ddcci::BuildReply(ddcci::FragmentReplyMessage(ddcci::kOpCapabilitiesReply, offset, chunk, size));
    return true;
}

}  // namespace brevlink::monitor_config
