#include "operator/mode_state.h"

#include <atomic>

#include "operator/run_settings.h"

namespace kestrova::op {

namespace {

std::atomic<ModeObserver*> installedObserver{nullptr};
SettingsMenuState menuState;

void NotifyMenu() {
    if (ModeObserver* observer = installedObserver.load()) {
        observer->SettingsMenuChanged(menuState);
    }
}

}  // namespace

void InstallModeObserver(ModeObserver* observer) {
    installedObserver.store(observer);
}

std::string ModeCaptionText() {
    std::string caption = TestMode.load() == kAutomaticMode ? "Automatic" : "Manual";
    caption += FullRangeTesting.load() ? " - Robust" : " - Standard";
    return caption;
}

void UpdateModeCaption() {
    if (ModeObserver* observer = installedObserver.load()) {
        observer->ModeCaptionChanged(ModeCaptionText());
    }
}

SettingsMenuState CurrentSettingsMenu() {
    return menuState;
}

void SetModeChecked(int mode) {
    TestMode = mode == kAutomaticMode ? kAutomaticMode : kManualMode;
    menuState.automaticChecked = mode == kAutomaticMode;
    menuState.manualChecked = mode != kAutomaticMode;
    NotifyMenu();
}

bool ChooseModeFromMenu(int mode) {
    if (menuState.greyed) {
        return false;
    }
    SetModeChecked(mode);
    UpdateModeCaption();
    return true;
}

void GreySettingsMenu() {
    menuState.greyed = true;
    NotifyMenu();
}

void ResetSettingsMenu() {
    menuState = SettingsMenuState{};
    NotifyMenu();
}

void ApplyStartUpMode() {
    ResetSettingsMenu();
    TestMode = kManualMode;
    FullRangeTesting = false;
}

}  // namespace kestrova::op
