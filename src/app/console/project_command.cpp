#include "app/console/project_command.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "app/console/exit_status.h"
#include "app/console/selection_choice.h"
#include "platform/local_time.h"
#include "project/project_checksum.h"
#include "project/project_editor.h"
#include "project/project_file.h"

namespace kestrova::app::console {

namespace {

namespace fs = std::filesystem;

constexpr OptionSpec kProjectNewSpecs[] = {
    {"title", true},  {"key", true},   {"test-type", true}, {"level", true},  {"plugins", true},
    {"groups", true}, {"codes", true}, {"comments", true},  {"force", false},
};

struct PluginName {
    const char* name;
    const char* shown;
    uint16_t bit;
    project::PluginBox box;
};

constexpr PluginName kPluginNames[] = {
    {"vista", "Vista", project::kPluginVista, project::PluginBox::kVista},
    {"asset-management", "Asset management", project::kPluginAssetManagement, project::PluginBox::kAssetManagement},
    {"theft-deterrence", "Theft deterrence", project::kPluginTheftDeterrence, project::PluginBox::kTheftDeterrence},
    {"zoning-pip", "PIP (Picture In Picture)", project::kPluginZoningPip, project::PluginBox::kZoningPip},
    {"auto-pivot", "Auto Pivot", project::kPluginAutoPivot, project::PluginBox::kAutoPivot},
};

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        if (!item.empty()) {
            items.push_back(Lower(item));
        }
    }
    return items;
}

void SetPluginBox(project::ProjectEditorFields& fields, project::PluginBox box) {
    switch (box) {
        case project::PluginBox::kVista:
            fields.vista = true;
            break;
        case project::PluginBox::kAssetManagement:
            fields.assetManagement = true;
            break;
        case project::PluginBox::kTheftDeterrence:
            fields.theftDeterrence = true;
            break;
        case project::PluginBox::kZoningPip:
            fields.zoningPip = true;
            break;
        case project::PluginBox::kAutoPivot:
            fields.autoPivot = true;
            break;
    }
}

// Reads the flags into the model as the engineer would fill the editor. False with `error`.
bool FillEditor(const ParsedOptions& parsed, project::ProjectEditorModel& editor, std::string& error) {
    project::ProjectEditorFields& fields = editor.Fields();
    fields.title = parsed.Value("title").value_or("");
    fields.applicationKey = parsed.Value("key").value_or(project::kDefaultApplicationKey);
    if (const auto comments = parsed.Value("comments")) {
        fields.comments = *comments;
    }
    if (const auto type = parsed.Value("test-type")) {
        const std::string word = Lower(*type);
        fields.testType = word == "automatic" ? 1 : word == "manual" ? 2 : word == "none" ? 0 : -2;
        if (fields.testType < 0) {
            error = "--test-type takes automatic, manual or none, not \"" + *type + "\"";
            return false;
        }
    }
    if (const auto level = parsed.Value("level")) {
        const std::string word = Lower(*level);
        fields.level = word == "standard" ? 1 : word == "none" ? 0 : -2;
        if (fields.level < 0) {
            error = "--level takes standard or none, not \"" + *level + "\"";
            return false;
        }
    }

    SelectionChoice choice;
    if (const auto groups = parsed.Value("groups")) {
        choice.given = true;
        if (!ParseGroupList(*groups, choice.groups, error)) {
            error = "--groups: " + error;
            return false;
        }
    }
    if (const auto codes = parsed.Value("codes")) {
        choice.given = true;
        if (!ParseCodeList(*codes, choice.codes, error)) {
            error = "--codes: " + error;
            return false;
        }
    }
    ApplySelectionChoice(choice, editor.Tree());

    for (const std::string& name : SplitList(parsed.Value("plugins").value_or(""))) {
        const PluginName* found = nullptr;
        for (const PluginName& plugin : kPluginNames) {
            found = name == plugin.name ? &plugin : found;
        }
        if (found == nullptr) {
            error = "--plugins: \"" + name +
                    "\" is no plug-in (vista, asset-management, theft-deterrence, zoning-pip, auto-pivot)";
            return false;
        }
        SetPluginBox(fields, found->box);
        editor.PluginBoxChanged(found->box, true);
    }
    editor.Recompute();
    return true;
}

