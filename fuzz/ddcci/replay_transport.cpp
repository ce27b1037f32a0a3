#include "fuzz/ddcci/replay_transport.h"

#include <cstring>

#include "fuzz/common/fuzz_support.h"

namespace kestrova::fuzz {

namespace ddc = brevlink::ddcci;

bool ReplayTransport::Write(uint8_t address, const uint8_t* data, size_t size) {
    Check(address == ddc::kDisplayAddress);
    // Whatever the display sent before, the host's own requests stay well formed.
    ddc::RequestFrame frame;
    Check(ddc::ParseRequestWrite(address, data, size, frame) == ddc::FrameStatus::kOk);
    ddc::HostRequest request;
    Check(ddc::DecodeHostRequest(frame.message, request));
    lastOpcode_ = request.opcode;
    ++writes_;
    return next_ < size_;
}

bool ReplayTransport::Read(uint8_t address, uint8_t* data, size_t size) {
    Check(address == ddc::kDisplayAddress);
    if (next_ >= size_) {
        return false;
    }
    const size_t taken = size < size_ - next_ ? size : size_ - next_;
    std::memcpy(data, data_ + next_, taken);
    std::memset(data + taken, 0, size - taken);
    next_ += taken;
    return true;
}

}  // namespace kestrova::fuzz
