#include <cstdio>

#include "brevlink/monitor_config/monitor_config_api.h"

namespace brevlink::monitor_config {
namespace {

const Api* installed = nullptr;

}  // namespace

void InstallApi(const Api* api) {
    installed = api;
}

const Api* InstalledApiOrNull() {
    return installed;
}

std::string DescribeError(DWORD error) {
    const char* meaning = nullptr;
    switch (error) {
        case kErrorI2cNotSupported:
            meaning = "the display adapter has no I2C bus to this monitor";
            break;
        case kErrorI2cDeviceMissing:
            meaning = "no device answers at the DDC/CI address";
            break;
        case kErrorI2cTransmitting:
            meaning = "the bus failed while sending";
            break;
        case kErrorI2cReceiving:
            meaning = "the bus failed while receiving";
            break;
        case kErrorVcpNotSupported:
            meaning = "the monitor does not support the VCP code";
            break;
        case kErrorInvalidData:
            meaning = "the monitor's reply is not valid";
            break;
        case kErrorInvalidCapabilities:
            meaning = "the capabilities string is not valid";
            break;
        case kErrorInvalidMessageCommand:
            meaning = "the reply answers another command";
            break;
        case kErrorInvalidMessageLength:
            meaning = "the reply's length byte is wrong";
            break;
        case kErrorInvalidMessageChecksum:
            meaning = "the reply's checksum is wrong";
            break;
        case kErrorInvalidMonitorHandle:
            meaning = "the physical monitor handle is not valid";
            break;
        case kErrorMonitorNoLongerExists:
            meaning = "the monitor is no longer attached";
            break;
        default:
            break;
    }
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(error));
    return meaning != nullptr ? std::string(code) + " (" + meaning + ")" : std::string(code);
}

}  // namespace brevlink::monitor_config
