#include "script_ext/host/script_host.h"

#include "script_ext/host/command_text.h"

#include <cstring>

namespace kestrova::lmscript {

namespace {

// DDC/CI opcodes lmscript carries out.
constexpr uint8_t kGetVcpRequest = 0x01;
constexpr uint8_t kGetVcpReply = 0x02;
constexpr uint8_t kSetVcp = 0x03;
constexpr uint8_t kSaveSettings = 0x0C;
constexpr uint8_t kLengthFlag = 0x80;
constexpr int kMaxFramedPayload = 0x7F;

std::vector<uint8_t> Unframe(const unsigned char* framed) {
    const int length = framed[0] & kMaxFramedPayload;
    return std::vector<uint8_t>(framed + 1, framed + 1 + length);
}

}  // namespace

ScriptHost::ScriptHost(MonitorBus& bus, int monitor, Prompter& prompter, std::ostream& log)
    : bus_(bus), monitor_(monitor), prompter_(prompter), log_(log) {}

int ScriptHost::Monitor() {
    if (!useAltMask_) {
        return monitor_;
    }
    return FirstMonitor(altMask_ & bus_.AttachedMask());
}

void ScriptHost::Write(const std::string& code, const std::string& value) {
    const auto vcp = ParseVcpCode(code);
    const auto number = ParseNumber(value, 0xFFFF);
    if (!vcp || !number) {
        log_ << "lmscript: ignored VCP write \"" << code << "\" \"" << value << "\": " << kInvalidCommand << "\n";
        return;
    }
    const int monitor = Monitor();
    if (monitor == 0 || !bus_.WriteVcp(monitor, *vcp, static_cast<uint16_t>(*number))) {
        log_ << "lmscript: VCP write " << code << " := " << value << " failed\n";
    }
}

std::string ScriptHost::Read(const std::string& code) {
    const auto vcp = ParseVcpCode(code);
    if (!vcp) {
        return kInvalidCommand;
    }
    VcpValue value;
    const int monitor = Monitor();
    if (monitor == 0 || !bus_.ReadVcp(monitor, *vcp, value)) {
        return kCommunicationError;
    }
    return std::to_string(value.current);
}

std::string ScriptHost::ReadRange(const std::string& code, int& current, int& minimum, int& maximum) {
    const auto vcp = ParseVcpCode(code);
    if (!vcp) {
        return kInvalidCommand;
    }
    VcpValue value;
    const int monitor = Monitor();
    if (monitor == 0 || !bus_.ReadVcp(monitor, *vcp, value)) {
        return kCommunicationError;
    }
    // VCP values are 16-bit; MCCS ranges start at 0.
    current = static_cast<int>(value.current & 0xFFFF);
    minimum = 0;
    maximum = static_cast<int>(value.maximum & 0xFFFF);
    return "OK";
}

std::optional<std::vector<uint8_t>> ScriptHost::Perform(const std::vector<uint8_t>& payload) {
    const int monitor = Monitor();
    if (payload.empty() || monitor == 0) {
        return std::nullopt;
    }
    switch (payload[0]) {
        case kGetVcpRequest: {
            if (payload.size() != 2) {
                return std::nullopt;
            }
            VcpValue value;
            if (!bus_.ReadVcp(monitor, payload[1], value)) {
                return std::nullopt;
            }
            return std::vector<uint8_t>{kGetVcpReply,
                                        0x00,
                                        payload[1],
                                        0x00,
                                        static_cast<uint8_t>(value.maximum >> 8),
                                        static_cast<uint8_t>(value.maximum),
                                        static_cast<uint8_t>(value.current >> 8),
                                        static_cast<uint8_t>(value.current)};
        }
        case kSetVcp: {
            if (payload.size() != 4) {
                return std::nullopt;
            }
            const auto value = static_cast<uint16_t>(payload[2] << 8 | payload[3]);
            if (!bus_.WriteVcp(monitor, payload[1], value)) {
                return std::nullopt;
            }
            return std::vector<uint8_t>{};
        }
        case kSaveSettings:
            return payload.size() == 1 ? std::optional<std::vector<uint8_t>>(std::vector<uint8_t>{}) : std::nullopt;
        default:
            return std::nullopt;
    }
}

void ScriptHost::Send(const std::string& payload) {
    const auto bytes = ParseHexBytes(payload);
    if (!bytes || !Perform(*bytes)) {
        log_ << "lmscript: DDC/CI request \"" << payload << "\" failed\n";
    }
}

std::string ScriptHost::ReadWithStop(const std::string& payload, int stop) {
    const auto bytes = ParseHexBytes(payload);
    if (!bytes) {
        return kInvalidCommand;
    }
    auto reply = Perform(*bytes);
    if (!reply) {
        return kCommunicationError;
    }
    if (stop > 0 && static_cast<size_t>(stop) < reply->size()) {
        reply->resize(static_cast<size_t>(stop));
    }
    return FormatHexBytes(*reply);
}

void ScriptHost::Receive(std::string& commandAndReply, std::string& bytes, int& count) {
    const auto request = ParseHexBytes(commandAndReply);
    auto reply = request ? Perform(*request) : std::nullopt;
    if (!reply) {
        commandAndReply = request ? kCommunicationError : kInvalidCommand;
        bytes.clear();
        count = 0;
        return;
    }
    if (count > 0 && static_cast<size_t>(count) < reply->size()) {
        reply->resize(static_cast<size_t>(count));
    }
    commandAndReply = FormatHexBytes(*reply);
    bytes.assign(reply->begin(), reply->end());
    count = static_cast<int>(reply->size());
}

void ScriptHost::SendFramed(const unsigned char* framed) {
    if (framed == nullptr || !Perform(Unframe(framed))) {
        log_ << "lmscript: framed DDC/CI request failed\n";
    }
}

void ScriptHost::ReadFramed(const unsigned char* request, unsigned char* reply, int count) {
    if (request == nullptr || reply == nullptr || count <= 0) {
        return;
    }
    std::vector<uint8_t> framed(1, kLengthFlag);
    if (auto payload = Perform(Unframe(request))) {
        framed[0] = static_cast<uint8_t>(kLengthFlag | payload->size());
        framed.insert(framed.end(), payload->begin(), payload->end());
    } else {
        log_ << "lmscript: framed DDC/CI request failed\n";
    }
    const size_t size = framed.size() < static_cast<size_t>(count) ? framed.size() : static_cast<size_t>(count);
    std::memcpy(reply, framed.data(), size);
}

void ScriptHost::TableWrite(const std::string& code,
                            const std::string& offset,
                            const std::string& count,
                            const std::string& data) {
    if (!tables_.WriteBytes(code, offset, count, data)) {
        log_ << "lmscript: ignored table write \"" << code << "\" \"" << offset << "\" \"" << count
             << "\": " << kInvalidCommand << "\n";
    }
}

void ScriptHost::TableRead(const std::string& code,
                           const std::string& offset,
                           const std::string& count,
                           std::string& reply) {
    if (!tables_.ReadBytes(code, offset, count, reply)) {
        reply = kInvalidCommand;
    }
}

void ScriptHost::SetPort(int port) {
    port_ = port;
    log_ << "lmscript: DDC port " << port_ << "\n";
}

void ScriptHost::Log(const std::string& text) {
    std::string plain;
    plain.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            plain += text[i];
        }
    }
    if (plain.empty() || plain.back() != '\n') {
        plain += '\n';
    }
    log_ << plain << std::flush;
}

}  // namespace kestrova::lmscript
