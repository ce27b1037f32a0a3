#include "script_ext/script_interface.h"

#include "platform/clock.h"
#include "script_ext/host_calls.h"

#include <cstring>

namespace {

constexpr const char* kCommunicationError = "communication error";
// "ERROR" with its NUL, left in the caller's buffer when the host reports a failed table transfer.
constexpr char kTableError[] = "ERROR";

// Shared by ReadCommand, ReadWithStop and ReadRangeCommand.
std::string lastReply;

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// The host promises a text; a null one is treated as a failed read rather than dereferenced.
void StoreReply(std::string& target, const char* reply) {
    target = reply != nullptr ? reply : kCommunicationError;
}

template <typename Export, typename... Extra>
unsigned char* TableStruct(Export hostFunction,
                           const char* code,
                           uint16_t offset,
                           unsigned char* buffer,
                           struct_types type,
                           bool flag,
                           Extra... extra) {
    if (hostFunction == nullptr) {
        return buffer;
    }
    std::string codeText = Text(code);
    // The host gets its own copy of the pointer: whatever it stores there, a failure must still
    // land in the caller's buffer.
    unsigned char* hostBuffer = buffer;
    unsigned char* reply = hostFunction(&codeText, offset, &hostBuffer, extra..., static_cast<int>(type), flag ? 1 : 0);
    if (reply != nullptr) {
        return reply;
    }
    if (buffer != nullptr) {
        std::memcpy(buffer, kTableError, sizeof kTableError);
    }
    return buffer;
}

}  // namespace

ScriptInterface* ScriptInterface::instance = nullptr;

ScriptInterface& ScriptInterface::Instance() {
    if (instance == nullptr) {
        instance = new ScriptInterface();
    }
    return *instance;
}

void ScriptInterface::Release() {
    // May be called through the singleton itself: nothing of `this` is touched after the delete.
    ScriptInterface* old = instance;
    instance = nullptr;
    delete old;
}

bool ScriptInterface::IsInstance(const ScriptInterface* object) {
    return object != nullptr && object == instance;
}

void ScriptInterface::WriteCommand(const char* command, const char* data) {
    if (auto write = KESTROVA_HOST_FUNCTION(DiagWriteCommand)) {
        std::string commandText = Text(command);
        std::string dataText = Text(data);
        write(&commandText, &dataText);
    }
}

void ScriptInterface::SendCommand(const char* command) {
    if (auto send = KESTROVA_HOST_FUNCTION(DiagSendCommand)) {
        std::string commandText = Text(command);
        send(&commandText);
    }
}

void ScriptInterface::SendCommandNoCrc(const char* command) {
    if (auto send = KESTROVA_HOST_FUNCTION(DiagSendNoCrcCommand)) {
        std::string commandText = Text(command);
        send(&commandText);
    }
}

void ScriptInterface::SendCommandBytesNoCrc(unsigned char* bytes) {
    if (auto send = KESTROVA_HOST_FUNCTION(DiagSendBytesNoCrcCommand)) {
        send(bytes);
    }
}

const char* ScriptInterface::ReadCommand(const char* command) {
    if (auto read = KESTROVA_HOST_FUNCTION(DiagReadCommand)) {
        std::string commandText = Text(command);
        StoreReply(lastReply, read(&commandText));
    } else {
        lastReply = kCommunicationError;
    }
    return lastReply.c_str();
}

const char* ScriptInterface::ReadWithStop(const char* command, int stop) {
    if (auto read = KESTROVA_HOST_FUNCTION(DiagReadWithStop)) {
        std::string commandText = Text(command);
        StoreReply(lastReply, read(&commandText, stop));
    } else {
        lastReply = kCommunicationError;
    }
    return lastReply.c_str();
}

const char* ScriptInterface::ReceiveCommand(const char* command, int count) {
    receiveReply = Text(command);
    int hostCount = count;
    if (auto receive = KESTROVA_HOST_FUNCTION(DiagReceiveCommand)) {
        receive(&receiveReply, &receiveBytes, &hostCount);
    } else {
        receiveReply = kCommunicationError;
    }
    return receiveReply.c_str();
}

void ScriptInterface::ReadBytesWithStop(unsigned char* request, unsigned char* reply, int count) {
    if (auto read = KESTROVA_HOST_FUNCTION(DiagReadBytesWithStop)) {
        read(request, reply, count);
    }
}

void ScriptInterface::TableWriteCommand(const char* code, const char* offset, const char* count, const char* data) {
    if (auto write = KESTROVA_HOST_FUNCTION(DiagTableWriteCommand)) {
        std::string texts[] = {Text(code), Text(offset), Text(count), Text(data)};
        write(&texts[0], &texts[1], &texts[2], &texts[3]);
    }
}

const char* ScriptInterface::TableReadCommand(const char* code, const char* offset, const char* count) {
    if (auto read = KESTROVA_HOST_FUNCTION(DiagTableReadCommand)) {
        std::string texts[] = {Text(code), Text(offset), Text(count)};
        read(&texts[0], &texts[1], &texts[2], &tableReadReply);
    }
    return tableReadReply.c_str();
}

