// End to end: a run through the real run driver, dispatch, shared checks, report writer, bus layer
// and the Brevlink lab library, on the virtual clock and a fixed date, must write a report equal
// byte for byte to a checked-in golden file. KESTROVA_UPDATE_GOLDEN=1 rewrites the goldens instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bus/monitor_table.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "engine/test_run.h"
#include "lab_monitor.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "report/html_templates.h"
#include "report/report_writer.h"
#include "standin_procedures.h"

namespace kestrova::engine {
namespace {

using testing::SourcePath;
using testing::UseLabProfile;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path GoldenPath(const std::string& name) {
    return std::filesystem::path(SourcePath("tests/engine/golden/" + name));
}

// Where two texts first differ, with some context of each, instead of two 100 kB dumps.
std::string FirstDifference(const std::string& got, const std::string& want) {
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) {
        ++at;
    }
    const size_t from = at > 80 ? at - 80 : 0;
    return "first difference at byte " + std::to_string(at) + " (sizes " + std::to_string(got.size()) + " and " +
           std::to_string(want.size()) + ")\n got: " + got.substr(from, 200) + "\nwant: " + want.substr(from, 200);
}

class GoldenReportTest : public ::testing::Test {
  protected:
    GoldenReportTest() {
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
        report::ResetReportTexts();
        platform::SetCurrentDateTimeSource(&dateTime_);
        op::CheckoffInfo.checkoffUser = "J. Engineer";
        op::CheckoffInfo.checkoffFirmwareVersion = "1.2";
        op::CheckoffInfo.checkoffFirmwareDate = "2026-11-30";
        op::CheckoffInfo.checkoffRevision = "B";
        op::CheckoffInfo.checkoffLockingCode = "0000";
        folder_ = std::filesystem::path(::testing::TempDir()) /
                  ("engine_golden_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~GoldenReportTest() override {
        std::filesystem::remove_all(folder_);
        platform::SetCurrentDateTimeSource(nullptr);
        report::FreeReportBody();
        report::ResetReportTexts();
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
    }

    void TickEverything() {
        for (catalogue::VcpGroup& group : catalogue::VcpGroups()) {
            group.enabled = true;
            std::fill_n(group.selected.begin(), group.count, true);
        }
    }
    void Tick(int32_t g, std::initializer_list<uint8_t> codes) {
        catalogue::VcpGroup& group = catalogue::VcpGroups()[static_cast<size_t>(g)];
        group.enabled = true;
        for (uint8_t code : codes) {
            for (int32_t i = 0; i < group.count; ++i) {
                if (group.codes[i] == code) {
                    group.selected[static_cast<size_t>(i)] = true;
                }
            }
        }
    }

    // Runs the thread procedure on this thread and answers the save dialog with a fresh file.
    std::string Run(int (*run)()) {
        const std::filesystem::path saved = folder_ / "report.html";
        presenter_.QueueSavePath(saved.string());
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(presenter_.LogLines().back(), "Testing complete.");
        return ReadFile(saved);
    }

    void ExpectGolden(const std::string& report, const std::string& name) {
        const std::filesystem::path golden = GoldenPath(name);
        if (std::getenv("KESTROVA_UPDATE_GOLDEN") != nullptr) {
            std::ofstream(golden, std::ios::binary) << report;
            return;
        }
        const std::string want = ReadFile(golden);
        ASSERT_FALSE(want.empty()) << "missing golden " << golden.string();
        EXPECT_TRUE(report == want) << name << ": " << FirstDifference(report, want);
    }

    platform::FixedDateTimeSource dateTime_{{"2:07 PM", "Monday, December 7, 2026"}};
    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    op::testing::RecordingPresenter presenter_;
    op::ScopedPresenter scopedPresenter_{&presenter_};
    testing::ScopedStandIns standIns_;
    std::filesystem::path folder_;
};

TEST_F(GoldenReportTest, AutomaticRunAgainstTheCompliantMonitor) {
    ASSERT_TRUE(UseLabProfile(SourcePath("lab/compliant.json")));
    TickEverything();
    catalogue::VcpGroups()[20].enabled = false;
    op::TestMode = op::kAutomaticMode;
    ExpectGolden(Run(&RunAutomaticTest), "automatic-compliant.html");
    // The screen actions each waited one poll for the reset; nothing else waits on a compliant monitor.
    EXPECT_GT(clock_.TotalSleptMs(), 0u);
}

TEST_F(GoldenReportTest, ManualRobustRunWithoutCapabilities) {
    ASSERT_TRUE(UseLabProfile(SourcePath("tests/engine/golden/no-caps.json")));
    Tick(0, {0x04, 0x10, 0x12});
    Tick(catalogue::kTheftDeterrenceGroup, {0xFA});
    Tick(catalogue::kZoningPipGroup, {});
    Tick(17, {0xE5});
    op::TestMode = op::kManualMode;
    op::FullRangeTesting = true;
    op::UsingProject = true;
    op::ProjectTitle = "Lab bring-up";
    op::IncludeAssetManagement = op::IncludeTheftDeterrence = op::IncludeAutoPivot = op::IncludeZoningPip =
        op::IncludeVistaCompliance = true;
    ExpectGolden(Run(&RunManualTest), "manual-robust-no-caps.html");
}

constexpr size_t kLongestFill = 4096;

// True when `text` holds `pattern` at `at`, with each %d filled by a number, each %.2x by two hex
// digits and each %s by text on one line (taken as short as the next literal piece allows).
bool MatchesAt(const std::string& text, size_t at, std::string_view pattern) {
    bool gap = false;
    while (!pattern.empty()) {
        if (pattern.starts_with("%s")) {
            gap = true;
            pattern.remove_prefix(2);
            continue;
        }
        if (pattern.starts_with("%d")) {
            at += at < text.size() && text[at] == '-' ? 1 : 0;
            const size_t digits = at;
            while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
                ++at;
            }
            if (at == digits) {
                return false;
            }
            pattern.remove_prefix(2);
            continue;
        }
        if (pattern.starts_with("%.2x")) {
            if (at + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[at])) ||
                !std::isxdigit(static_cast<unsigned char>(text[at + 1]))) {
                return false;
            }
            at += 2;
            pattern.remove_prefix(4);
            continue;
        }
        const std::string_view piece = pattern.substr(0, pattern.find('%'));
        size_t found = text.compare(at, piece.size(), piece) == 0 ? at : std::string::npos;
        if (gap) {
            // A filled %s is one cell's text at most: no line feed, no more than a result text holds.
            const std::string_view window = std::string_view(text).substr(at, kLongestFill + piece.size());
            const size_t offset = window.find(piece);
            const bool oneLine =
                offset != std::string_view::npos && window.substr(0, offset).find('\n') == std::string_view::npos;
            found = oneLine ? at + offset : std::string::npos;
            gap = false;
        }
        if (found == std::string::npos) {
            return false;
        }
        at = found + piece.size();
        pattern.remove_prefix(piece.size());
    }
    return true;
}

