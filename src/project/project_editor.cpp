#include "project/project_editor.h"

#include <cctype>

#include "operator/operator_output.h"
#include "project/project_checksum.h"
#include "project/project_file.h"
#include "project/project_open_request.h"
#include "project/project_run_selection.h"
#include "project/vcp_tree_builder.h"

namespace kestrova::project {

namespace {

constexpr char kFileNamePrefix[] = "VCP Project ";
constexpr char kFileNameSuffix[] = ".vmdProj";
constexpr char kSaveProjectTitle[] = "Save project as:";

uint16_t ChoiceValue(int position) {
    // The list's empty selection (-1) is written as it comes, an unsigned 16-bit 0xFFFF.
    return static_cast<uint16_t>(position);
}

int ChoiceOf(uint16_t value, size_t choices) {
    return value < choices ? static_cast<int>(value) : kNoChoice;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool AllowedInFileName(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x20 && std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos;
}

}  // namespace

std::string EditedCommentText(const platform::LocalDateTime& now) {
    return "Edited " + now.time + " " + now.longDate + ": ";
}

ProjectRecord RecordFromFields(const ProjectEditorFields& fields, const VcpSelection& selection) {
    ProjectRecord record;
    record.title = fields.title;
    record.testType = ChoiceValue(fields.testType);
    record.level = ChoiceValue(fields.level);
    record.pluginBits = static_cast<uint16_t>(
        (fields.vista ? kPluginVista : 0) | (fields.assetManagement ? kPluginAssetManagement : 0) |
        (fields.theftDeterrence ? kPluginTheftDeterrence : 0) | (fields.zoningPip ? kPluginZoningPip : 0) |
        (fields.autoPivot ? kPluginAutoPivot : 0));
    record.applicationKey = fields.applicationKey;
    record.selection = selection;
    record.comments = fields.comments;
    return record;
}

ProjectEditorFields FieldsFromRecord(const ProjectRecord& record) {
    ProjectEditorFields fields;
    fields.title = record.title.Str();
    fields.testType = ChoiceOf(record.testType, std::size(kTestTypeChoices));
    fields.level = ChoiceOf(record.level, std::size(kLevelChoices));
    fields.vista = (record.pluginBits & kPluginVista) != 0;
    fields.assetManagement = (record.pluginBits & kPluginAssetManagement) != 0;
    fields.theftDeterrence = (record.pluginBits & kPluginTheftDeterrence) != 0;
    fields.zoningPip = (record.pluginBits & kPluginZoningPip) != 0;
    fields.autoPivot = (record.pluginBits & kPluginAutoPivot) != 0;
    fields.applicationKey = record.applicationKey.Str();
    fields.comments = record.comments.Str();
    return fields;
}

std::optional<std::string> CheckEditorFields(const ProjectEditorFields& fields) {
    if (op::FixedText<kTitleSize>(fields.title).Empty()) {
        return kTitleMissingText;
    }
    // The message asks for hex digits, so "zz" is refused along with keys of the wrong length.
    const std::string& key = fields.applicationKey;
    if (key.size() != 2 || !IsHexDigit(key[0]) || !IsHexDigit(key[1])) {
        return kKeyNotTwoHexText;
    }
    if (key == kDefaultApplicationKey) {
        return kKeyIsDefaultText;
    }
    return std::nullopt;
}

std::string DefaultProjectFileName(const std::string& title) {
    std::string name = op::FixedText<kTitleSize>(title).Str();
    for (char& c : name) {
        if (!AllowedInFileName(c)) {
            c = '_';
        }
    }
    const size_t room = kMaxFileNameLength - (std::size(kFileNamePrefix) - 1) - (std::size(kFileNameSuffix) - 1);
    if (name.size() > room) {
        name.resize(room);
    }
    return kFileNamePrefix + name + kFileNameSuffix;
}

ProjectEditorModel::ProjectEditorModel(const platform::LocalDateTime& now) {
    catalogue::BuildVcpGroups(groups_);
    fields_.comments = EditedCommentText(now);
    BuildVcpTree(tree_, true);
    Recompute();
}

void ProjectEditorModel::Load(const ProjectRecord& record) {
    fields_ = FieldsFromRecord(record);
    TickSelectedCodes(tree_, record.selection);
    Recompute();
}

bool ProjectEditorModel::LoadFile(const std::string& path) {
    ProjectRecord record;
    if (!ReadProjectForEdit(path, record)) {
        return false;
    }
    Load(record);
    return true;
}

void ProjectEditorModel::Recompute() {
    selection_ = BuildVcpSelection(tree_, groups_);
    checksum_ = project::ChecksumText(ProjectChecksum(Record()));
}

bool ProjectEditorModel::PluginBoxChanged(PluginBox box, bool checked) {
    int32_t group = -1;
    switch (box) {
        case PluginBox::kVista:
            return false;
        case PluginBox::kAssetManagement:
            group = kAssetManagementGroup;
            break;
        case PluginBox::kTheftDeterrence:
            group = kTheftDeterrenceGroup;
            break;
        case PluginBox::kZoningPip:
            group = kZoningPipGroup;
            break;
        case PluginBox::kAutoPivot:
            group = kAutoPivotGroup;
            break;
    }
    tree_.SetGroupTicked(group, checked);
    Recompute();
    return true;
}

bool ProjectEditorModel::ConfirmOk() {
    if (std::optional<std::string> problem = CheckEditorFields(fields_)) {
        op::ShowErrorBox(*problem);
        return false;
    }
    Recompute();
    op::FileDialogRequest request;
    request.title = kSaveProjectTitle;
    request.proposedName = DefaultProjectFileName(fields_.title);
    request.maxPathLength = kEditorPathLength;
    request.pathMustExist = true;
    const ProjectRecord record = Record();
    // A project that could not be written is not lost silently: ask again until saved or cancelled.
    while (std::optional<std::string> path = op::ShowSaveFileDialog(request)) {
        if (WriteProjectFile(*path, record)) {
            break;
        }
        op::ShowErrorBox("The project could not be saved to \"" + *path +
                         "\".\nChoose another file name or folder, or cancel to discard the changes.");
    }
    return true;
}

std::optional<std::string> AskProjectToEdit() {
    return op::ShowOpenFileDialog(ProjectOpenRequest(kEditorPathLength));
}

std::optional<ProjectEditorModel> PrepareProjectEditor(bool newProject, const platform::LocalDateTime& now) {
    std::optional<std::string> path;
    if (!newProject) {
        path = AskProjectToEdit();
        if (!path) {
            return std::nullopt;
        }
    }
    std::optional<ProjectEditorModel> editor(std::in_place, now);
    if (path) {
        editor->LoadFile(*path);
    }
    return editor;
}

}  // namespace kestrova::project
