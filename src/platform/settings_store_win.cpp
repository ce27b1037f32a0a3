// The system settings store on Windows: string values under HKEY_CURRENT_USER, read only.
#include <windows.h>

#include <vector>

#include "platform/settings_store.h"
#include "platform/settings_text.h"

namespace kestrova::platform {

namespace {

class RegistryKey {
  public:
    explicit RegistryKey(const std::string& path) {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) {
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
    bool OpenKey(const std::string& keyPath) override { return RegistryKey(keyPath).Get() != nullptr; }

    // The value is read whole into a buffer of our own and then handed over: the caller's buffer
    // stays untouched when it is too small (the registry leaves it undefined), a stored string
    // without its terminator still arrives terminated, and the needed size is the text's own
    // (the ANSI size estimate of a query without a buffer may be larger).
    SettingsResult QueryString(const std::string& keyPath,
                               const std::string& valueName,
                               char* buffer,
                               uint32_t* size) override {
        RegistryKey key(keyPath);
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
