// What every part of the tester shows to or asks of the engineer: the log list, the two progress
// bars, the Redo/Yes/No question, message boxes and file dialogs. All go to the installed presenter
// and are dropped silently without one (questions then get their default answers).
#pragma once

#include <optional>
#include <string>

#include "operator/fixed_text.h"
#include "operator/presenter.h"

namespace kestrova::op {

inline constexpr size_t kLogLineBufferSize = 4096;
inline constexpr int kProgressLimit = 65535;

// Formats into a 4096-byte buffer (a longer line is cut to 4095 characters) and appends it as the
// new last line of the log list.
void LogLine(const char* format, ...) KESTROVA_PRINTF(1, 2);
// A blank line is written as a single space.
void LogBlankLine();

// Ranges are kept within 0-65535, as the progress bars take them.
void SetOverallProgressRange(int minimum, int maximum);
void SetOverallProgress(int position);
void SetIndividualProgressRange(int minimum, int maximum);
void SetIndividualProgress(int position);

inline constexpr int32_t kAnswerYes = 1;
inline constexpr int32_t kAnswerNo = 0;
inline constexpr int32_t kAnswerRedo = -1;

// Asks PromptQuestion under PromptCaption and leaves the answer in PromptAnswer (also returned).
// No presenter, or an answer that is not Redo/Yes/No, counts as No.
int32_t AskRedoYesNo();

// A message box owned by the main window. Without a presenter: kOk for OK boxes, kNo for Yes/No.
MessageAnswer ShowMessageBox(const std::string& caption,
                             const std::string& text,
                             MessageButtons buttons = MessageButtons::kOk,
                             MessageIcon icon = MessageIcon::kNone);
// An OK box captioned "Error".
void ShowErrorBox(const std::string& text);

// The open and save dialogs: the chosen path, or nullopt when cancelled, when no presenter is
// installed, or when the answer is empty or longer than the request allows.
std::optional<std::string> ShowOpenFileDialog(const FileDialogRequest& request);
std::optional<std::string> ShowSaveFileDialog(const FileDialogRequest& request);

}  // namespace kestrova::op
