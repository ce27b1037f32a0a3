#include "bus/vcp_primitives.h"

#include <algorithm>
#include <cstring>

#include "bus/monitor_table.h"
#include "bus/wrapper_table.h"
#include "operator/operator_output.h"
#include "platform/clock.h"

namespace kestrova::bus {

bool RawByteLog = false;

namespace {

constexpr uint32_t kSentCapacity = 10;
constexpr uint32_t kReplyCapacity = 40;

void LogSentBytes(const uint8_t* b, uint32_t size) {
    if (size == 4) {
        op::LogLine("w %.2X %.2X %.2X %.2X ", b[0], b[1], b[2], b[3]);
    } else {
        op::LogLine("w %.2X %.2X %.2X %.2X %.2X %.2X ", b[0], b[1], b[2], b[3], b[4], b[5]);
    }
}

void LogReplyBytes(const uint8_t* b, uint32_t size) {
    if (size == 11) {
        op::LogLine("r %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X  ", b[0], b[1], b[2], b[3], b[4], b[5],
                    b[6], b[7], b[8], b[9], b[10]);
    } else {
        op::LogLine(
            "r %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X %.2X  ",
            b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15], b[16],
            b[17], b[18], b[19]);
    }
}

}  // namespace

bool ReadVcp(uint32_t code, uint32_t* minimum, uint32_t* maximum, uint32_t* current, uint32_t* unsupported) {
    if (unsupported != nullptr) {
        *unsupported = 0;
    }
    uint32_t scratch[3] = {};
    minimum = minimum != nullptr ? minimum : &scratch[0];
    maximum = maximum != nullptr ? maximum : &scratch[1];
    current = current != nullptr ? current : &scratch[2];

    const int32_t m = CurrentMonitorRecord().index;
    int attempts = 3;
    uint32_t pause = 64;
    uint32_t wait = 5;
    bool success = false;
    uint8_t sent[kSentCapacity] = {};
    uint8_t reply[kReplyCapacity] = {};

    while (attempts > 0) {
        uint32_t sentSize = kSentCapacity;
        uint32_t replySize = kReplyCapacity;
        Wrapper.WrSynLock();
        auto getRangeRtn = FindOptional<WrDDCGetRangeRtnFn>("WrDDCGetRangeRtn");
        if (getRangeRtn != nullptr) {
            success = getRangeRtn(m, code, minimum, maximum, current, wait, sent, &sentSize, reply, &replySize) != 0;
            if (replySize > 4 && reply[3] != 0) {
                if (unsupported != nullptr) {
                    *unsupported = 1;
                }
                Wrapper.WrSynUnlock();
                return false;
            }
        } else {
            if (RawByteLog) {
                op::LogLine("Old Wrapper - WrDDCGetRangeRtn");
            }
            std::memset(sent, 0, sizeof(sent));
            std::memset(reply, 0, sizeof(reply));
            success = Wrapper.WrDDCGetRange(m, code, minimum, maximum, current, wait) != 0;
        }
        Wrapper.WrSynUnlock();

        if (!success) {
            platform::SleepMs(pause);
            wait += 5;
            pause += 64;
        } else if (RawByteLog) {
            LogSentBytes(sent, sentSize);
            LogReplyBytes(reply, replySize);
        }
        --attempts;
        if (success) {
            break;
        }
    }
    return success;
}

void WriteVcp(uint32_t code, uint32_t value) {
    uint8_t sent[kSentCapacity] = {};
    uint32_t sentSize = kSentCapacity;
    const int32_t m = CurrentMonitorRecord().index;
    Wrapper.WrSynLock();
    auto sendRtn = FindOptional<WrDDCSendVCPCommandRtnFn>("WrDDCSendVCPCommandRtn");
    if (sendRtn != nullptr) {
        sendRtn(m, code, value, sent, &sentSize);
        if (RawByteLog && sentSize == 6) {
            LogSentBytes(sent, sentSize);
        }
    } else {
        Wrapper.WrDDCSendVCPCommand(m, code, value);
        if (RawByteLog) {
            op::LogLine("Old Wrapper - WrDDCSendVCPCommandRtn");
        }
    }
    Wrapper.WrSynUnlock();
}

bool GetSupportedValues(uint32_t code, uint32_t* buffer, uint32_t* size) {
    uint32_t codeCopy = code;
    const uint32_t capacity = size != nullptr ? *size : 0;
    Wrapper.WrSynLock();
    const bool ok =
        Wrapper.WrCapsDiscreteCommandSupportedValues(CurrentMonitorRecord().index, &codeCopy, buffer, size) != 0;
    Wrapper.WrSynUnlock();
    // Callers walk size / 4 values of their buffer: never let a library claim more than it holds.
    if (size != nullptr && *size > capacity) {
        *size = capacity;
    }
    return ok;
}

}  // namespace kestrova::bus
