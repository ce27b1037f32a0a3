// Finding the maker's driver directory, loading the wrapper library from it, binding its entry
// points and preparing the bus.
#pragma once

#include <optional>
#include <string>

#include "platform/shell_folders.h"

namespace kestrova::bus {

// The product key handed to the library with the driver directory; it also names our registry key.
inline constexpr char kProductKey[] = "LMT";

#ifdef _WIN32
inline constexpr char kWrapperFileName[] = "Brevlink.dll";
#else
inline constexpr char kWrapperFileName[] = "libbrevlink.so";
#endif

inline constexpr char kLoadingErrorCaption[] = "Kestrova loading error";

// The driver directory: the common program files folder (or the program files folder's
// "Common Files"), then "Velmora Displays" and "Drivers"; it always ends in a separator.
// nullopt when the folder queries fail.
std::optional<std::string> FindDriverDirectory(platform::ShellFolders& folders);

// The library path for a directory. The directory already ends in a separator and another one is
// added, as the file system accepts; a directory of one character or none means the bare file name.
std::string WrapperLibraryPath(const std::string& directory);

// Loads and binds the library, then tells it where its drivers live. False when the library cannot
// be loaded or lacks an entry point the tester calls (nothing of it is called then).
bool LoadWrapper(const std::string& directory, const std::string& productKey);

// Builds the driver directory and loads the wrapper from it.
bool LocateAndLoadWrapper(platform::ShellFolders& folders = platform::SystemShellFolders());

// The five lines of the loading error box, and the box itself (captioned "Kestrova loading error").
std::string LoadingErrorText();
void ShowLoadingError();

// Takes the bus lock (waiting 10 ms between tries), sets the library's logs, lets it enumerate, and
// releases the lock.
void PrepareBus();

// Waits until the library grants its bus lock.
void HoldBusLock();

}  // namespace kestrova::bus
