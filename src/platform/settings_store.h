// The read-only settings store: the Windows registry under HKEY_CURRENT_USER (a value the user
// lacks is read from HKEY_LOCAL_MACHINE, where a per-machine install writes it); on Linux an INI-style
// file, $XDG_CONFIG_HOME/kestrova/registry.ini (default ~/.config), whose section names are key
// paths ("[Software\Velmora Displays\LMT]") and whose entries are string values ("Name=Text").
// Absent key, absent value and a value longer than the caller's buffer behave as the registry does.
#pragma once

#include <cstdint>
#include <string>

namespace kestrova::platform {

enum class SettingsResult {
    kOk,        // the text and its terminator were copied; size = bytes copied including the NUL
    kNoKey,     // the key cannot be opened
    kNoValue,   // the key exists but has no such value
    kMoreData,  // the buffer is too small; size = bytes needed including the NUL; buffer untouched
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Whether the key can be opened for reading.
    virtual bool OpenKey(const std::string& keyPath) = 0;
    // Reads a string value into `buffer` of capacity *size bytes (in: capacity, out: see above).
    virtual SettingsResult QueryString(const std::string& keyPath,
                                       const std::string& valueName,
                                       char* buffer,
                                       uint32_t* size) = 0;
};

// The system's store (registry or the INI file).
SettingsStore& SystemSettingsStore();

// Reads an INI-style store from a given file: the Linux store, and tests on every platform.
class IniSettingsStore final : public SettingsStore {
  public:
    explicit IniSettingsStore(std::string path) : path_(std::move(path)) {}
    bool OpenKey(const std::string& keyPath) override;
    SettingsResult QueryString(const std::string& keyPath,
                               const std::string& valueName,
                               char* buffer,
                               uint32_t* size) override;

  private:
    std::string path_;
};

// The INI file the Linux store reads.
std::string DefaultIniSettingsPath();

}  // namespace kestrova::platform
