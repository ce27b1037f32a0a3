#include "project/project_file.h"

#include <cstdio>
#include <memory>

#include "operator/mode_state.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "project/project_settings.h"

namespace kestrova::project {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

void ApplyHeader(const ProjectRecord& record) {
    op::ProjectTitle = record.title.View();

    if (record.testType == kTestTypeAutomatic) {
        op::SetModeChecked(op::kAutomaticMode);
    } else if (record.testType == kTestTypeManual) {
        op::SetModeChecked(op::kManualMode);
    }
    // A project fixes the mode for the rest of the program's run, even when it leaves it open.
    op::GreySettingsMenu();
    op::UpdateModeCaption();

    if (record.level == kLevelStandard) {
        op::FullRangeTesting = false;
    } else if (record.level == kLevelRobust) {
        op::FullRangeTesting = true;
    }
    op::UpdateModeCaption();

    const uint8_t bits = static_cast<uint8_t>(record.pluginBits & 0xFF);
    ProjectRequiresVista = (bits & kPluginVista) != 0;
    ProjectRequiresAssetManagement = (bits & kPluginAssetManagement) != 0;
    ProjectRequiresTheftDeterrence = (bits & kPluginTheftDeterrence) != 0;
    ProjectRequiresZoningPip = (bits & kPluginZoningPip) != 0;
    ProjectRequiresAutoPivot = (bits & kPluginAutoPivot) != 0;
    ProjectApplicationKey = record.applicationKey.View();
}

}  // namespace

ProjectReadError ReadProjectFile(const std::string& path, ProjectRecord& record) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return ProjectReadError::kCannotOpen;
    }
    ProjectBytes bytes{};
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (got < 2) {
        return ProjectReadError::kDamaged;
    }
    if ((bytes[kVersionOffset] | (bytes[kVersionOffset + 1] << 8)) != kProjectFormatVersion) {
        return ProjectReadError::kUnsupportedVersion;
    }
    if (got < bytes.size() || !ParseProjectRecord(bytes, record)) {
        return ProjectReadError::kDamaged;
    }
    return ProjectReadError::kNone;
}

const char* ProjectReadErrorText(ProjectReadError error) {
    switch (error) {
        case ProjectReadError::kNone:
            return "";
        case ProjectReadError::kCannotOpen:
            return kCannotOpenProjectText;
        case ProjectReadError::kUnsupportedVersion:
            return kUnsupportedVersionText;
        case ProjectReadError::kDamaged:
            return kDamagedProjectText;
    }
    return kDamagedProjectText;
}

bool LoadProjectHeader() {
    ProjectRecord record;
    ProjectReadError error = ReadProjectFile(op::ProjectPath.Str(), record);
    if (error != ProjectReadError::kNone) {
        op::ShowErrorBox(ProjectReadErrorText(error));
        return false;
    }
    ApplyHeader(record);
    return true;
}

bool ReadProjectForEdit(const std::string& path, ProjectRecord& record) {
    ProjectRecord read;
    ProjectReadError error = ReadProjectFile(path, read);
    if (error != ProjectReadError::kNone) {
        op::ShowErrorBox(ProjectReadErrorText(error));
        return false;
    }
    record = read;
    return true;
}

bool WriteProjectFile(const std::string& path, const ProjectRecord& record) {
    const ProjectBytes bytes = SerializeProjectRecord(record);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace kestrova::project