unsigned char* ScriptInterface::TableWriteCommandStruct(const char* code,
                                                        uint16_t offset,
                                                        unsigned char* buffer,
                                                        struct_types type,
                                                        bool flag) {
    return TableStruct(KESTROVA_HOST_FUNCTION(DiagTableWriteCommandStruct), code, offset, buffer, type, flag);
}

unsigned char* ScriptInterface::TableReadCommandStruct(const char* code,
                                                       uint16_t offset,
                                                       unsigned char* buffer,
                                                       struct_types type,
                                                       bool flag) {
    return TableStruct(KESTROVA_HOST_FUNCTION(DiagTableReadCommandStruct), code, offset, buffer, type, flag);
}

unsigned char* ScriptInterface::TableWriteCommandLargeStruct(const char* code,
                                                             uint16_t offset,
                                                             unsigned char* buffer,
                                                             int count,
                                                             int segmentSize,
                                                             struct_types type,
                                                             bool flag) {
    return TableStruct(KESTROVA_HOST_FUNCTION(DiagTableWriteCommandLargeStruct), code, offset, buffer, type, flag,
                       count, segmentSize);
}

unsigned char* ScriptInterface::TableReadCommandLargeStruct(const char* code,
                                                            uint16_t offset,
                                                            unsigned char* buffer,
                                                            int count,
                                                            int segmentSize,
                                                            struct_types type,
                                                            bool flag) {
    return TableStruct(KESTROVA_HOST_FUNCTION(DiagTableReadCommandLargeStruct), code, offset, buffer, type, flag, count,
                       segmentSize);
}

const char* ScriptInterface::ReadRangeCommand(const char* command) {
    if (auto read = KESTROVA_HOST_FUNCTION(DiagReadRangeCommand)) {
        std::string commandText = Text(command);
        StoreReply(lastReply, read(&commandText, &currentVal, &rangeMin, &rangeMax));
    } else {
        lastReply = kCommunicationError;
    }
    currentValText = std::to_string(currentVal);
    rangeMinText = std::to_string(rangeMin);
    rangeMaxText = std::to_string(rangeMax);
    return lastReply.c_str();
}

bool ScriptInterface::SetDDCPort(bool port) {
    if (auto set = KESTROVA_HOST_FUNCTION(DiagSetDDCPort)) {
        set(port ? 1 : 0);
    }
    return true;
}

void ScriptInterface::Delay(int milliseconds) {
    // A negative delay (a script's arithmetic gone below zero) must not turn into ~49 days unsigned.
    kestrova::platform::SleepMs(milliseconds > 0 ? static_cast<uint32_t>(milliseconds) : 0);
}

void ScriptInterface::DisplayMessageBox(const char* caption, const char* text) {
    if (auto show = KESTROVA_HOST_FUNCTION(MBOK_MessageBox)) {
        show(Text(caption).c_str(), Text(text).c_str());
    }
}

int ScriptInterface::QueryMessageBox(const char* caption, const char* text) {
    auto query = KESTROVA_HOST_FUNCTION(MBYESNO_MessageBox);
    return query != nullptr ? query(Text(caption).c_str(), Text(text).c_str()) : 0;
}

int32_t ScriptInterface::QueryForIntMsgBox(const char* caption, const char* text) {
    auto query = KESTROVA_HOST_FUNCTION(EDIT_Int_MessageBox);
    return query != nullptr ? query(Text(caption).c_str(), Text(text).c_str()) : 0;
}

int ScriptInterface::QueryForHexMsgBox(const char* caption, const char* text) {
    auto query = KESTROVA_HOST_FUNCTION(EDIT_Hex_MessageBox);
    return query != nullptr ? query(Text(caption).c_str(), Text(text).c_str()) : 0;
}

void ScriptInterface::QueryForCmdMsgBox(const char* caption, const char* text, const char* command) {
    if (auto query = KESTROVA_HOST_FUNCTION(EDIT_Cmd_MessageBox)) {
        std::string commandText = Text(command);
        query(Text(caption).c_str(), Text(text).c_str(), &commandText);
    }
}

void ScriptInterface::LogMessage(const char* text) {
    LogToHost(text);
}

void ScriptInterface::LogToHost(const char* text) {
    if (auto log = KESTROVA_HOST_FUNCTION(LogMessageFromPython)) {
        log(Text(text).c_str());
    }
}

void ScriptInterface::SetAltDisplayMask(uint32_t mask) {
    if (auto set = KESTROVA_HOST_FUNCTION(DiagSetAltDisplayMask)) {
        set(&mask);
    }
}

uint32_t ScriptInterface::GetAltDisplayMask() {
    uint32_t mask = 0;
    if (auto get = KESTROVA_HOST_FUNCTION(DiagGetAltDisplayMask)) {
        get(&mask);
    }
    return mask;
}

void ScriptInterface::UseAltDisplayMask(int use) {
    if (auto set = KESTROVA_HOST_FUNCTION(DiagUseAltDisplayMask)) {
        set(use);
    }
}
