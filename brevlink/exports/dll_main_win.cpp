// Unloading the library gives back what its back end holds of the system (physical monitor
// handles). At process exit the system reclaims everything, and nothing is touched.
#include <windows.h>

#include "brevlink/exports/library.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Under the loader lock: never wait for a thread that might still be inside the library.
        brevlink::Library& library = brevlink::Library::Instance();
        if (library.Mutex().try_lock()) {
            library.Release();
            library.Mutex().unlock();
        }
    }
    return TRUE;
}
