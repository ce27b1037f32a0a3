// What the EDID, the operating system and the graphics card tell about a monitor.
#include <string>

#include "brevlink/brevlink.h"
#include "brevlink/edid/edid.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"

using brevlink::Call;
using brevlink::Library;
using brevlink::sim::HostFacts;

namespace {

// 0 (and an empty text) for a bad index or a fact the back end does not know.
int32_t FactText(int32_t monitor, char* text, uint32_t* size, std::string HostFacts::*fact) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        if (session == nullptr || (session->Facts().*fact).empty()) {
            brevlink::ClearText(text, size);
            return 0;
        }
        return brevlink::PutText(session->Facts().*fact, text, size);
    });
}

template <typename T>
int32_t FactValue(int32_t monitor, T* value, T HostFacts::*fact) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        if (session == nullptr || value == nullptr) {
            return 0;
        }
        *value = session->Facts().*fact;
        return 1;
    });
}

}  // namespace

extern "C" {

int32_t WrEDIDGetInfo(int32_t monitor, uint32_t code, char* text, uint32_t* size) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        const brevlink::edid::EdidInfo* info = session != nullptr ? session->Edid() : nullptr;
        if (info == nullptr || text == nullptr || size == nullptr || *size == 0 ||
            brevlink::edid::TextCapacity(code) == 0) {
            brevlink::ClearText(text, size);
            return 0;
        }
        *size = static_cast<uint32_t>(brevlink::edid::Text(*info, code, text, *size));
        return 1;
    });
}

int32_t WrOSDeviceName(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::deviceName);
}

int32_t WrOSDeviceStr(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::deviceString);
}

int32_t WrOSDeviceId(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::deviceId);
}

int32_t WrOSMonDevice(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::monitorDevice);
}

int32_t WrOSMonStr(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::monitorString);
}

int32_t WrOSDriverName(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::driverName);
}

uint32_t WrOSHmonHandle(int32_t monitor) {
    return Call<uint32_t>([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        return session != nullptr ? session->Facts().monitorHandle : 0u;
    });
}

int32_t WrFirmVCPVersion(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::vcpVersion);
}

int32_t WrFirmController(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::controller);
}

int32_t WrFirmVersion(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::firmwareVersion);
}

int32_t WrCardGetManufacturer(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::cardManufacturer);
}

int32_t WrCardGetI2CSupport(int32_t monitor, char* text, uint32_t* size) {
    return FactText(monitor, text, size, &HostFacts::i2cSupport);
}

// Answers the support value itself (0 for a bad index), with a description in the text.
int32_t WrDeviceDDCCISup(int32_t monitor, char* text, uint32_t* size) {
    return Call([&](Library& library) {
        brevlink::MonitorSession* session = library.Session(monitor);
        if (session == nullptr) {
            brevlink::ClearText(text, size);
            return 0;
        }
        const int32_t support = session->Facts().ddcciSupport;
        brevlink::PutText(support != 0 ? "DDC/CI supported" : "DDC/CI not supported", text, size);
        return support;
    });
}

int32_t WrCardGetChipID(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::chipId);
}

int32_t WrCardGetPCIID(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::pciId);
}

int32_t WrCardGetSubID(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::subId);
}

int32_t WrCardGetBusLoc(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::busLocation);
}

int32_t WrCardGetBAR(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::bar);
}

int32_t WrCardGetFuncNo(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::functionNumber);
}

int32_t WrCardGetBaseAddress(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::baseAddress);
}

int32_t WrCardGetIOBase(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::ioBase);
}

int32_t WrCardGetFlags(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::flags);
}

int32_t WrCardGetI2CPort(int32_t monitor, uint32_t* value) {
    return FactValue(monitor, value, &HostFacts::i2cPort);
}

int32_t WrCardGetI2CTiming(int32_t monitor, float* value) {
    return FactValue(monitor, value, &HostFacts::i2cTiming);
}

}  // extern "C"
