#include "bus/wrapper_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "bus/bus_startup.h"
#include "bus/wrapper_table.h"
#include "fake_wrapper.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"

namespace kestrova::bus {
namespace {

using platform::FixedShellFolders;
using testing::BoundFake;
using testing::Fake;
using testing::MakeFakeModule;
using testing::ResetFake;

struct DirectoryCase {
    std::optional<std::string> common;
    std::optional<std::string> programFiles;
    std::optional<std::string> expected;
};

TEST(DriverDirectory, BuildsFromTheFolderAnswers) {
#ifdef _WIN32
    const DirectoryCase cases[] = {
        {"C:\\Program Files\\Common Files", "C:\\Program Files",
         "C:\\Program Files\\Common Files\\Velmora Displays\\Drivers\\"},
        {"C:\\Program Files\\Common Files\\", std::nullopt,
         "C:\\Program Files\\Common Files\\Velmora Displays\\Drivers\\"},
        {"", "C:\\Program Files", "C:\\Program Files\\Common Files\\Velmora Displays\\Drivers\\"},
        {"", "C:\\Program Files\\", "C:\\Program Files\\Common Files\\Velmora Displays\\Drivers\\"},
        {std::nullopt, "C:\\Program Files", std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
#else
    const DirectoryCase cases[] = {
        {"/usr/local/lib", "/opt", "/usr/local/lib/Velmora Displays/Drivers/"},
        {"/usr/local/lib/", std::nullopt, "/usr/local/lib/Velmora Displays/Drivers/"},
        {"", "/opt", "/opt/Common Files/Velmora Displays/Drivers/"},
        {"", "/opt/", "/opt/Common Files/Velmora Displays/Drivers/"},
        {std::nullopt, "/opt", std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
#endif
    for (const DirectoryCase& c : cases) {
        FixedShellFolders folders(c.common, c.programFiles);
        EXPECT_EQ(FindDriverDirectory(folders), c.expected)
            << "common=" << c.common.value_or("<failed>") << " programFiles=" << c.programFiles.value_or("<failed>");
    }
}

TEST(DriverDirectory, LibraryPathCarriesTheDoubledSeparator) {
#ifdef _WIN32
    FixedShellFolders folders("C:\\Program Files\\Common Files", "C:\\Program Files");
    EXPECT_EQ(WrapperLibraryPath(*FindDriverDirectory(folders)),
              "C:\\Program Files\\Common Files\\Velmora Displays\\Drivers\\\\Brevlink.dll");
#else
    FixedShellFolders folders("/usr/local/lib", "/opt");
    EXPECT_EQ(WrapperLibraryPath(*FindDriverDirectory(folders)),
              "/usr/local/lib/Velmora Displays/Drivers//libbrevlink.so");
#endif
    EXPECT_EQ(WrapperLibraryPath(""), kWrapperFileName);
    EXPECT_EQ(WrapperLibraryPath("x"), kWrapperFileName);
}

TEST(WrapperLoading, MissingLibraryShowsTheErrorBoxAndTouchesNothing) {
    op::testing::RecordingPresenter presenter;
    op::InstallPresenter(&presenter);
    UnbindWrapper();
    const auto empty = std::filesystem::temp_directory_path() / "kestrova-no-wrapper";
    std::filesystem::create_directories(empty);
    FixedShellFolders folders(empty.string(), std::nullopt);

    EXPECT_FALSE(StartBus(folders));

    const auto messages = presenter.EventsOf(op::testing::EventKind::kMessage);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Kestrova loading error");
    EXPECT_EQ(messages[0].text,
              "There was an error loading the required libraries or drivers for Kestrova.  Kestrova will Exit.\n"
              "If this error has come up for the first time :\n"
              "1) Verify installation is correct.\n"
              "2) Restart the system and try again.\n"
              "If you continue to see this error, please notify Velmora Displays Inc.");
    EXPECT_TRUE(presenter.LogLines().empty());
    for (const char* name : WrapperEntryPointNames()) {
        EXPECT_FALSE(IsBound(name)) << name;
    }
    op::InstallPresenter(nullptr);
}

TEST(WrapperLoading, FailedFolderQueryIsALoadingError) {
    FixedShellFolders folders(std::nullopt, std::nullopt);
    EXPECT_FALSE(LocateAndLoadWrapper(folders));
}

TEST(WrapperBinding, TableHoldsEveryNameInBindingOrder) {
    const auto& names = WrapperEntryPointNames();
    ASSERT_EQ(names.size(), 126u);
    EXPECT_STREQ(names.front(), "WrWmDisplayChange");
    EXPECT_STREQ(names[5], "WrSynLock");
    EXPECT_STREQ(names.back(), "WrDDCGetAltDisplayMask");
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size());
}

TEST(WrapperBinding, MissingNamesStayNullAndOptionalOnesAreNotRequired) {
    ResetFake();
    auto module = MakeFakeModule();
    module.Remove("WrDDCGetRangeRtn");
    module.Remove("WrDDCSendVCPCommandRtn");
    module.Remove("WrCapsGetSize");
    BoundFake bound(std::move(module));
    EXPECT_FALSE(IsBound("WrDDCGetRangeRtn"));
    EXPECT_FALSE(IsBound("WrZoneSendCommand"));
    EXPECT_TRUE(IsBound("WrDDCGetRange"));
    EXPECT_EQ(FirstMissingRequiredEntryPoint(), "");
    EXPECT_EQ(FindOptionalEntryPoint("WrDDCGetRangeRtn"), nullptr);
}

TEST(WrapperBinding, ALibraryWithoutACalledOperationIsRefused) {
    for (const char* name : {"WrDDCGetRange", "WrSynLock", "WrCapsGetString", "WrEDIDGetInfo", "WrLibPath2"}) {
        ResetFake();
        auto module = MakeFakeModule();
        module.Remove(name);
        BoundFake bound(std::move(module));
        EXPECT_EQ(FirstMissingRequiredEntryPoint(), name);
    }
}

TEST(BusPreparation, WaitsForTheLockThenSetsLogsAndEnumerates) {
    ResetFake();
    Fake().lockDenials = 2;
    BoundFake bound(MakeFakeModule());
    platform::VirtualClock clock;
    platform::ScopedClock scoped(clock);

    PrepareBus();

    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{10, 10}));
    const std::vector<std::string> expected = {"WrSynLock",           "WrSynLock", "WrSynLock",  "WrLogEnableDiag 0",
                                               "WrLogEnableWrap 255", "WrEnum",    "WrSynUnlock"};
    EXPECT_EQ(Fake().calls, expected);
}

}  // namespace
}  // namespace kestrova::bus
