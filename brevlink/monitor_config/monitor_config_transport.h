// One physical monitor of the Monitor Configuration API as an I2C bus, so Brevlink's DDC/CI host
// code runs over it unchanged. The API speaks VCP values, not bytes: each DDC/CI request written
// to 0x37 is decoded with the display side's packet code, answered through the API, and the reply
// is rebuilt as the bytes a monitor would have sent. The EDID from the registry is served at 0x50
// (with the segment pointer at 0x30). The API keeps the standard's waits itself.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/ddcci/packet.h"
#include "brevlink/monitor_config/monitor_config_api.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink::monitor_config {

using ProblemLog = std::function<void(const std::string&)>;

class MonitorConfigTransport : public I2cTransport {
  public:
    MonitorConfigTransport(const Api& api, HANDLE monitor, std::vector<uint8_t> edid, ProblemLog log);

    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    bool NeedsBusWaits() const override { return false; }

  private:
    bool WriteRequest(const uint8_t* data, size_t size);
    void AnswerGetVcp(uint8_t code);
    bool AnswerCapabilities(uint16_t offset);
    bool ReadEdidBytes(uint8_t* data, size_t size);
    void Fail(const std::string& call, DWORD error);

    const Api& api_;
    HANDLE monitor_;
    std::vector<uint8_t> edid_;
    ProblemLog log_;
    std::optional<ddcci::Packet> pending_;  // the rebuilt reply to the last request
    std::optional<std::string> capabilities_;
    uint8_t edidSegment_ = 0;
    uint8_t edidOffset_ = 0;
};

}  // namespace brevlink::monitor_config
