// VCP reads and writes over DDC/CI, with the bytes on the wire for the Rtn variants.
#include "brevlink/brevlink.h"
#include "brevlink/ddcci/packet.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"

using brevlink::Call;
using brevlink::Library;
using brevlink::MonitorSession;

namespace {

struct Range {
    uint32_t* minimum;
    uint32_t* maximum;
    uint32_t* current;
};

// Answers 1 only for a reply without error; an "unsupported" reply still gives its bytes.
int32_t GetRange(Library& library,
                 int32_t monitor,
                 uint32_t code,
                 Range range,
                 uint32_t wait,
                 brevlink::ddcci::VcpReading& reading) {
    MonitorSession* session = library.Session(monitor);
    if (session == nullptr || code > 0xFF) {
        return 0;
    }
    reading = session->GetVcp(static_cast<uint8_t>(code), wait + library.BusDelay());
    library.LogWire(monitor, "w", reading.sent.Data(), reading.sent.size);
    library.LogWire(monitor, "r", reading.received.Data(), reading.received.size);
    if (reading.status != brevlink::ddcci::DdcStatus::kOk) {
        return 0;
    }
    *range.minimum = 0;  // MCCS has no minimum: every range starts at 0
    *range.maximum = reading.reply.maximum;
    *range.current = reading.reply.current;
    return 1;
}

int32_t SetVcp(Library& library,
               int32_t monitor,
               uint32_t code,
               uint32_t value,
               brevlink::ddcci::SetVcpOutcome& outcome) {
    MonitorSession* session = library.Session(monitor);
    if (session == nullptr || code > 0xFF || value > 0xFFFF) {
        return 0;
    }
    outcome = session->SetVcp(static_cast<uint8_t>(code), static_cast<uint16_t>(value), library.BusDelay());
    library.LogWire(monitor, "w", outcome.sent.Data(), outcome.sent.size);
    return outcome.status == brevlink::ddcci::DdcStatus::kOk ? 1 : 0;
}

}  // namespace

extern "C" {

int32_t WrDDCGetRange(int32_t monitor,
                      uint32_t code,
                      uint32_t* minimum,
                      uint32_t* maximum,
                      uint32_t* current,
                      uint32_t wait) {
    return Call([&](Library& library) {
        if (minimum == nullptr || maximum == nullptr || current == nullptr) {
            return 0;
        }
        brevlink::ddcci::VcpReading reading;
        return GetRange(library, monitor, code, {minimum, maximum, current}, wait, reading);
    });
}

int32_t WrDDCGetRangeRtn(int32_t monitor,
                         uint32_t code,
                         uint32_t* minimum,
                         uint32_t* maximum,
                         uint32_t* current,
                         uint32_t wait,
                         uint8_t* sent,
                         uint32_t* sentSize,
                         uint8_t* reply,
                         uint32_t* replySize) {
    return Call([&](Library& library) {
        if (minimum == nullptr || maximum == nullptr || current == nullptr || sent == nullptr || sentSize == nullptr ||
            reply == nullptr || replySize == nullptr) {
            return 0;
        }
        brevlink::ddcci::VcpReading reading;
        const int32_t result = GetRange(library, monitor, code, {minimum, maximum, current}, wait, reading);
        // Sent from the 0x6E address byte on; the reply from its 0x6E source byte, byte 3 the result
        // code. Only a verified reply goes back: callers take a nonzero byte 3 for "unsupported",
        // and in a garbled read byte 3 is noise (the wrap log keeps those bytes).
        brevlink::PutBytes(reading.sent.Data(), reading.sent.size, sent, sentSize);
        const bool verified = reading.status == brevlink::ddcci::DdcStatus::kOk ||
                              reading.status == brevlink::ddcci::DdcStatus::kUnsupported;
        brevlink::PutBytes(reading.received.Data(), verified ? reading.received.size : 0, reply, replySize);
        return result;
    });
}

int32_t WrDDCSendVCPCommand(int32_t monitor, uint32_t code, uint32_t value) {
    return Call([&](Library& library) {
        brevlink::ddcci::SetVcpOutcome outcome;
        return SetVcp(library, monitor, code, value, outcome);
    });
}

int32_t WrDDCSendVCPCommandRtn(int32_t monitor, uint32_t code, uint32_t value, uint8_t* sent, uint32_t* sentSize) {
    return Call([&](Library& library) {
        if (sent == nullptr || sentSize == nullptr) {
            return 0;
        }
        brevlink::ddcci::SetVcpOutcome outcome;
        const int32_t result = SetVcp(library, monitor, code, value, outcome);
        // The six bytes from the length byte to the checksum (84 03 code vh vl chk): the part
        // that differs between requests, and the form a six-byte log line shows.
        const brevlink::ddcci::Packet body = brevlink::ddcci::RequestBody(outcome.sent);
        brevlink::PutBytes(body.Data(), body.size, sent, sentSize);
        return result;
    });
}

int32_t WrDDCSendVCPCommandAndVerify(int32_t monitor, uint32_t code, uint32_t value) {
    return Call([&](Library& library) {
        brevlink::ddcci::SetVcpOutcome outcome;
        if (SetVcp(library, monitor, code, value, outcome) == 0) {
            return 0;
        }
        uint32_t minimum = 0;
        uint32_t maximum = 0;
        uint32_t current = 0;
        brevlink::ddcci::VcpReading reading;
        if (GetRange(library, monitor, code, {&minimum, &maximum, &current}, 0, reading) == 0) {
            return 0;
        }
        return current == value ? 1 : 0;
    });
}

int32_t WrDDCIsOpcodeSupported(int32_t monitor, uint32_t opcode) {
    return Call([&](Library& library) {
        MonitorSession* session = library.Session(monitor);
        const brevlink::caps::Capabilities* caps = session != nullptr ? session->Capabilities() : nullptr;
        if (caps == nullptr || opcode > 0xFF) {
            return 0;
        }
        for (uint8_t command : caps->commands) {
            if (command == opcode) {
                return 1;
            }
        }
        return 0;
    });
}

int32_t WrDDCReadEDID(int32_t monitor, uint8_t* data, uint32_t* size) {
    return Call([&](Library& library) {
        MonitorSession* session = library.Session(monitor);
        if (session == nullptr || data == nullptr || size == nullptr || session->EdidBytes().empty()) {
            if (size != nullptr) {
                *size = 0;
            }
            return 0;
        }
        const std::vector<uint8_t>& bytes = session->EdidBytes();
        return brevlink::PutBytes(bytes.data(), bytes.size(), data, size);
    });
}

int32_t WrEDID(int32_t monitor, uint8_t* data, uint32_t* size) {
    return WrDDCReadEDID(monitor, data, size);
}

}  // extern "C"
