// The process-wide run settings, the check-off information and the plug-in inclusion flags.
// Written by the window thread between runs; the test thread only reads them, except for the
// stop request, which the window raises while a run is going.
#pragma once

#include <atomic>
#include <cstdint>

#include "operator/fixed_text.h"

namespace kestrova::op {

inline constexpr int kAutomaticMode = 0;
inline constexpr int kManualMode = 1;

inline constexpr size_t kProjectPathCapacity = 400;
inline constexpr size_t kProjectTitleCapacity = 300;
inline constexpr size_t kPromptCaptionCapacity = 256;
inline constexpr size_t kPromptQuestionCapacity = 1024;

// 0 = Automatic, 1 = Manual. Atomic because the Settings menu stays usable while a run reads it.
extern std::atomic<int> TestMode;
// false = "Standard", true = "Robust".
extern std::atomic<bool> FullRangeTesting;
// Raised by Reset on the window thread, polled by the test thread.
extern std::atomic<bool> StopRequested;
extern bool UsingProject;
extern FixedText<kProjectPathCapacity> ProjectPath;
// First the chosen file's name, then the title read from the project.
extern FixedText<kProjectTitleCapacity> ProjectTitle;
extern bool SelectionConfirmed;

struct CheckoffInformation {
    FixedText<50> checkoffUser;
    FixedText<20> checkoffFirmwareVersion;
    FixedText<20> checkoffRevision;
    FixedText<20> checkoffFirmwareDate;
    FixedText<10> checkoffLockingCode;
};
extern CheckoffInformation CheckoffInfo;
extern bool CheckoffConfirmed;

extern bool IncludeAssetManagement;
extern bool IncludeTheftDeterrence;
extern bool IncludeAutoPivot;
extern bool IncludeZoningPip;
extern bool IncludeVistaCompliance;

// The Redo/Yes/No question: the asking procedure sets caption and question, AskRedoYesNo leaves the
// answer (1 Yes, 0 No, -1 Redo). Used by the test thread only.
extern FixedText<kPromptCaptionCapacity> PromptCaption;
extern FixedText<kPromptQuestionCapacity> PromptQuestion;
extern int32_t PromptAnswer;

// Puts every value above, and the Settings menu state, back to its start value (tests).
void ResetRunSettings();

}  // namespace kestrova::op
