#include "engine/test_run.h"

#include <algorithm>

#include "engine/code_dispatch.h"
#include "engine/plugin_test.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "report/report_writer.h"

namespace kestrova::engine {

std::atomic<int32_t> PluginProgress{0};

namespace {

constexpr int kAutomaticProgressEnd = 20;
constexpr int kManualProgressEnd = 22;

bool StopWanted() {
    return op::StopRequested.load();
}

int32_t CodeCount(const catalogue::VcpGroup& group) {
    if (group.codes == nullptr) {
        return 0;
    }
    return std::clamp<int32_t>(group.count, 0, static_cast<int32_t>(catalogue::kMaxGroupCodes));
}

void TestCodeAt(const catalogue::VcpGroup& group, int32_t position) {
    const auto i = static_cast<size_t>(position);
    TestVcpCode(group.selected[i], static_cast<uint8_t>(group.codes[i]));
}

void AdvancePluginProgress() {
    op::SetOverallProgress(++PluginProgress);
}

// Steps 1-3 of both walks. False when the group is unticked and done with.
bool OpenGroup(const catalogue::VcpGroup& group) {
    const std::string label = GroupLabel(group.index);
    op::LogLine("%s%s", label.c_str(), group.name.CStr());
    if (!group.enabled) {
        report::WriteGroupSkipped(label, group);
        op::LogLine("...skipped");
        return false;
    }
    report::WriteGroupTableStart(group);
    return true;
}

void FinishRun() {
    report::SaveReport();
    report::FreeReportBody();
    op::LogLine("Testing complete.");
}

}  // namespace

std::string GroupLabel(int32_t groupIndex) {
    const char letter = groupIndex >= 0 && groupIndex < 26 ? static_cast<char>('a' + groupIndex) : '?';
    return std::string{letter, ')', ' '};
}

int RunAutomaticTest() {
    op::LogLine("Testing started...");
    report::BeginReport();
    report::WriteCoverPage();
    report::WriteSummaryHeading();
    report::WriteCapsSection();
    report::WriteEdidSection();
    op::SetOverallProgressRange(0, kAutomaticProgressEnd);
    op::SetOverallProgress(0);
    const catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
    for (size_t g = 0; g < groups.size(); ++g) {
        RunGroup(groups[g]);
        op::SetOverallProgress(static_cast<int>(g));
        if (StopWanted()) {
            break;
        }
    }
    FinishRun();
    return 0;
}

int RunManualTest() {
    op::LogLine("Testing started...");
    report::BeginReport();
    report::WriteCoverPage();
    report::WriteHardwareSection();
    report::WriteCapsSection();
    report::WriteEdidSection();
    // More steps than 22 are counted when many codes are ticked; the bar then just stays full.
    op::SetOverallProgressRange(0, kManualProgressEnd);
    op::SetOverallProgress(0);
    op::SetOverallProgress(0);
    for (const catalogue::VcpGroup& group : catalogue::VcpGroups()) {
        RunGroupWithPlugins(group);
        if (StopWanted()) {
            break;
        }
    }
    FinishRun();
    PluginProgress = 0;
    return 0;
}

void RunGroup(const catalogue::VcpGroup& group) {
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

void RunGroupWithPlugins(const catalogue::VcpGroup& group) {
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
