// The text of a window or control, whatever its length.
#pragma once

#include <windows.h>

#include <string>

namespace kestrova::app::win32 {

std::string WindowText(HWND window);

}  // namespace kestrova::app::win32
