// The system settings store on Windows: string values under HKEY_CURRENT_USER, read only. A value
// the user's key lacks is read from the same key under HKEY_LOCAL_MACHINE, where a per-machine
// install leaves its defaults for every user; the user's own value always wins.
#include <windows.h>

#include <vector>

#include "platform/settings_store.h"
#include "platform/settings_text.h"

namespace kestrova::platform {

namespace {

class RegistryKey {
  public:
    RegistryKey(HKEY root, const std::string& path) {
        if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

class RegistrySettingsStore final : public SettingsStore {
  public:
    bool OpenKey(const std::string& keyPath) override {
        return RegistryKey(HKEY_CURRENT_USER, keyPath).Get() != nullptr ||
               RegistryKey(HKEY_LOCAL_MACHINE, keyPath).Get() != nullptr;
    }

    SettingsResult QueryString(const std::string& keyPath,
                               const std::string& valueName,
                               char* buffer,
                               uint32_t* size) override {
        const SettingsResult user = Query(HKEY_CURRENT_USER, keyPath, valueName, buffer, size);
        if (user == SettingsResult::kOk || user == SettingsResult::kMoreData) {
            return user;
        }
        const SettingsResult machine = Query(HKEY_LOCAL_MACHINE, keyPath, valueName, buffer, size);
        return machine == SettingsResult::kNoKey ? user : machine;
    }

  private:
    // The value is read whole into a buffer of our own and then handed over: the caller's buffer
    // stays untouched when it is too small (the registry leaves it undefined), a stored string
    // without its terminator still arrives terminated, and the needed size is the text's own
    // (the ANSI size estimate of a query without a buffer may be larger).
    static SettingsResult Query(HKEY root,
                                const std::string& keyPath,
                                const std::string& valueName,
                                char* buffer,
                                uint32_t* size) {
        RegistryKey key(root, keyPath);
        if (key.Get() == nullptr) {
            return SettingsResult::kNoKey;
        }
        std::vector<char> data(64);
        for (int attempt = 0; attempt < 8; ++attempt) {
            DWORD type = 0;
            DWORD bytes = static_cast<DWORD>(data.size());
            const LONG status = ::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                                                   reinterpret_cast<BYTE*>(data.data()), &bytes);
            if (status == ERROR_MORE_DATA) {
                // The value may grow between two reads; ask again with the size now reported.
                data.resize(static_cast<size_t>(bytes) + 1);
                continue;
            }
            if (status != ERROR_SUCCESS) {
                return SettingsResult::kNoValue;
            }
            // Only string values are texts; a number or binary value is not the value asked for.
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                return SettingsResult::kNoValue;
            }
            return CopySettingsText(std::string_view(data.data(), std::min<size_t>(bytes, data.size())), buffer, size);
        }
        return SettingsResult::kNoValue;
    }
};

}  // namespace

SettingsStore& SystemSettingsStore() {
    static RegistrySettingsStore store;
    return store;
}

}  // namespace kestrova::platform
