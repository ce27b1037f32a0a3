// Any file handed over as a project: the wizard's header reader, the editor's reader and the
// editor model's load either take the whole record or refuse it with the box that says why, and
// then nothing of the file has been applied.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "fuzz/common/fuzz_support.h"
#include "operator/mode_state.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/local_time.h"
#include "project/project_editor.h"
#include "project/project_file.h"
#include "project/project_record.h"
#include "project/project_settings.h"

namespace {

using namespace kestrova;
using kestrova::fuzz::Check;

// What the header reader may change.
struct HeaderState {
    std::string title;
    std::string key;
    int mode = 0;
    bool fullRange = false;
    bool greyed = false;
    bool automaticChecked = false;
    bool manualChecked = false;
    bool plugins[5] = {};

    static HeaderState Now() {
        HeaderState state;
        state.title = op::ProjectTitle.Str();
        state.key = project::ProjectApplicationKey.Str();
        state.mode = op::TestMode;
        state.fullRange = op::FullRangeTesting;
        const op::SettingsMenuState menu = op::CurrentSettingsMenu();
        state.greyed = menu.greyed;
        state.automaticChecked = menu.automaticChecked;
        state.manualChecked = menu.manualChecked;
        state.plugins[0] = project::ProjectRequiresVista;
        state.plugins[1] = project::ProjectRequiresAssetManagement;
        state.plugins[2] = project::ProjectRequiresTheftDeterrence;
        state.plugins[3] = project::ProjectRequiresZoningPip;
        state.plugins[4] = project::ProjectRequiresAutoPivot;
        return state;
    }

    bool operator==(const HeaderState&) const = default;
};

// Something no file sets: a refused file must leave exactly this.
void SetUnlikelyState() {
    op::ProjectTitle = "state before the file";
    project::ProjectApplicationKey = "zz";
    op::ResetSettingsMenu();
    op::FullRangeTesting = true;
    project::ProjectRequiresVista = true;
    project::ProjectRequiresAssetManagement = false;
    project::ProjectRequiresTheftDeterrence = true;
    project::ProjectRequiresZoningPip = false;
    project::ProjectRequiresAutoPivot = true;
}

const std::string& ScratchPath() {
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/kestrova-project-fuzz-" + std::to_string(getpid()) + ".vmdProj";
    return path;
}

bool SameRecord(const project::ProjectRecord& a, const project::ProjectRecord& b) {
    return project::SerializeProjectRecord(a) == project::SerializeProjectRecord(b);
}

bool SameFields(const project::ProjectEditorFields& a, const project::ProjectEditorFields& b) {
    return a.title == b.title && a.testType == b.testType && a.level == b.level && a.vista == b.vista &&
           a.assetManagement == b.assetManagement && a.theftDeterrence == b.theftDeterrence &&
           a.zoningPip == b.zoningPip && a.autoPivot == b.autoPivot && a.applicationKey == b.applicationKey &&
           a.comments == b.comments;
}

// The one "Error" box of a refusal, or none.
void CheckBoxes(const op::testing::RecordingPresenter& presenter, const char* expected) {
    const auto boxes = presenter.EventsOf(op::testing::EventKind::kMessage);
    if (expected == nullptr) {
        Check(boxes.empty());
        return;
    }
    Check(boxes.size() == 1 && boxes[0].caption == "Error" && boxes[0].text == expected);
}

void CheckHeaderReader(const std::optional<project::ProjectRecord>& record, const char* refusal) {
    SetUnlikelyState();
    const HeaderState before = HeaderState::Now();
    op::ProjectPath = ScratchPath();
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter installed(&presenter);
    const bool loaded = project::LoadProjectHeader();
    Check(loaded == record.has_value());
    CheckBoxes(presenter, refusal);
    const HeaderState after = HeaderState::Now();
    if (!record) {
        Check(after == before);
        return;
    }
    Check(after.title == record->title.View() && after.key == record->applicationKey.View());
    Check(after.greyed);
    if (record->testType == project::kTestTypeAutomatic || record->testType == project::kTestTypeManual) {
        Check(after.mode == (record->testType == project::kTestTypeAutomatic ? op::kAutomaticMode : op::kManualMode));
    } else {
        Check(after.mode == before.mode);
    }
    if (record->level == project::kLevelStandard || record->level == project::kLevelRobust) {
        Check(after.fullRange == (record->level == project::kLevelRobust));
    } else {
        Check(after.fullRange == before.fullRange);
    }
    for (int bit = 0; bit < 5; ++bit) {
        Check(after.plugins[bit] == ((record->pluginBits >> bit) & 1));
    }
}

void CheckEditorReader(const std::optional<project::ProjectRecord>& record, const char* refusal) {
    project::ProjectRecord read;
    read.title = "record before the file";
    read.level = 0xBEEF;
    const project::ProjectRecord before = read;
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter installed(&presenter);
    Check(project::ReadProjectForEdit(ScratchPath(), read) == record.has_value());
    CheckBoxes(presenter, refusal);
    Check(SameRecord(read, record ? *record : before));
}

void CheckEditorModel(const std::optional<project::ProjectRecord>& record, const char* refusal) {
    static project::ProjectEditorModel model(platform::LocalDateTime{});
    model.Fields().title = "fields before the file";
    model.Fields().comments = "kept";
    const project::ProjectEditorFields before = model.Fields();
    op::testing::RecordingPresenter presenter;
    op::ScopedPresenter installed(&presenter);
    Check(model.LoadFile(ScratchPath()) == record.has_value());
    CheckBoxes(presenter, refusal);
    Check(SameFields(model.Fields(), record ? project::FieldsFromRecord(*record) : before));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    Check(file != nullptr);
    Check(std::fwrite(data, 1, size, file) == size);
    Check(std::fclose(file) == 0);

    // What the file must give, worked out here from the layout alone.
    std::optional<project::ProjectRecord> record;
    const char* refusal = nullptr;
    if (size < 2) {
        refusal = project::kDamagedProjectText;
    } else if ((data[0] | (data[1] << 8)) != project::kProjectFormatVersion) {
        refusal = project::kUnsupportedVersionText;
    } else if (size < project::kProjectRecordSize) {
        refusal = project::kDamagedProjectText;
    } else {
        record.emplace();
        Check(project::ParseProjectRecord(std::span<const uint8_t>(data, size), *record));
        Check(record->title.View().size() < project::kTitleSize);
        Check(record->comments.View().size() < project::kCommentsSize);
        Check(record->applicationKey.View().size() < project::kApplicationKeySize);
    }

    CheckHeaderReader(record, refusal);
    CheckEditorReader(record, refusal);
    CheckEditorModel(record, refusal);
    std::remove(ScratchPath().c_str());
    return 0;
}
