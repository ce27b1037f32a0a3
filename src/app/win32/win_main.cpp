// Kestrova.exe: the tester's window.
#include <windows.h>

#include "app/win32/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showCommand) {
    kestrova::app::win32::Program program(instance);
    if (!program.StartUp(showCommand)) {
        return 0;
    }
    return program.RunMessageLoop();
}
