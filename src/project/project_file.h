// Reading and writing project files. A reader shows its failure in a box captioned "Error" and
// applies nothing of a file it refused.
#pragma once

#include <string>

#include "project/project_record.h"

namespace kestrova::project {

inline constexpr const char* kCannotOpenProjectText = "Could not open Project file!";
inline constexpr const char* kUnsupportedVersionText = "Project format version is unsupported!";
inline constexpr const char* kDamagedProjectText = "Project file is damaged or incomplete!";

enum class ProjectReadError { kNone, kCannotOpen, kUnsupportedVersion, kDamaged };

// Reads the whole record without showing anything. The version is checked before the length, so a
// short file of another version is reported as unsupported.
ProjectReadError ReadProjectFile(const std::string& path, ProjectRecord& record);
// The box text for a read error ("" for kNone).
const char* ProjectReadErrorText(ProjectReadError error);

// The wizard's Get Info step: reads the project at ProjectPath and applies its title, test type,
// level, plug-in bits and application key. False (after an "Error" box) when the file was refused.
bool LoadProjectHeader();

// The editor's reader: the whole record, or false after an "Error" box with `record` unchanged.
bool ReadProjectForEdit(const std::string& path, ProjectRecord& record);

// Writes the 1691 bytes in one pass. False when the file cannot be created or fully written.
bool WriteProjectFile(const std::string& path, const ProjectRecord& record);

}  // namespace kestrova::project
