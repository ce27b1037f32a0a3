// The monitor-config back end against fake monitors (the API's answers and every failure it can
// report), against Wine's own dxva2, and the test build of the library loaded and unloaded.
#include <gtest/gtest.h>

#include <string>

#include "brevlink/exports/backend.h"
#include "brevlink/exports/library.h"
#include "brevlink/exports/monitor_session.h"
#include "brevlink/monitor_config/monitor_config_api.h"
#include "tests/brevlink/monitor_config/corpus_bytes.h"
#include "tests/brevlink/monitor_config/fake_monitor_config.h"

namespace brevlink {
namespace {

using ddcci::DdcStatus;
using testing::Fake;

// Counts the waits asked for instead of sleeping.
class CountingWaiter : public ddcci::Waiter {
  public:
    void WaitMs(uint32_t ms) override { total += ms; }
    uint64_t NowMs() override { return total; }
    uint64_t total = 0;
};

class FakeMonitors : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UseTwoFakeMonitors();
        monitor_config::InstallApi(&testing::FakeApi());
        backend_ = MakeMonitorConfigBackend(error_, [this](const std::string& line) { problems_ += line + "\n"; });
        ASSERT_NE(backend_, nullptr) << error_;
        for (const MonitorLink& link : backend_->Monitors()) {
            sessions_.push_back(std::make_unique<MonitorSession>(link.position, *link.transport, waiter_, link.facts));
        }
        ASSERT_EQ(sessions_.size(), 2u);
    }
    void TearDown() override {
        sessions_.clear();
        backend_.reset();
        EXPECT_EQ(Fake().liveHandles, 0) << "physical monitor handles leaked";
        monitor_config::InstallApi(nullptr);
    }

    std::string error_;
    std::string problems_;
    CountingWaiter waiter_;
    std::unique_ptr<Backend> backend_;
    std::vector<std::unique_ptr<MonitorSession>> sessions_;
};

