#include "fake_host.h"

#include "script_ext/host_exports.h"
#include "script_ext/table_layouts.h"

namespace fake_host {

Setup setup;
std::vector<Call> calls;

void Reset() {
    setup = Setup{};
    calls.clear();
}

namespace {

void Record(const char* name, std::vector<std::string> args) {
    calls.push_back(Call{name, std::move(args), {}, nullptr});
}

unsigned char* Struct(const char* name,
                      std::string* code,
                      uint16_t offset,
                      unsigned char** buffer,
                      std::vector<std::string> extra,
                      int type,
                      int flag) {
    std::vector<std::string> args = {*code, std::to_string(offset)};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(std::to_string(type));
    args.push_back(std::to_string(flag));
    const size_t size = kestrova::script::TableBufferSize(type);
    calls.push_back(Call{name, std::move(args), std::vector<unsigned char>(*buffer, *buffer + size), *buffer});
    static unsigned char elsewhere[8];
    switch (setup.structReply) {
        case StructReply::kBuffer:
            return *buffer;
        case StructReply::kOwnBytes:
            return setup.ownBytes.data();
        case StructReply::kNull:
            return nullptr;
        case StructReply::kNullAfterSwappingBuffer:
            *buffer = elsewhere;
            return nullptr;
    }
    return nullptr;
}

}  // namespace

}  // namespace fake_host

using fake_host::Record;
using fake_host::setup;

extern "C" {

void DiagWriteCommand(std::string* command, std::string* data) {
    Record("DiagWriteCommand", {*command, *data});
}

void DiagSendCommand(std::string* command) {
    Record("DiagSendCommand", {*command});
}

void DiagSendNoCrcCommand(std::string* command) {
    Record("DiagSendNoCrcCommand", {*command});
}

const char* DiagReadCommand(std::string* command) {
    Record("DiagReadCommand", {*command});
    return setup.readReply;
}

const char* DiagReadWithStop(std::string* command, int stop) {
    Record("DiagReadWithStop", {*command, std::to_string(stop)});
    return setup.readReply;
}

void DiagReceiveCommand(std::string* commandAndReply, std::string* bytes, int* count) {
    Record("DiagReceiveCommand", {*commandAndReply, *bytes, std::to_string(*count)});
    *commandAndReply = setup.receiveReply;
    *bytes = setup.receiveBytes;
    *count = -1;
}

void DiagSendBytesNoCrcCommand(unsigned char* bytes) {
    Record("DiagSendBytesNoCrcCommand", {reinterpret_cast<const char*>(bytes)});
}

void DiagReadBytesWithStop(unsigned char* request, unsigned char* reply, int count) {
    Record("DiagReadBytesWithStop", {reinterpret_cast<const char*>(request), std::to_string(count)});
    for (int i = 0; i < count; ++i) {
        reply[i] = static_cast<unsigned char>(0xA0 + i);
    }
}

void DiagTableWriteCommand(std::string* code, std::string* offset, std::string* count, std::string* data) {
    Record("DiagTableWriteCommand", {*code, *offset, *count, *data});
}

void DiagTableReadCommand(std::string* code, std::string* offset, std::string* count, std::string* reply) {
    Record("DiagTableReadCommand", {*code, *offset, *count, *reply});
    *reply = setup.tableReadReply;
}

unsigned char* DiagTableWriteCommandStruct(std::string* code,
                                           uint16_t offset,
                                           unsigned char** buffer,
                                           int type,
                                           int adapterFlag) {
    return fake_host::Struct("DiagTableWriteCommandStruct", code, offset, buffer, {}, type, adapterFlag);
}

unsigned char* DiagTableReadCommandStruct(std::string* code,
                                          uint16_t offset,
                                          unsigned char** buffer,
                                          int type,
                                          int adapterFlag) {
    return fake_host::Struct("DiagTableReadCommandStruct", code, offset, buffer, {}, type, adapterFlag);
}

unsigned char* DiagTableWriteCommandLargeStruct(std::string* code,
                                                uint16_t offset,
                                                unsigned char** buffer,
                                                int count,
                                                int segmentSize,
                                                int type,
                                                int adapterFlag) {
    return fake_host::Struct("DiagTableWriteCommandLargeStruct", code, offset, buffer,
                             {std::to_string(count), std::to_string(segmentSize)}, type, adapterFlag);
}

unsigned char* DiagTableReadCommandLargeStruct(std::string* code,
                                               uint16_t offset,
                                               unsigned char** buffer,
                                               int count,
                                               int segmentSize,
                                               int type,
                                               int adapterFlag) {
    return fake_host::Struct("DiagTableReadCommandLargeStruct", code, offset, buffer,
                             {std::to_string(count), std::to_string(segmentSize)}, type, adapterFlag);
}

const char* DiagReadRangeCommand(std::string* command, int* current, int* minimum, int* maximum) {
    Record("DiagReadRangeCommand", {*command});
    *current = setup.rangeCurrent;
    *minimum = setup.rangeMinimum;
    *maximum = setup.rangeMaximum;
    return setup.readReply;
}

void DiagSetDDCPort(int port) {
    Record("DiagSetDDCPort", {std::to_string(port)});
}

void MBOK_MessageBox(const char* caption, const char* text) {
    Record("MBOK_MessageBox", {caption, text});
}

void LogMessageFromPython(const char* text) {
    Record("LogMessageFromPython", {text});
}

int MBYESNO_MessageBox(const char* caption, const char* text) {
    Record("MBYESNO_MessageBox", {caption, text});
    return setup.queryAnswer;
}

int EDIT_Hex_MessageBox(const char* caption, const char* text) {
    Record("EDIT_Hex_MessageBox", {caption, text});
    return setup.queryAnswer;
}

int EDIT_Int_MessageBox(const char* caption, const char* text) {
    Record("EDIT_Int_MessageBox", {caption, text});
    return setup.queryAnswer;
}

void EDIT_Cmd_MessageBox(const char* caption, const char* text, std::string* command) {
    Record("EDIT_Cmd_MessageBox", {caption, text, *command});
}

void DiagSetAltDisplayMask(uint32_t* mask) {
    Record("DiagSetAltDisplayMask", {std::to_string(*mask)});
}

void DiagGetAltDisplayMask(uint32_t* mask) {
    Record("DiagGetAltDisplayMask", {std::to_string(*mask)});
    *mask = setup.altMask;
}

void DiagUseAltDisplayMask(int use) {
    Record("DiagUseAltDisplayMask", {std::to_string(use)});
}

}  // extern "C"
