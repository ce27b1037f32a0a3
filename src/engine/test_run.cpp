#include "engine/test_run.h"

#include <algorithm>

#include "app/operator_output.h"
#include "app/run_settings.h"
#include "engine/plugin_test.h"
#include "engine/vcp_dispatch.h"
#include "report/report_writer.h"

namespace kestrova::engine {

std::atomic<int32_t> PluginProgress{0};

namespace {

constexpr int kAutomaticProgressEnd = 20;
constexpr int kManualProgressEnd = 22;

bool StopWanted() {
    return app::StopRequested.load();
}

int32_t CodeCount(const VcpGroup& group) {
    if (group.codes == nullptr) {
        return 0;
    }
    return std::clamp<int32_t>(group.count, 0, static_cast<int32_t>(kMaxGroupCodes));
}

void TestCodeAt(const VcpGroup& group, int32_t position) {
    const auto i = static_cast<size_t>(position);
    TestVcpCode(group.selected[i], static_cast<uint8_t>(group.codes[i]));
}

void AdvancePluginProgress() {
    app::SetOverallProgress(++PluginProgress);
}

// Steps 1-3 of both walks. False when the group is unticked and done with.
bool OpenGroup(const VcpGroup& group) {
    const std::string label = GroupLabel(group.index);
    app::LogLine("%s%s", label.c_str(), group.name.CStr());
    if (!group.enabled) {
        report::WriteGroupSkipped(label, group);
        app::LogLine("...skipped");
        return false;
    }
    report::WriteGroupTableStart(group);
    return true;
}

void FinishRun() {
    report::SaveReport();
    report::FreeReportBody();
    app::LogLine("Testing complete.");
}

}  // namespace

std::string GroupLabel(int32_t groupIndex) {
    const char letter = groupIndex >= 0 && groupIndex < 26 ? static_cast<char>('a' + groupIndex) : '?';
    return std::string{letter, ')', ' '};
}

int RunAutomaticTest() {
    app::LogLine("Testing started...");
    report::BeginReport();
    report::WriteCoverPage();
    report::WriteSummaryHeading();
    report::WriteCapsSection();
    report::WriteEdidSection();
    app::SetOverallProgressRange(0, kAutomaticProgressEnd);
    app::SetOverallProgress(0);
    const VcpGroupArray& groups = VcpGroups();
    for (size_t g = 0; g < groups.size(); ++g) {
        RunGroup(groups[g]);
        app::SetOverallProgress(static_cast<int>(g));
        if (StopWanted()) {
            break;
        }
    }
    FinishRun();
    return 0;
}

int RunManualTest() {
    app::LogLine("Testing started...");
    report::BeginReport();
    report::WriteCoverPage();
    report::WriteHardwareSection();
    report::WriteCapsSection();
    report::WriteEdidSection();
    // More steps than 22 are counted when many codes are ticked; the bar then just stays full.
    app::SetOverallProgressRange(0, kManualProgressEnd);
    app::SetOverallProgress(0);
    app::SetOverallProgress(0);
    for (const VcpGroup& group : VcpGroups()) {
        RunGroupWithPlugins(group);
        if (StopWanted()) {
            break;
        }
    }
    FinishRun();
    PluginProgress = 0;
    return 0;
}

void RunGroup(const VcpGroup& group) {
    if (!OpenGroup(group)) {
        return;
    }
    const int32_t count = CodeCount(group);
    for (int32_t i = 0; i < count; ++i) {
        TestCodeAt(group, i);
        if (StopWanted()) {
            break;
        }
    }
    report::WriteGroupTableEnd();
}

void RunGroupWithPlugins(const VcpGroup& group) {
    if (!OpenGroup(group)) {
        return;
    }
    const int32_t count = CodeCount(group);
    if (group.hasManualTest) {
        for (int32_t i = 0; i < count; ++i) {
            TestCodeAt(group, i);
            if (StopWanted()) {
                break;
            }
        }
        // The manual test runs even after a stop during the rows: it belongs to the group's table.
        AdvancePluginProgress();
        if (PluginTest test = FindPluginTest(group.index); test != nullptr) {
            test();
        }
        AdvancePluginProgress();
    } else {
        for (int32_t i = 0; i < count; ++i) {
            TestCodeAt(group, i);
            AdvancePluginProgress();
            if (StopWanted()) {
                break;
            }
        }
    }
    report::WriteGroupTableEnd();
}

}  // namespace kestrova::engine
