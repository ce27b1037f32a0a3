// The project editor, dialog 136 "VCP Checkoff Project": the editor model's fields, tree, previews
// and checksum in Win32 controls. The dialog only moves data between the model and its controls;
// the checks, the save dialog and the file are the model's.
#pragma once

#include <windows.h>

namespace kestrova::project::win32 {

// Id and period of the timer that recollects the editor's controls while it is open.
inline constexpr UINT_PTR kEditorTimerId = 1;
inline constexpr UINT kEditorTimerMs = 1000;

// File > New Project... (true) and File > Edit Project... (false). Editing first asks for the file;
// the editor then opens modal to `owner` and reads the file as it opens, so that a refused file's
// box is the editor's and the editor keeps its defaults. False when no editor was shown (the open
// dialog was cancelled).
bool OpenProjectEditor(HWND owner, bool newProject);

}  // namespace kestrova::project::win32
