// Bus lock, enumeration, library path, logs and bus delay.
#include "brevlink/brevlink.h"
#include "brevlink/exports/export_call.h"
#include "brevlink/exports/text_out.h"

using brevlink::Call;
using brevlink::Library;

extern "C" {

// The bus lock has its own mutex: polling it must never wait for an exchange in progress.
int32_t WrSynLock(void) {
    try {
        return Library::Instance().Lock().TryLock() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int32_t WrSynUnlock(void) {
    try {
        return Library::Instance().Lock().Unlock() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int32_t WrEnum(void) {
    return Call([](Library& library) { return library.Enumerate() ? 1 : 0; });
}

int32_t WrEnumEx(uint32_t /*flags*/) {
    return WrEnum();
}

int32_t WrReEnum(void) {
    return WrEnum();
}

int32_t WrReEnumEx(uint32_t /*flags*/) {
    return WrEnum();
}

int32_t WrGetAttachedMonitorsIndices(uint32_t* mask) {
    return Call([&](Library& library) {
        if (mask == nullptr) {
            return 0;
        }
        *mask = library.AttachMask();
        return 1;
    });
}

int32_t WrCardGetTotalMonitorAttached(void) {
    return Call([](Library& library) { return library.MonitorCount(); });
}

int32_t WrLibPath(const char* driverDirectory) {
    return Call([&](Library& library) {
        if (driverDirectory == nullptr) {
            return 0;
        }
        library.SetDriverDirectory(driverDirectory, "");
        return 1;
    });
}

int32_t WrLibPath2(const char* driverDirectory, const char* productKey) {
    return Call([&](Library& library) {
        if (driverDirectory == nullptr) {
            return 0;
        }
        library.SetDriverDirectory(driverDirectory, productKey != nullptr ? productKey : "");
        return 1;
    });
}

int32_t WrSetBusDelay(uint32_t delay) {
    return Call([&](Library& library) {
        library.SetBusDelay(delay);
        return 1;
    });
}

int32_t WrRestoreBusDelay(void) {
    return Call([](Library& library) {
        library.SetBusDelay(0);
        return 1;
    });
}

int32_t WrGetBusDelay(uint32_t* delay) {
    return Call([&](Library& library) {
        if (delay == nullptr) {
            return 0;
        }
        *delay = library.BusDelay();
        return 1;
    });
}

}  // extern "C"
