// The project editor as data: the dialog's fields, its own selection tree with previews and
// checksum, the OK checks and the save step. The dialog only moves data between this model and its
// controls, and calls Recompute on its timer and on control notifications.
#pragma once

#include <optional>
#include <string>

#include "catalogue/vcp_groups.h"
#include "platform/local_time.h"
#include "project/project_record.h"
#include "project/vcp_tree.h"
#include "project/vcp_tree_selection.h"

namespace kestrova::project {

inline constexpr char kTitleMissingText[] = "Project title must be filled in!";
inline constexpr char kKeyNotTwoHexText[] = "Application key needs to be 2 hex characters!";
inline constexpr char kKeyIsDefaultText[] = "Application key Can not be default 0xFF value!";
inline constexpr char kDefaultApplicationKey[] = "FF";

inline constexpr const char* kTestTypeChoices[] = {"not specified", "Automatic", "Manual"};
inline constexpr const char* kLevelChoices[] = {"not specified", "Standard"};
// A drop-down list with nothing selected; saved as 0xFFFF.
inline constexpr int kNoChoice = -1;

// The editor's open and save dialogs take paths of up to 300 characters with the terminator.
inline constexpr size_t kEditorPathLength = 299;
// A file name longer than this is refused by the file system whatever the folder.
inline constexpr size_t kMaxFileNameLength = 255;

enum class PluginBox { kVista, kAssetManagement, kTheftDeterrence, kZoningPip, kAutoPivot };

struct ProjectEditorFields {
    std::string title;
    int testType = 1;  // position in kTestTypeChoices, or kNoChoice
    int level = 1;     // position in kLevelChoices, or kNoChoice
    bool vista = false;
    bool assetManagement = false;
    bool theftDeterrence = false;
    bool zoningPip = false;
    bool autoPivot = false;
    std::string applicationKey = kDefaultApplicationKey;
    std::string comments;
};

// "Edited <time> <long date>: ".
std::string EditedCommentText(const platform::LocalDateTime& now);

// The record that would be written: texts cut to their fields, an empty list selection as 0xFFFF.
ProjectRecord RecordFromFields(const ProjectEditorFields& fields, const VcpSelection& selection);
// The fields a record opens with; a level or test type the lists do not offer selects nothing.
ProjectEditorFields FieldsFromRecord(const ProjectRecord& record);

// The OK checks in order; the first failure's message, or nullopt when the project may be saved.
std::optional<std::string> CheckEditorFields(const ProjectEditorFields& fields);

// "VCP Project <title>.vmdProj", with characters that cannot stand in a file name replaced by "_"
// and the title shortened so that the name stays within kMaxFileNameLength.
std::string DefaultProjectFileName(const std::string& title);

class ProjectEditorModel {
  public:
    // A new project: default fields, the tree with the requirement groups pre-ticked, previews and
    // checksum computed.
    explicit ProjectEditorModel(const platform::LocalDateTime& now);

    // A record read for editing: its fields, and its saved codes ticked on top of the built tree.
    void Load(const ProjectRecord& record);
    // The file chosen for editing, read and loaded. A file that cannot be read is reported in an
    // "Error" box (owned by whatever window the engineer is in) and the editor keeps what it had.
    bool LoadFile(const std::string& path);

    // Timer tick or a control's notification: recollect the tree, previews and checksum.
    void Recompute();
    // A plug-in check box changed: its group and every code under it follow the box, then the
    // model recomputes. Vista has no group of its own in the editor: nothing changes (false).
    bool PluginBoxChanged(PluginBox box, bool checked);

    // OK: the checks (a failure is shown in an "Error" box and the editor stays open: false), then
    // the save dialog and the file. True when the editor is to close, saved or not.
    bool ConfirmOk();

    ProjectEditorFields& Fields() { return fields_; }
    const ProjectEditorFields& Fields() const { return fields_; }
    VcpTree& Tree() { return tree_; }
    const VcpTree& Tree() const { return tree_; }
    const VcpSelection& Selection() const { return selection_.selection; }
    const std::string& AnalogPreview() const { return selection_.analogPreview; }
    const std::string& DigitalPreview() const { return selection_.digitalPreview; }
    const std::string& ChecksumText() const { return checksum_; }
    ProjectRecord Record() const { return RecordFromFields(fields_, selection_.selection); }

  private:
    ProjectEditorFields fields_;
    VcpTree tree_;
    // The editor's own records: recollecting every second must never change what a run walks.
    catalogue::VcpGroupArray groups_{};
    TreeSelection selection_;
    std::string checksum_;
};

// File > Edit Project...: the open dialog ("Open project:") for the file to edit, or nullopt when
// the engineer cancels it.
std::optional<std::string> AskProjectToEdit();

// File > New Project... (true) and File > Edit Project... (false) in one step: AskProjectToEdit,
// then the model with the file loaded (LoadFile). Cancelling the open dialog opens no editor
// (nullopt). A window that shows the read's error box over its editor asks and loads itself.
std::optional<ProjectEditorModel> PrepareProjectEditor(bool newProject, const platform::LocalDateTime& now);

}  // namespace kestrova::project
