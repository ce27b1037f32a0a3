// The system settings store on POSIX systems: the INI file under the user's configuration folder.
#include "platform/settings_store.h"

namespace kestrova::platform {

namespace {

// The file's place is looked up at each query so that a changed XDG_CONFIG_HOME is followed.
class UserIniSettingsStore final : public SettingsStore {
  public:
    bool OpenKey(const std::string& keyPath) override {
        return IniSettingsStore(DefaultIniSettingsPath()).OpenKey(keyPath);
    }
    SettingsResult QueryString(const std::string& keyPath,
                               const std::string& valueName,
                               char* buffer,
                               uint32_t* size) override {
        return IniSettingsStore(DefaultIniSettingsPath()).QueryString(keyPath, valueName, buffer, size);
    }
};

}  // namespace

SettingsStore& SystemSettingsStore() {
    static UserIniSettingsStore store;
    return store;
}

}  // namespace kestrova::platform
