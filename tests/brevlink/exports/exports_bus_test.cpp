// Enumeration, back-end selection, the bus lock and the logs, through the loaded library.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

namespace fs = std::filesystem;

class ExportsBus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
        ResetToBuiltinLab(wr);
        driverDir =
            fs::path(ProgramDirectory()) /
            ("brevlink_drivers_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(driverDir);
        fs::create_directories(driverDir);
    }

    void TearDown() override {
        ResetToBuiltinLab(wr);
        std::error_code ignored;
        fs::remove_all(driverDir, ignored);
    }

    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(driverDir / name, std::ios::binary) << text;
    }

    // The driver directory as the tester hands it over: with a trailing separator.
    std::string DriverDirectory() const { return driverDir.string() + "/"; }

    uint32_t Mask() {
        uint32_t mask = 0xDEAD;
        EXPECT_EQ(wr.WrGetAttachedMonitorsIndices(&mask), 1);
        return mask;
    }

    std::vector<std::string> DiagLog() {
        std::vector<std::string> entries;
        for (int32_t i = 0; i < wr.WrLogGetDiagSize(); ++i) {
            char text[1024] = {};
            uint32_t size = sizeof(text);
            wr.WrLogGetDiagEntry(static_cast<uint32_t>(i), text, &size);
            entries.emplace_back(text, size);
        }
        return entries;
    }

    bool DiagMentions(const std::string& words) {
        for (const std::string& entry : DiagLog()) {
            if (entry.find(words) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    const WrapperTable& wr = LoadedLibrary::Get().Table();
    fs::path driverDir;
};

TEST_F(ExportsBus, BuiltinMonitorSitsAtPositionOneAndSaysItIsSimulated) {
    EXPECT_EQ(Mask(), 1u << 1);
    EXPECT_EQ(wr.WrCardGetTotalMonitorAttached(), 1);
    char text[100] = {};
    uint32_t size = sizeof(text);
    ASSERT_EQ(wr.WrOSDriverName(1, text, &size), 1);
    EXPECT_STREQ(text, "Brevlink simulated monitor (lab)");
    EXPECT_EQ(wr.WrGetAttachedMonitorsIndices(nullptr), 0);
}

TEST_F(ExportsBus, BackEndSelectionOrder) {
    const std::string two = SourcePath("lab/two-monitors.json");
    const std::string one = SourcePath("lab/compliant.json");
    constexpr uint32_t kOne = 1u << 1;
    constexpr uint32_t kTwo = (1u << 2) | (1u << 5);
    struct Case {
        const char* what;
        std::optional<std::string> backend;
        std::optional<std::string> profile;
        std::optional<std::string> config;
        uint32_t mask;
    };
    const Case cases[] = {
        {"nothing configured", std::nullopt, std::nullopt, std::nullopt, kOne},
        {"config file", std::nullopt, std::nullopt, "# lab\nbackend = lab\nprofile = " + two + "\n", kTwo},
        {"config file, one line", std::nullopt, std::nullopt, "backend = lab:" + two, kTwo},
        {"profile variable over config", std::nullopt, two, "backend = lab:" + one, kTwo},
        {"backend variable over config", "lab:" + two, std::nullopt, "backend = lab:" + one, kTwo},
        {"backend variable over profile variable", "lab:" + one, two, std::nullopt, kOne},
        {"plain lab takes the profile variable", "lab", two, std::nullopt, kTwo},
        {"plain lab alone is the built-in monitor", "lab", std::nullopt, "backend = lab:" + two, kOne},
    };
    for (const Case& c : cases) {
        SetEnvironment("BREVLINK_BACKEND", c.backend);
        SetEnvironment("BREVLINK_LAB_PROFILE", c.profile);
        fs::remove(driverDir / "brevlink.conf");
        if (c.config) {
            WriteFile("brevlink.conf", *c.config);
        }
        wr.WrLibPath2(DriverDirectory().c_str(), "LMT");
        EXPECT_EQ(wr.WrReEnum(), 1) << c.what;
        EXPECT_EQ(Mask(), c.mask) << c.what;
    }
}

TEST_F(ExportsBus, ConfigFileProfileIsFoundBesideIt) {
    WriteFile("mine.json", R"({"monitors": [{"base": "compliant", "position": 7}]})");
    WriteFile("brevlink.conf", "profile = mine.json\n");
    wr.WrLibPath2(DriverDirectory().c_str(), "LMT");
    ASSERT_EQ(wr.WrEnum(), 1);
    EXPECT_EQ(Mask(), 1u << 7);
}

TEST_F(ExportsBus, WrongConfigurationServesNoMonitorAndSaysWhy) {
    struct Case {
        const char* what;
        std::optional<std::string> backend;
        std::string config;
        std::string message;
    };
    const Case cases[] = {
        {"unknown back end", "serial", "", "unknown back end \"serial\""},
        {"missing profile", "lab:" + (driverDir / "absent.json").string(), "", "cannot open the profile"},
        {"config line", std::nullopt, "backend lab\n", "brevlink.conf:1"},
        {"bad profile", std::nullopt, "profile = bad.json", "monitors[0]: unknown key \"positon\""},
    };
    WriteFile("bad.json", R"({"monitors": [{"positon": 1}]})");
    for (const Case& c : cases) {
        wr.WrLogClearDiag();
        SetEnvironment("BREVLINK_BACKEND", c.backend);
        WriteFile("brevlink.conf", c.config);
        wr.WrLibPath2(DriverDirectory().c_str(), "LMT");
        EXPECT_EQ(wr.WrReEnum(), 0) << c.what;
        EXPECT_EQ(Mask(), 0u) << c.what;
        EXPECT_TRUE(DiagMentions(c.message)) << c.what;
        // And everything still answers safely.
        uint32_t value = 0;
        char text[64] = "stale";
        uint32_t size = sizeof(text);
        EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, &value, 0), 0) << c.what;
        EXPECT_EQ(wr.WrCapsGetString(1, text, &size), 0) << c.what;
        EXPECT_STREQ(text, "") << c.what;
        EXPECT_EQ(wr.WrCardGetTotalMonitorAttached(), 0) << c.what;
    }
}

