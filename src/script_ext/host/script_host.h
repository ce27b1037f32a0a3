// What lmscript does for each host export of the script extension: VCP traffic on the current
// monitor, DDC/CI request payloads carried out through VCP reads and writes, the in-memory tables,
// the terminal message boxes and the log on standard error.
#pragma once

#include "script_ext/host/monitor_bus.h"
#include "script_ext/host/prompts.h"
#include "script_ext/host/table_store.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrova::lmscript {

inline constexpr const char* kCommunicationError = "communication error";
inline constexpr const char* kInvalidCommand = "invalid command";

class ScriptHost {
  public:
    // `monitor`: the position commands go to unless the alternate display mask is in use.
    ScriptHost(MonitorBus& bus, int monitor, Prompter& prompter, std::ostream& log);

    // VCP code and value texts.
    void Write(const std::string& code, const std::string& value);
    // The current value in decimal, or an error text.
    std::string Read(const std::string& code);
    // "OK" with the three values set, or an error text with them untouched.
    std::string ReadRange(const std::string& code, int& current, int& minimum, int& maximum);

    // DDC/CI request payloads in hexadecimal, opcode first ("03 10 00 32", "01 10").
    void Send(const std::string& payload);
    // The reply payload in hexadecimal, cut to `stop` bytes when `stop` is positive.
    std::string ReadWithStop(const std::string& payload, int stop);
    // As ReadWithStop; the reply bytes go to `bytes` and their number to `count`.
    void Receive(std::string& commandAndReply, std::string& bytes, int& count);
    // Length-prefixed payloads: byte 0 is 0x80 + n, then n payload bytes.
    void SendFramed(const unsigned char* framed);
    void ReadFramed(const unsigned char* request, unsigned char* reply, int count);

    void TableWrite(const std::string& code,
                    const std::string& offset,
                    const std::string& count,
                    const std::string& data);
    void TableRead(const std::string& code, const std::string& offset, const std::string& count, std::string& reply);
    unsigned char* Transfer(const StructRequest& request) { return tables_.Transfer(request); }

    void SetPort(int port);
    void SetAltDisplayMask(uint32_t mask) { altMask_ = mask; }
    uint32_t AltDisplayMask() const { return altMask_; }
    void UseAltDisplayMask(int use) { useAltMask_ = use != 0; }

    Prompter& Prompts() { return prompter_; }
    // One entry of the script's log: its lines, "\r\n" ends made plain.
    void Log(const std::string& text);

    const TableStore& Tables() const { return tables_; }

  private:
    // The monitor commands go to: the lowest attached position in the alternate mask when it is in
    // use, else the default one. 0 when there is none.
    int Monitor();
    // Carries out one request payload; the reply payload (empty for requests without a reply), or
    // nothing when the monitor did not answer or the request is not understood.
    std::optional<std::vector<uint8_t>> Perform(const std::vector<uint8_t>& payload);

    MonitorBus& bus_;
    int monitor_;
    Prompter& prompter_;
    std::ostream& log_;
    TableStore tables_;
    int port_ = 0;
    uint32_t altMask_ = 0;
    bool useAltMask_ = false;
};

}  // namespace kestrova::lmscript
