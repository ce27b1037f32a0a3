// lmscript's host exports: found by the script extension among the program's own symbols, so this
// file is compiled into the program itself, never into a library the linker could leave out.
#include "script_ext/host/exports.h"

#include "script_ext/host_exports.h"

namespace {

kestrova::lmscript::ScriptHost* host = nullptr;

std::string Text(const std::string* text) {
    return text != nullptr ? *text : std::string();
}

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// Texts handed back stay valid until the next call, as the extension copies them at once.
const char* Keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

unsigned char* Transfer(bool write,
                        std::string* code,
                        uint16_t offset,
                        unsigned char** buffer,
                        int count,
                        int segmentSize,
                        int type,
                        int adapterFlag) {
    if (host == nullptr || buffer == nullptr) {
        return nullptr;
    }
    return host->Transfer({write, Text(code), offset, *buffer, type, adapterFlag != 0, count, segmentSize});
}

}  // namespace

namespace kestrova::lmscript {

void InstallHost(ScriptHost* scriptHost) {
    host = scriptHost;
}

}  // namespace kestrova::lmscript

extern "C" {

void DiagWriteCommand(std::string* command, std::string* data) {
    if (host != nullptr) {
        host->Write(Text(command), Text(data));
    }
}

void DiagSendCommand(std::string* command) {
    if (host != nullptr) {
        host->Send(Text(command));
    }
}

void DiagSendNoCrcCommand(std::string* command) {
    if (host != nullptr) {
        host->Send(Text(command));
    }
}

const char* DiagReadCommand(std::string* command) {
    return Keep(host != nullptr ? host->Read(Text(command)) : kestrova::lmscript::kCommunicationError);
}

const char* DiagReadWithStop(std::string* command, int stop) {
    return Keep(host != nullptr ? host->ReadWithStop(Text(command), stop) : kestrova::lmscript::kCommunicationError);
}

void DiagReceiveCommand(std::string* commandAndReply, std::string* bytes, int* count) {
    if (host != nullptr && commandAndReply != nullptr && bytes != nullptr && count != nullptr) {
        host->Receive(*commandAndReply, *bytes, *count);
    }
}

void DiagSendBytesNoCrcCommand(unsigned char* bytes) {
    if (host != nullptr) {
        host->SendFramed(bytes);
    }
}

void DiagReadBytesWithStop(unsigned char* request, unsigned char* reply, int count) {
    if (host != nullptr) {
        host->ReadFramed(request, reply, count);
    }
}

void DiagTableWriteCommand(std::string* code, std::string* offset, std::string* count, std::string* data) {
    if (host != nullptr) {
        host->TableWrite(Text(code), Text(offset), Text(count), Text(data));
    }
}

void DiagTableReadCommand(std::string* code, std::string* offset, std::string* count, std::string* reply) {
    if (host != nullptr && reply != nullptr) {
        host->TableRead(Text(code), Text(offset), Text(count), *reply);
    }
}

unsigned char* DiagTableWriteCommandStruct(std::string* code,
                                           uint16_t offset,
                                           unsigned char** buffer,
                                           int type,
                                           int adapterFlag) {
    return Transfer(true, code, offset, buffer, 0, 0, type, adapterFlag);
}

unsigned char* DiagTableReadCommandStruct(std::string* code,
                                          uint16_t offset,
                                          unsigned char** buffer,
                                          int type,
                                          int adapterFlag) {
    return Transfer(false, code, offset, buffer, 0, 0, type, adapterFlag);
}

unsigned char* DiagTableWriteCommandLargeStruct(std::string* code,
                                                uint16_t offset,
                                                unsigned char** buffer,
                                                int count,
                                                int segmentSize,
                                                int type,
                                                int adapterFlag) {
    return Transfer(true, code, offset, buffer, count, segmentSize, type, adapterFlag);
}

unsigned char* DiagTableReadCommandLargeStruct(std::string* code,
                                               uint16_t offset,
                                               unsigned char** buffer,
                                               int count,
                                               int segmentSize,
                                               int type,
                                               int adapterFlag) {
    return Transfer(false, code, offset, buffer, count, segmentSize, type, adapterFlag);
}

const char* DiagReadRangeCommand(std::string* command, int* current, int* minimum, int* maximum) {
    if (host == nullptr || current == nullptr || minimum == nullptr || maximum == nullptr) {
        return Keep(kestrova::lmscript::kCommunicationError);
    }
    return Keep(host->ReadRange(Text(command), *current, *minimum, *maximum));
}

void DiagSetDDCPort(int port) {
    if (host != nullptr) {
        host->SetPort(port);
    }
}

void MBOK_MessageBox(const char* caption, const char* text) {
    if (host != nullptr) {
        host->Prompts().Show(Text(caption), Text(text));
    }
}

void LogMessageFromPython(const char* text) {
    if (host != nullptr) {
        host->Log(Text(text));
    }
}

int MBYESNO_MessageBox(const char* caption, const char* text) {
    return host != nullptr ? host->Prompts().YesNo(Text(caption), Text(text)) : 0;
}

int EDIT_Hex_MessageBox(const char* caption, const char* text) {
    return host != nullptr ? host->Prompts().Hex(Text(caption), Text(text)) : 0;
}

int EDIT_Int_MessageBox(const char* caption, const char* text) {
    return host != nullptr ? host->Prompts().Integer(Text(caption), Text(text)) : 0;
}

void EDIT_Cmd_MessageBox(const char* caption, const char* text, std::string* command) {
    if (host != nullptr && command != nullptr) {
        host->Prompts().Command(Text(caption), Text(text), *command);
    }
}

void DiagSetAltDisplayMask(uint32_t* mask) {
    if (host != nullptr && mask != nullptr) {
        host->SetAltDisplayMask(*mask);
    }
}

void DiagGetAltDisplayMask(uint32_t* mask) {
    if (host != nullptr && mask != nullptr) {
        *mask = host->AltDisplayMask();
    }
}

void DiagUseAltDisplayMask(int use) {
    if (host != nullptr) {
        host->UseAltDisplayMask(use);
    }
}

}  // extern "C"