TEST_F(ExportsBus, LockIsHeldByOneThreadAtATime) {
    ASSERT_EQ(wr.WrSynLock(), 1);
    ASSERT_EQ(wr.WrSynLock(), 1);  // the holder may take it again
    std::async(std::launch::async, [&] {
        EXPECT_EQ(wr.WrSynLock(), 0);
        EXPECT_EQ(wr.WrSynUnlock(), 0);  // not the holder
    }).get();
    EXPECT_EQ(wr.WrSynUnlock(), 1);
    std::async(std::launch::async, [&] { EXPECT_EQ(wr.WrSynLock(), 0); }).get();
    EXPECT_EQ(wr.WrSynUnlock(), 1);
    EXPECT_EQ(wr.WrSynUnlock(), 0);
    std::async(std::launch::async, [&] {
        EXPECT_EQ(wr.WrSynLock(), 1);
        EXPECT_EQ(wr.WrSynUnlock(), 1);
    }).get();
}

TEST_F(ExportsBus, TwoThreadsPollingTheLockNeverOverlap) {
    constexpr int kRounds = 2000;
    int shared = 0;  // guarded only by the bus lock
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    auto worker = [&] {
        for (int i = 0; i < kRounds; ++i) {
            while (wr.WrSynLock() == 0) {
                std::this_thread::yield();
            }
            if (inside.fetch_add(1) != 0) {
                overlapped = true;
            }
            ++shared;
            uint32_t mask = 0;
            wr.WrGetAttachedMonitorsIndices(&mask);
            inside.fetch_sub(1);
            wr.WrSynUnlock();
        }
    };
    std::thread a(worker);
    std::thread b(worker);
    a.join();
    b.join();
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(shared, 2 * kRounds);
}

