#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrova::platform {
namespace {

namespace fs = std::filesystem;

const char* const kKey = "Software\\Velmora Displays\\LMT";

// A folder of its own for each test, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() / (std::string("kestrova_platform_") + test->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

void WriteFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A byte-order mark, CRLF and LF lines, comments, junk, repeated names and sections, and a last
// line without its line feed.
const char* const kIniText =
    "\xEF\xBB\xBF; written by hand\r\n"
    "junk without an equals sign\r\n"
    "Orphan=before any section\r\n"
    "[Software\\Velmora Displays\\LMT]\r\n"
    "WrapperDriverCurrent=NV API\r\n"
    "# Commented=not a value\r\n"
    "  Spaced = padded \r\n"
    "Empty=\r\n"
    "Exact=1234567\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "[software\\velmora displays\\lmt]\n"
    "Later=in the repeated section\n"
    "Dup=third\n"
    "[Software\\Other]\n"
    "[Unclosed\n"
    "Equals=a=b";

struct QueryCase {
    const char* key;
    const char* value;
    uint32_t capacity;
    SettingsResult result;
    uint32_t size;     // checked for kOk and kMoreData
    const char* text;  // checked for kOk
};

const QueryCase kQueryCases[] = {
    {"Software\\Velmora Displays\\LMT", "WrapperDriverCurrent", 32, SettingsResult::kOk, 7, "NV API"},
    {"SOFTWARE\\velmora DISPLAYS\\lmt", "wrapperdrivercurrent", 32, SettingsResult::kOk, 7, "NV API"},
    {kKey, "Exact", 8, SettingsResult::kOk, 8, "1234567"},
    {kKey, "Exact", 7, SettingsResult::kMoreData, 8, nullptr},
    {kKey, "Exact", 0, SettingsResult::kMoreData, 8, nullptr},
    {kKey, "Empty", 1, SettingsResult::kOk, 1, ""},
    {kKey, "Empty", 0, SettingsResult::kMoreData, 1, nullptr},
    {kKey, "Spaced", 32, SettingsResult::kOk, 9, " padded "},
    {kKey, "Dup", 32, SettingsResult::kOk, 6, "first"},
    {kKey, "Later", 32, SettingsResult::kOk, 24, "in the repeated section"},
    {kKey, "Missing", 32, SettingsResult::kNoValue, 0, nullptr},
    {kKey, "Orphan", 32, SettingsResult::kNoValue, 0, nullptr},
    {kKey, "# Commented", 32, SettingsResult::kNoValue, 0, nullptr},
    {kKey, "Commented", 32, SettingsResult::kNoValue, 0, nullptr},
    {"Software\\Other", "Equals", 32, SettingsResult::kOk, 4, "a=b"},
    {"Software\\Other", "WrapperDriverCurrent", 32, SettingsResult::kNoValue, 0, nullptr},
    {"Software", "WrapperDriverCurrent", 32, SettingsResult::kNoValue, 0, nullptr},
    {"Software\\Velmora", "WrapperDriverCurrent", 32, SettingsResult::kNoKey, 0, nullptr},
    {"Software\\Velmora Displays\\LMT\\Sub", "WrapperDriverCurrent", 32, SettingsResult::kNoKey, 0, nullptr},
    {"Unclosed", "Equals", 32, SettingsResult::kNoKey, 0, nullptr},
};

void ExpectQuery(SettingsStore& store, const QueryCase& c) {
    SCOPED_TRACE(std::string(c.key) + " / " + c.value + " / capacity " + std::to_string(c.capacity));
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    uint32_t size = c.capacity;
    EXPECT_EQ(store.QueryString(c.key, c.value, buffer, &size), c.result);
    if (c.result == SettingsResult::kOk) {
        EXPECT_EQ(size, c.size);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[size], '#');  // nothing written past the terminator
    } else {
        if (c.result == SettingsResult::kMoreData) {
            EXPECT_EQ(size, c.size);
        }
        EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '#'));  // untouched
    }
}

