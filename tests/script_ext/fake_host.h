// A host that exports every function of host_exports.h, records each call and answers what the
// test set up. Linked into test programs built with exported symbols.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fake_host {

struct Call {
    std::string name;
    std::vector<std::string> args;     // every argument as text, in order
    std::vector<unsigned char> table;  // Struct calls: the buffer as the host saw it
    unsigned char* buffer = nullptr;   // Struct calls: the buffer pointer the host received
};

// What a Struct or LargeStruct call answers.
enum class StructReply { kBuffer, kOwnBytes, kNull, kNullAfterSwappingBuffer };

struct Setup {
    const char* readReply = "reply";  // null allowed
    int rangeCurrent = 0;
    int rangeMinimum = 0;
    int rangeMaximum = 0;
    std::string receiveReply;
    std::string receiveBytes;
    std::string tableReadReply;
    StructReply structReply = StructReply::kBuffer;
    std::vector<unsigned char> ownBytes;  // the reply for kOwnBytes
    int queryAnswer = 0;
    uint32_t altMask = 0;
};

extern Setup setup;
extern std::vector<Call> calls;

// Clears the record and restores the default setup.
void Reset();

}  // namespace fake_host
