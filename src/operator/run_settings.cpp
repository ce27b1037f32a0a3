#include "operator/run_settings.h"

#include "operator/mode_state.h"

namespace kestrova::op {

std::atomic<int> TestMode{kManualMode};
std::atomic<bool> FullRangeTesting{false};
std::atomic<bool> StopRequested{false};
bool UsingProject = false;
FixedText<kProjectPathCapacity> ProjectPath;
FixedText<kProjectTitleCapacity> ProjectTitle;
bool SelectionConfirmed = false;

CheckoffInformation CheckoffInfo;
bool CheckoffConfirmed = false;

bool IncludeAssetManagement = false;
bool IncludeTheftDeterrence = false;
bool IncludeAutoPivot = false;
bool IncludeZoningPip = false;
bool IncludeVistaCompliance = false;

FixedText<kPromptCaptionCapacity> PromptCaption;
FixedText<kPromptQuestionCapacity> PromptQuestion;
int32_t PromptAnswer = 0;

void ResetRunSettings() {
    TestMode = kManualMode;
    FullRangeTesting = false;
    StopRequested = false;
    UsingProject = false;
    ProjectPath.Clear();
    ProjectTitle.Clear();
    SelectionConfirmed = false;
    CheckoffInfo = CheckoffInformation{};
    CheckoffConfirmed = false;
    IncludeAssetManagement = false;
    IncludeTheftDeterrence = false;
    IncludeAutoPivot = false;
    IncludeZoningPip = false;
    IncludeVistaCompliance = false;
    PromptCaption.Clear();
    PromptQuestion.Clear();
    PromptAnswer = 0;
    ResetSettingsMenu();
}

}  // namespace kestrova::op