TEST_F(FakeMonitors, ServesEachMonitorWithItsDevicesEdidAndWholeCapabilities) {
    const sim::HostFacts& first = sessions_[0]->Facts();
    EXPECT_EQ(sessions_[0]->Position(), 1);
    EXPECT_EQ(sessions_[1]->Position(), 2);
    EXPECT_EQ(first.deviceName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(first.deviceString, "Fake Display Adapter 1");
    EXPECT_EQ(first.monitorDevice, "\\\\.\\DISPLAY1\\Monitor0");
    EXPECT_EQ(first.monitorString, "Fake PnP Monitor 1");
    EXPECT_EQ(first.driverName, "VISTA API");
    EXPECT_EQ(sessions_[1]->Facts().deviceName, "\\\\.\\DISPLAY2");

    EXPECT_EQ(sessions_[0]->EdidBytes(), testing::CorpusEdid());
    ASSERT_NE(sessions_[0]->Edid(), nullptr);
    EXPECT_TRUE(sessions_[1]->EdidBytes().empty());
    EXPECT_EQ(sessions_[1]->Edid(), nullptr);
    EXPECT_NE(problems_.find("\\\\.\\DISPLAY2\\Monitor0: no EDID in the registry"), std::string::npos) << problems_;

    ddcci::DdcChannel one(const_cast<I2cTransport&>(*backend_->Monitors()[0].transport), waiter_);
    EXPECT_EQ(one.ReadCapabilities().text, testing::CorpusCapabilitiesOne());
    ddcci::DdcChannel two(const_cast<I2cTransport&>(*backend_->Monitors()[1].transport), waiter_);
    EXPECT_EQ(two.ReadCapabilities().text, testing::CorpusCapabilitiesTwo());
    EXPECT_EQ(waiter_.total, 0u) << "the API waits itself";
}

TEST_F(FakeMonitors, ReadsValuesAndUnsupportedAndNeverShowsAFailureAsAValue) {
    struct Case {
        uint8_t code;
        DdcStatus status;
        const char* logged;  // what the diag log says, if anything
    };
    const Case cases[] = {
        {0x10, DdcStatus::kOk, nullptr},
        {0xE0, DdcStatus::kUnsupported, nullptr},  // not a feature of the monitor
        {0x62, DdcStatus::kBusError,
         "GetVCPFeatureAndVCPFeatureReply(0x62) failed: 0xC026258B (the reply's checksum is wrong)"},
        {0x16, DdcStatus::kBusError, "failed: 0xC0262583 (the bus failed while receiving)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const ddcci::VcpReading reading = sessions_[0]->GetVcp(c.code);
        EXPECT_EQ(reading.status, c.status);
        if (c.status == DdcStatus::kOk) {
            const sim::FeatureAnswer answer = Fake().monitors[0].model->Get(c.code);
            EXPECT_EQ(reading.reply.current, answer.current);
            EXPECT_EQ(reading.reply.maximum, answer.maximum);
        }
        if (c.status == DdcStatus::kUnsupported) {
            EXPECT_EQ(reading.received.bytes[3], ddcci::kResultUnsupported) << "rebuilt reply bytes carry the result";
        }
        if (c.logged != nullptr) {
            EXPECT_NE(problems_.find(c.logged), std::string::npos) << problems_;
        }
    }

    EXPECT_EQ(sessions_[0]->SetVcp(0x10, 33).status, DdcStatus::kOk);
    EXPECT_EQ(sessions_[0]->GetVcp(0x10).reply.current, 33);
    EXPECT_NE(sessions_[0]->SetVcp(0x18, 20).status, DdcStatus::kOk);
    EXPECT_NE(problems_.find("SetVCPFeature(0x18) failed: 0xC0262582"), std::string::npos) << problems_;
}

TEST_F(FakeMonitors, AMonitorThatVanishedFailsEveryCallCleanly) {
    Fake().monitors[0].vanished = true;
    EXPECT_EQ(sessions_[0]->GetVcp(0x10).status, DdcStatus::kBusError);
    EXPECT_EQ(sessions_[0]->SetVcp(0x10, 1).status, DdcStatus::kBusError);
    EXPECT_FALSE(sessions_[0]->Reparse());
    EXPECT_NE(problems_.find("0xC026258D (the monitor is no longer attached)"), std::string::npos);
    EXPECT_EQ(sessions_[1]->GetVcp(0x10).status, DdcStatus::kOk) << "the other monitor still answers";

    // Handles destroyed under the library (the monitor's driver restarted): calls still end.
    Fake().monitors[0].vanished = false;
    testing::InvalidateLiveHandles();
    EXPECT_EQ(sessions_[0]->GetVcp(0x10).status, DdcStatus::kBusError);
    EXPECT_NE(problems_.find("0xC026258C"), std::string::npos);
}

TEST(MonitorConfigLibrary, HandlesAreGivenBackAtEveryEnumerationAndRelease) {
    testing::UseTwoFakeMonitors();
    const int givenBefore = Fake().handlesGiven;
    monitor_config::InstallApi(&testing::FakeApi());
    SetEnvironmentVariableA("BREVLINK_BACKEND", "monitor-config");
    Library& library = Library::Instance();
    ASSERT_TRUE(library.Enumerate());
    EXPECT_EQ(library.MonitorCount(), 2);
    ASSERT_TRUE(library.Enumerate());
    EXPECT_EQ(Fake().liveHandles, 2);
    EXPECT_EQ(Fake().handlesGiven - givenBefore, 4);
    library.Release();
    EXPECT_EQ(Fake().liveHandles, 0);
    SetEnvironmentVariableA("BREVLINK_BACKEND", nullptr);
    monitor_config::InstallApi(nullptr);
}

TEST(MonitorConfigLibrary, UnloadingTheLibraryGivesBackItsHandles) {
    char program[MAX_PATH] = {};
    const std::string path(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
    const std::string library = path.substr(0, path.find_last_of("\\/") + 1) + "fake-monitor-config\\Brevlink.dll";
    SetEnvironmentVariableA("BREVLINK_BACKEND", "monitor-config");
    HMODULE module = LoadLibraryA(library.c_str());
    ASSERT_NE(module, nullptr) << library;
    using EnumFn = int32_t (*)();
    const auto reEnum = reinterpret_cast<EnumFn>(reinterpret_cast<void*>(GetProcAddress(module, "WrReEnum")));
    ASSERT_NE(reEnum, nullptr);
    reEnum();
    reEnum();
    char live[16] = {};
    char given[16] = {};
    GetEnvironmentVariableA("BREVLINK_FAKE_LIVE_HANDLES", live, sizeof(live));
    GetEnvironmentVariableA("BREVLINK_FAKE_HANDLES_GIVEN", given, sizeof(given));
    EXPECT_STREQ(live, "2");
    EXPECT_STREQ(given, "4");
    FreeLibrary(module);
    GetEnvironmentVariableA("BREVLINK_FAKE_LIVE_HANDLES", live, sizeof(live));
    EXPECT_STREQ(live, "0") << "handles outlived the library";
    SetEnvironmentVariableA("BREVLINK_BACKEND", nullptr);
}

// Wine's API gives no physical monitor for its display: the display is still served, by its
// devices, with every DDC/CI read failing, never a crash or a value.
TEST(MonitorConfigOnThisSystem, ServesWhatTheSystemHasAndFailsItsReadsCleanly) {
    monitor_config::InstallApi(nullptr);
    std::string error;
    std::string problems;
    std::unique_ptr<Backend> backend =
        MakeMonitorConfigBackend(error, [&problems](const std::string& line) { problems += line + "\n"; });
    ASSERT_NE(backend, nullptr) << error;
    const std::vector<MonitorLink> links = backend->Monitors();
    ASSERT_GE(links.size(), 1u) << problems;
    CountingWaiter waiter;
    MonitorSession session(links[0].position, *links[0].transport, waiter, links[0].facts);
    EXPECT_EQ(session.Facts().driverName, "VISTA API");
    EXPECT_FALSE(session.Facts().deviceName.empty());
    const ddcci::VcpReading reading = session.GetVcp(0x10);
    EXPECT_NE(reading.status, DdcStatus::kOk);
    EXPECT_NE(reading.status, DdcStatus::kUnsupported);
    EXPECT_FALSE(session.Reparse());
    EXPECT_FALSE(problems.empty());
}

}  // namespace
}  // namespace brevlink
