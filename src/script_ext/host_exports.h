// The functions a host program exports for lm_embedded_python_ext. The extension looks each one up
// by this exact, undecorated name in the main executable at every call and never caches it; a host
// may leave any of them out (see script_interface.h for what a missing one does).
//
// A host defines them with C linkage in its executable and exports them (Linux: link with -rdynamic,
// CMake ENABLE_EXPORTS). Including this header in the host makes the compiler check the signatures.
//
// std::string is the host's string type: host and extension share the C++ runtime. Texts returned
// by the host are copied at once; they need to stay valid only until the function returns.
#pragma once

#include <cstdint>
#include <string>

extern "C" {

// VCP write of `data` to the command (host's command language).
void DiagWriteCommand(std::string* command, std::string* data);
void DiagSendCommand(std::string* command);
void DiagSendNoCrcCommand(std::string* command);
// Reads answer a NUL-terminated text owned by the host; null is taken as "communication error".
const char* DiagReadCommand(std::string* command);
const char* DiagReadWithStop(std::string* command, int stop);
// `commandAndReply` holds the command on entry and the host leaves its reply in it. `bytes` is a
// byte output area the host may resize and fill; `count` is the script's number, which the host
// may change (the extension ignores it afterwards).
void DiagReceiveCommand(std::string* commandAndReply, std::string* bytes, int* count);
// `bytes` is a copy of the script's bytes, zero-padded to at least kHostByteAreaSize bytes so that
// a host reading a length-prefixed message cannot run past it.
void DiagSendBytesNoCrcCommand(unsigned char* bytes);
// `request` as above; the host writes at most `count` bytes to `reply` (the extension has already
// cut `count` to the reply area the script handed over).
void DiagReadBytesWithStop(unsigned char* request, unsigned char* reply, int count);
void DiagTableWriteCommand(std::string* code, std::string* offset, std::string* count, std::string* data);
// The host writes its reply into `reply`; leaving it untouched keeps the previous reply.
void DiagTableReadCommand(std::string* code, std::string* offset, std::string* count, std::string* reply);

// Table transfers of the table wrappers. `*buffer` is the wrapper's table: its size follows from
// `type` (a struct_types value, table_layouts.h), the host may read and write it. The host answers
// a pointer to the reply bytes (its own buffer, or *buffer); null means the transfer failed.
// `adapterFlag` is 1 for the SMSC-based adapter, else 0.
unsigned char* DiagTableWriteCommandStruct(std::string* code,
                                           uint16_t offset,
                                           unsigned char** buffer,
                                           int type,
                                           int adapterFlag);
unsigned char* DiagTableReadCommandStruct(std::string* code,
                                          uint16_t offset,
                                          unsigned char** buffer,
                                          int type,
                                          int adapterFlag);
unsigned char* DiagTableWriteCommandLargeStruct(std::string* code,
                                                uint16_t offset,
                                                unsigned char** buffer,
                                                int count,
                                                int segmentSize,
                                                int type,
                                                int adapterFlag);
unsigned char* DiagTableReadCommandLargeStruct(std::string* code,
                                               uint16_t offset,
                                               unsigned char** buffer,
                                               int count,
                                               int segmentSize,
                                               int type,
                                               int adapterFlag);

// Writes current value, minimum and maximum, and answers a NUL-terminated text (null: as above).
const char* DiagReadRangeCommand(std::string* command, int* current, int* minimum, int* maximum);
void DiagSetDDCPort(int port);

void MBOK_MessageBox(const char* caption, const char* text);
void LogMessageFromPython(const char* text);
int MBYESNO_MessageBox(const char* caption, const char* text);
int EDIT_Hex_MessageBox(const char* caption, const char* text);
int EDIT_Int_MessageBox(const char* caption, const char* text);
void EDIT_Cmd_MessageBox(const char* caption, const char* text, std::string* command);

void DiagSetAltDisplayMask(uint32_t* mask);
// `*mask` is 0 on entry.
void DiagGetAltDisplayMask(uint32_t* mask);
void DiagUseAltDisplayMask(int use);

}  // extern "C"

namespace kestrova::script {

// Smallest size of the byte areas handed to DiagSendBytesNoCrcCommand and as request to
// DiagReadBytesWithStop.
inline constexpr size_t kHostByteAreaSize = 256;

}  // namespace kestrova::script