bool IsFolderPath(const std::string& path) {
    std::error_code failed;
    return (!path.empty() && (path.back() == '/' || path.back() == '\\')) || fs::is_directory(path, failed);
}

std::string ChoiceText(uint16_t value, std::span<const char* const> choices, const char* extra) {
    if (value < choices.size()) {
        return choices[value];
    }
    if (extra != nullptr && value == choices.size()) {
        return extra;
    }
    return "unknown (" + std::to_string(value) + ")";
}

std::string PluginsText(uint16_t bits) {
    std::string text;
    for (const PluginName& plugin : kPluginNames) {
        if ((bits & plugin.bit) != 0) {
            text += (text.empty() ? "" : ", ") + std::string(plugin.shown);
        }
    }
    return text.empty() ? "none" : text;
}

std::string CodesText(const project::VcpSelection& selection) {
    std::string text;
    char code[8];
    for (size_t c = 0; c < selection.size(); ++c) {
        if (selection[c] != 0) {
            std::snprintf(code, sizeof(code), "0x%02X", static_cast<unsigned>(c));
            text += (text.empty() ? "" : " ") + std::string(code);
        }
    }
    return text.empty() ? "none" : text;
}

}  // namespace

std::span<const OptionSpec> ProjectNewOptionSpecs() {
    return kProjectNewSpecs;
}

int ProjectNewCommand(const ParsedOptions& parsed, const ConsoleIo& io) {
    if (parsed.positionals.size() != 1) {
        return Fail(io, "project new takes one PATH (see 'kestrova project --help')");
    }
    project::ProjectEditorModel editor(platform::CurrentDateTimeSource().Now());
    std::string error;
    if (!FillEditor(parsed, editor, error)) {
        return Fail(io, error);
    }
    if (const std::optional<std::string> problem = project::CheckEditorFields(editor.Fields())) {
        return Fail(io, *problem);
    }

    std::string path = parsed.positionals.front();
    if (IsFolderPath(path)) {
        std::error_code failed;
        fs::create_directories(path, failed);
        path = (fs::path(path) / project::DefaultProjectFileName(editor.Fields().title)).string();
    }
    if (path.size() > project::kEditorPathLength) {
        return Fail(io,
                    "the project path is longer than " + std::to_string(project::kEditorPathLength) + " characters");
    }
    std::error_code failed;
    if (fs::exists(path, failed) && !parsed.Has("force")) {
        return Fail(io, "\"" + path + "\" exists; give --force to replace it");
    }
    const project::ProjectRecord record = editor.Record();
    if (!project::WriteProjectFile(path, record)) {
        return Fail(io, "the project could not be saved to \"" + path + "\"");
    }
    std::fprintf(io.out, "Saved \"%s\"\nCkSum: %s\n", path.c_str(), editor.ChecksumText().c_str());
    std::fflush(io.out);
    return kExitPassed;
}

int ProjectShowCommand(const std::string& path, const ConsoleIo& io) {
    project::ProjectRecord record;
    const project::ProjectReadError readError = project::ReadProjectFile(path, record);
    if (readError != project::ProjectReadError::kNone) {
        return Fail(io, path + ": " + project::ProjectReadErrorText(readError));
    }
    std::fprintf(io.out, "Title: %s\n", record.title.CStr());
    std::fprintf(io.out, "Test type: %s\n", ChoiceText(record.testType, project::kTestTypeChoices, nullptr).c_str());
    std::fprintf(io.out, "Level: %s\n", ChoiceText(record.level, project::kLevelChoices, "Robust").c_str());
    std::fprintf(io.out, "Plug-ins: %s\n", PluginsText(record.pluginBits).c_str());
    std::fprintf(io.out, "Application key: %s\n", record.applicationKey.CStr());
    std::fprintf(io.out, "VCP codes: %s\n", CodesText(record.selection).c_str());
    std::fprintf(io.out, "Comments: %s\n", record.comments.CStr());
    std::fprintf(io.out, "CkSum: %s\n", project::ChecksumText(project::ProjectChecksum(record)).c_str());
    std::fflush(io.out);
    return kExitPassed;
}

}  // namespace kestrova::app::console