TEST(IniSettingsStore, AnswersAsTheRegistryDoes) {
    TempFolder folder;
    WriteFile(folder.Path() / "registry.ini", kIniText);
    IniSettingsStore store((folder.Path() / "registry.ini").string());
    for (const QueryCase& c : kQueryCases) {
        ExpectQuery(store, c);
    }
}

TEST(IniSettingsStore, OpensKeysAndTheirParents) {
    TempFolder folder;
    WriteFile(folder.Path() / "registry.ini", kIniText);
    IniSettingsStore store((folder.Path() / "registry.ini").string());
    EXPECT_TRUE(store.OpenKey(kKey));
    EXPECT_TRUE(store.OpenKey("software\\velmora displays\\LMT"));
    EXPECT_TRUE(store.OpenKey("Software\\Velmora Displays"));
    EXPECT_TRUE(store.OpenKey("Software"));
    EXPECT_TRUE(store.OpenKey("Software\\Other"));
    EXPECT_FALSE(store.OpenKey("Software\\Velmora"));
    EXPECT_FALSE(store.OpenKey("Software\\Velmora Displays\\LMT\\Sub"));
    EXPECT_FALSE(store.OpenKey("Unclosed"));
}

TEST(IniSettingsStore, MissingOrEmptyFileHasNoKeys) {
    TempFolder folder;
    IniSettingsStore missing((folder.Path() / "absent.ini").string());
    IniSettingsStore unnamed("");
    WriteFile(folder.Path() / "empty.ini", "");
    IniSettingsStore empty((folder.Path() / "empty.ini").string());
    for (SettingsStore* store : {static_cast<SettingsStore*>(&missing), static_cast<SettingsStore*>(&unnamed),
                                 static_cast<SettingsStore*>(&empty)}) {
        EXPECT_FALSE(store->OpenKey(kKey));
        ExpectQuery(*store, {kKey, "WrapperDriverCurrent", 32, SettingsResult::kNoKey, 0, nullptr});
    }
}

TEST(IniSettingsStore, NullBufferAsksForTheSize) {
    TempFolder folder;
    WriteFile(folder.Path() / "registry.ini", kIniText);
    IniSettingsStore store((folder.Path() / "registry.ini").string());
    uint32_t size = 32;
    EXPECT_EQ(store.QueryString(kKey, "WrapperDriverCurrent", nullptr, &size), SettingsResult::kMoreData);
    EXPECT_EQ(size, 7u);
    char buffer[8] = {};
    EXPECT_EQ(store.QueryString(kKey, "WrapperDriverCurrent", buffer, nullptr), SettingsResult::kNoValue);
}

#ifdef _WIN32