// The tester's read primitive does not wait for the bus lock, so calls from the window thread
// and the test thread may meet inside the library: each must still be one whole exchange.
TEST_F(ExportsBus, CallsFromTwoThreadsWithoutTheLockStayWhole) {
    constexpr int kRounds = 300;
    std::atomic<int> failures{0};
    auto reader = [&](uint32_t code, uint32_t expected) {
        for (int i = 0; i < kRounds; ++i) {
            uint32_t minimum = 0;
            uint32_t maximum = 0;
            uint32_t current = 0;
            if (wr.WrDDCGetRange(1, code, &minimum, &maximum, &current, 0) != 1 || current != expected) {
                ++failures;
            }
            char text[400] = {};
            uint32_t size = sizeof(text);
            if (wr.WrCapsGetString(1, text, &size) != 1) {
                ++failures;
            }
        }
    };
    std::thread a(reader, 0x10, 75);
    std::thread b(reader, 0x12, 70);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
}

TEST_F(ExportsBus, WrapLogRecordsTheBytesOnTheWire) {
    wr.WrLogEnableWrap(255);
    wr.WrLogClearWrap();
    uint32_t value = 0;
    ASSERT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, &value, 0), 1);
    ASSERT_EQ(wr.WrLogGetWrapSize(), 2);
    char text[128] = {};
    uint32_t size = sizeof(text);
    ASSERT_EQ(wr.WrLogGetWrapEntry(0, text, &size), 1);
    EXPECT_STREQ(text, "monitor 1 w 6E 51 82 01 10 AC");
    EXPECT_EQ(wr.WrLogGetWrapEntrySize(0), static_cast<int32_t>(size + 1));
    size = 12;
    ASSERT_EQ(wr.WrLogGetWrapEntry(1, text, &size), 1);
    EXPECT_STREQ(text, "monitor 1 r");
    EXPECT_EQ(wr.WrLogGetWrapEntry(2, text, &size), 0);
    EXPECT_EQ(wr.WrLogGetWrapEntrySize(2), 0);
    wr.WrLogDisableWrap();
    EXPECT_EQ(wr.WrLogIsWrapEnable(), 0);
    ASSERT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, &value, 0), 1);
    EXPECT_EQ(wr.WrLogGetWrapSize(), 2);
}

TEST_F(ExportsBus, DiagLogTakesEntriesOnlyWhileEnabled) {
    wr.WrLogClearDiag();
    wr.WrLogDisableDiag();
    EXPECT_EQ(wr.WrLogAddDiagEntry("dropped"), 0);
    EXPECT_EQ(wr.WrLogEnableDiag(0), 1);  // level 0 still enables
    EXPECT_EQ(wr.WrLogIsDiagEnable(), 1);
    EXPECT_EQ(wr.WrLogAddDiagEntry("kept"), 1);
    EXPECT_EQ(wr.WrLogAddDiagEntry(nullptr), 0);
    EXPECT_EQ(DiagLog(), std::vector<std::string>{"kept"});
}

TEST_F(ExportsBus, BusDelayAndLibraryPath) {
    uint32_t delay = 7;
    EXPECT_EQ(wr.WrSetBusDelay(25), 1);
    EXPECT_EQ(wr.WrGetBusDelay(&delay), 1);
    EXPECT_EQ(delay, 25u);
    EXPECT_EQ(wr.WrRestoreBusDelay(), 1);
    EXPECT_EQ(wr.WrGetBusDelay(&delay), 1);
    EXPECT_EQ(delay, 0u);
    EXPECT_EQ(wr.WrGetBusDelay(nullptr), 0);
    EXPECT_EQ(wr.WrLibPath2(nullptr, "LMT"), 0);
    EXPECT_EQ(wr.WrLibPath(nullptr), 0);
    EXPECT_EQ(wr.WrLibPath2(DriverDirectory().c_str(), nullptr), 1);
}

}  // namespace
}  // namespace brevlink::testing
