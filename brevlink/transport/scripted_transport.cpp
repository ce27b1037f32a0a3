#include "brevlink/transport/scripted_transport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace brevlink {

std::string HexBytes(const uint8_t* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", data[i]);
        text += hex;
    }
    return text;
}

ScriptedTransport& ScriptedTransport::ExpectWrite(uint8_t address, std::vector<uint8_t> bytes, bool ack) {
    steps_.push_back(Step{true, address, std::move(bytes), ack});
    return *this;
}

ScriptedTransport& ScriptedTransport::ExpectRead(uint8_t address, std::vector<uint8_t> bytes, bool ok) {
    steps_.push_back(Step{false, address, std::move(bytes), ok});
    return *this;
}

const ScriptedTransport::Step* ScriptedTransport::Next(bool write, uint8_t address) {
    const char* kind = write ? "write" : "read";
    char text[96];
    if (next_ >= steps_.size()) {
        std::snprintf(text, sizeof text, "unexpected %s at 0x%02X after the script ended", kind, address);
        mismatches_.push_back(text);
        return nullptr;
    }
    const Step& step = steps_[next_++];
    if (step.write != write || step.address != address) {
        std::snprintf(text, sizeof text, "step %zu: expected %s at 0x%02X, got %s at 0x%02X", next_,
                      step.write ? "write" : "read", step.address, kind, address);
        mismatches_.push_back(text);
    }
    return &step;
}

bool ScriptedTransport::Write(uint8_t address, const uint8_t* data, size_t size) {
    const Step* step = Next(true, address);
    if (step == nullptr) {
        return false;
    }
    if (step->write && (step->bytes.size() != size || !std::equal(step->bytes.begin(), step->bytes.end(), data))) {
        mismatches_.push_back("step " + std::to_string(next_) + ": expected write " +
                              HexBytes(step->bytes.data(), step->bytes.size()) + ", got " + HexBytes(data, size));
    }
    return step->ok;
}

bool ScriptedTransport::Read(uint8_t address, uint8_t* data, size_t size) {
    const Step* step = Next(false, address);
    if (step == nullptr) {
        return false;
    }
    std::fill(data, data + size, padding_);
    if (!step->write && !step->bytes.empty()) {
        std::memcpy(data, step->bytes.data(), std::min(size, step->bytes.size()));
    }
    return step->ok;
}

}  // namespace brevlink
