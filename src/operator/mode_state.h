// The Settings menu (Automatic / Manual check marks, greyed once a project is loaded) and the mode
// caption at the top of the window, kept as data so that the project loader and the menu commands
// work the same with the Win32 window, the console front or no front at all.
#pragma once

#include <string>

namespace kestrova::op {

struct SettingsMenuState {
    bool automaticChecked = false;
    bool manualChecked = true;
    bool greyed = false;
};

// Implemented by the front that shows the menu and the caption; called on the window thread.
class ModeObserver {
  public:
    virtual ~ModeObserver() = default;
    virtual void SettingsMenuChanged(const SettingsMenuState& state) = 0;
    virtual void ModeCaptionChanged(const std::string& caption) = 0;
};

// Null uninstalls. The observer must outlive its installation.
void InstallModeObserver(ModeObserver* observer);

// "Automatic" or "Manual" (by TestMode) followed by " - Robust" or " - Standard" (by FullRangeTesting).
std::string ModeCaptionText();
// Shows ModeCaptionText() through the installed observer.
void UpdateModeCaption();

SettingsMenuState CurrentSettingsMenu();
// Sets TestMode and moves the check mark to its item (the menu commands and the project loader).
// The caption is not updated here; the callers do it when they are ready.
void SetModeChecked(int mode);
// The Settings menu command: refused (false) while the items are grey, otherwise SetModeChecked
// followed by UpdateModeCaption.
bool ChooseModeFromMenu(int mode);
// Greys both Settings items for the rest of the program's run.
void GreySettingsMenu();
// Manual checked, Automatic unchecked, nothing greyed (start-up and tests); notifies the observer.
void ResetSettingsMenu();
// The start-up settings: Manual and Standard, the menu as ResetSettingsMenu leaves it. The caption
// follows when the window calls UpdateModeCaption after creating its controls.
void ApplyStartUpMode();

}  // namespace kestrova::op