bool Contains(const std::string& text, std::string_view pattern) {
    // A leading %s may hold anything before the rest: it needs no place of its own.
    while (pattern.starts_with("%s")) {
        pattern.remove_prefix(2);
    }
    const std::string_view head = pattern.substr(0, pattern.find('%'));
    for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) {
        if (MatchesAt(text, at, pattern)) {
            return true;
        }
    }
    return false;
}

TEST(GoldenReportCoverageTest, EveryTemplateAppearsInAGolden) {
    namespace html = report::html;
    const std::string goldens =
        ReadFile(GoldenPath("automatic-compliant.html")) + "\n" + ReadFile(GoldenPath("manual-robust-no-caps.html"));
    ASSERT_GT(goldens.size(), 1000u);
    const std::pair<const char*, const char*> templates[] = {
        {"caps title", html::kCapsTitle},
        {"caps open", html::kCapsOpen},
        {"caps bad open", html::kCapsBadOpen},
        {"caps bad text", html::kCapsBadText},
        {"caps bad close", html::kCapsBadClose},
        {"hardware title", html::kHardwareTitle},
        {"EDID title", html::kEdidTitle},
        {"table2", html::kTable2},
        {"head big", html::kHeadBig},
        {"head big newline", html::kHeadBigNewline},
        {"head small", html::kHeadSmall},
        {"row", html::kRow},
        {"row end", html::kRowEnd},
        {"EDID caption", html::kEdidCaption},
        {"EDID head description", html::kEdidHeadDescription},
        {"EDID head value", html::kEdidHeadValue},
        {"pair", html::kPair},
        {"group open", html::kGroupOpen},
        {"group caption", html::kGroupCaption},
        {"group caption end", html::kGroupCaptionEnd},
        {"VCP head code", html::kVcpHeadCode},
        {"VCP head name", html::kVcpHeadName},
        {"VCP head type", html::kVcpHeadType},
        {"VCP head verdict", html::kVcpHeadVerdict},
        {"VCP head comments", html::kVcpHeadComments},
        {"VCP code", html::kVcpCode},
        {"VCP name", html::kVcpName},
        {"VCP type", html::kVcpType},
        {"VCP pass", html::kVcpPass},
        {"VCP fail", html::kVcpFail},
        {"VCP comments", html::kVcpComments},
        {"table end", html::kTableEnd},
        {"group close space", html::kGroupCloseSpace},
        {"group skipped", html::kGroupSkipped},
        {"plugin open", html::kPluginOpen},
        {"theft title", html::kTheftTitle},
        {"theft caption", html::kTheftCaption},
        {"PIP title", html::kPipTitle},
        {"PIP caption", html::kPipCaption},
        {"plugin head codes", html::kPluginHeadCodes},
        {"plugin head description", html::kPluginHeadDescription},
        {"plugin head verdict", html::kPluginHeadVerdict},
        {"plugin head comments", html::kPluginHeadComments},
        {"plugin cells", html::kPluginCells},
        {"plugin cell", html::kPluginCell},
        {"plugin fail", html::kPluginFail},
        {"space", html::kSpace},
        {"space newline", html::kSpaceNewline},
        {"paragraph end", html::kParagraphEnd},
        {"summary", html::kSummary},
    };
    for (const auto& [name, text] : templates) {
        EXPECT_TRUE(Contains(goldens, text)) << name;
    }
    // And the cover's optional paragraphs.
    EXPECT_TRUE(Contains(goldens, "Project: Lab bring-up"));
    EXPECT_TRUE(Contains(goldens, "Plug-ins that are included:<BR>"));
}

}  // namespace
}  // namespace kestrova::engine