TEST(SystemSettingsStore, ReadsTheRegistry) {
    const char* const testKey = "Software\\KestrovaTest\\Velmora Displays\\LMT";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto setString = [key](const char* name, const char* data, DWORD bytes) {
        return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
    };
    EXPECT_EQ(setString("WrapperDriverCurrent", "NV API", 7), ERROR_SUCCESS);
    EXPECT_EQ(setString("Exact", "1234567", 8), ERROR_SUCCESS);
    EXPECT_EQ(setString("Empty", "", 1), ERROR_SUCCESS);
    EXPECT_EQ(setString("Unterminated", "ABCDEF", 6), ERROR_SUCCESS);
    const DWORD number = 7;
    EXPECT_EQ(::RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    ::RegCloseKey(key);

    SettingsStore& store = SystemSettingsStore();
    EXPECT_TRUE(store.OpenKey(testKey));
    EXPECT_TRUE(store.OpenKey("software\\kestrovatest"));
    EXPECT_FALSE(store.OpenKey("Software\\KestrovaTest\\Absent"));
    const QueryCase cases[] = {
        {testKey, "WrapperDriverCurrent", 32, SettingsResult::kOk, 7, "NV API"},
        {"SOFTWARE\\kestrovatest\\VELMORA displays\\lmt", "wrapperDRIVERcurrent", 32, SettingsResult::kOk, 7, "NV API"},
        {testKey, "Exact", 8, SettingsResult::kOk, 8, "1234567"},
        {testKey, "Exact", 7, SettingsResult::kMoreData, 8, nullptr},
        {testKey, "Empty", 1, SettingsResult::kOk, 1, ""},
        {testKey, "Unterminated", 32, SettingsResult::kOk, 7, "ABCDEF"},
        {testKey, "Number", 32, SettingsResult::kNoValue, 0, nullptr},
        {testKey, "Missing", 32, SettingsResult::kNoValue, 0, nullptr},
        {"Software\\KestrovaTest\\Absent", "WrapperDriverCurrent", 32, SettingsResult::kNoKey, 0, nullptr},
    };
    for (const QueryCase& c : cases) {
        ExpectQuery(store, c);
    }
    EXPECT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KestrovaTest"), ERROR_SUCCESS);
    EXPECT_FALSE(store.OpenKey(testKey));
}

// A per-machine install leaves the driver under HKEY_LOCAL_MACHINE: read when the user has none,
// never over the user's own value.
TEST(SystemSettingsStore, FallsBackToTheMachineForValuesTheUserLacks) {
    const char* const testKey = "Software\\KestrovaTest\\LMT";
    const auto write = [testKey](HKEY root, const char* name, const char* data) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(root, testKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
        ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                         static_cast<DWORD>(strlen(data) + 1));
        ::RegCloseKey(key);
    };
    SettingsStore& store = SystemSettingsStore();
    write(HKEY_LOCAL_MACHINE, "WrapperDriverCurrent", "VISTA API");
    write(HKEY_LOCAL_MACHINE, "MachineOnly", "M");
    EXPECT_TRUE(store.OpenKey(testKey));
    ExpectQuery(store, {testKey, "WrapperDriverCurrent", 32, SettingsResult::kOk, 10, "VISTA API"});
    write(HKEY_CURRENT_USER, "WrapperDriverCurrent", "NV API");
    const QueryCase cases[] = {
        {testKey, "WrapperDriverCurrent", 32, SettingsResult::kOk, 7, "NV API"},
        {testKey, "WrapperDriverCurrent", 3, SettingsResult::kMoreData, 7, nullptr},
        {testKey, "MachineOnly", 32, SettingsResult::kOk, 2, "M"},
        {testKey, "Missing", 32, SettingsResult::kNoValue, 0, nullptr},
    };
    for (const QueryCase& c : cases) {
        ExpectQuery(store, c);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KestrovaTest");
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KestrovaTest");
    EXPECT_FALSE(store.OpenKey(testKey));
}

#else

// Sets or removes an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        if (old != nullptr) {
            old_ = old;
            hadOld_ = true;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (hadOld_) {
            setenv(name_.c_str(), old_.c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(DefaultIniSettingsPath, FollowsXdgConfigHomeElseHome) {
    struct Case {
        const char* configHome;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/kestrova/registry.ini"},
        {nullptr, "/home/u", "/home/u/.config/kestrova/registry.ini"},
        {"", "/home/u", "/home/u/.config/kestrova/registry.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/kestrova/registry.ini"},
        {"/cfg", nullptr, "/cfg/kestrova/registry.ini"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.configHome ? c.configHome : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        ScopedEnv configHome("XDG_CONFIG_HOME", c.configHome);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(DefaultIniSettingsPath(), c.path);
    }
}

TEST(SystemSettingsStore, ReadsTheFileUnderXdgConfigHome) {
    TempFolder folder;
    ScopedEnv configHome("XDG_CONFIG_HOME", folder.Path().c_str());
    SettingsStore& store = SystemSettingsStore();
    EXPECT_FALSE(store.OpenKey(kKey));

    WriteFile(folder.Path() / "kestrova" / "registry.ini",
              "[Software\\Velmora Displays\\LMT]\nWrapperDriverCurrent=VMD API\n");
    EXPECT_TRUE(store.OpenKey(kKey));
    ExpectQuery(store, {kKey, "WrapperDriverCurrent", 32, SettingsResult::kOk, 8, "VMD API"});
    ExpectQuery(store, {kKey, "WrapperDriverCurrent", 4, SettingsResult::kMoreData, 8, nullptr});
    ExpectQuery(store, {kKey, "Other", 32, SettingsResult::kNoValue, 0, nullptr});
}

#endif

}  // namespace
}  // namespace kestrova::platform
