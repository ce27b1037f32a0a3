#include "engine/pip_zoning_test.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bus/vcp_primitives.h"
#include "operator/operator_output.h"
#include "platform/clock.h"
#include "report/report_writer.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kWindowSize = 0xEA;
constexpr uint8_t kTopLeftX = 0x95;
constexpr uint8_t kTopLeftY = 0x96;
constexpr uint8_t kBottomRightX = 0x97;
constexpr uint8_t kBottomRightY = 0x98;
constexpr uint8_t kWindowMask = 0xA4;
constexpr uint8_t kWindowSelect = 0xA5;
constexpr uint8_t kWindowBrightness = 0xF1;
constexpr uint8_t kWindowContrast = 0xF2;
constexpr uint8_t kWindowHue = 0xF3;
constexpr uint8_t kWindowSaturation = 0xF4;
constexpr uint8_t kWindowTransparency = 0xF5;

// 0xA5 = 0x100 selects the PIP window, 0 deselects it and so closes it; 0xA4 hides the window
// while it is placed and shows it with 0xFF.
constexpr uint32_t kPipWindow = 0x100;
constexpr uint32_t kNoWindow = 0;
constexpr uint32_t kMaskHidden = 0;
constexpr uint32_t kMaskShown = 0xFF;

constexpr uint32_t kWindowWriteMs = 64;
constexpr uint32_t kShowSettleMs = 150;
constexpr uint32_t kSettingMs = 100;
constexpr uint32_t kFirstLookMs = 2000;
constexpr uint32_t kWatchMs = 3000;

constexpr int kLastProgress = 7;

struct Corner {
    const char* logLine;
    uint32_t x1;
    uint32_t y1;
    uint32_t x2;
    uint32_t y2;
};

// Written as they are, whatever the monitor's resolution.
constexpr Corner kTopLeft{"PIP window top left", 10, 10, 170, 100};
constexpr Corner kMoves[] = {
    kTopLeft,
    {"PIP window top right", 1800, 10, 1960, 100},
    {"PIP window bottom right", 1800, 1800, 1960, 1890},
    {"PIP window bottom left", 10, 1800, 170, 1890},
    kTopLeft,
};

constexpr uint32_t kSizes[] = {1, 20, 40, 60, 80, 100};
constexpr uint32_t kTransparencies[] = {15, 12, 9, 6, 3, 1};

struct PipStep {
    const char* description;
    const char* question;
    const char* failure;
    const char* success;
};

constexpr PipStep kOpenStep{
    "Open PIP window in top left corner of screen.", "Did the PIP window open in the top left corner?",
    "ERROR, PIP window did not open in top left corner<BR>", "PIP window opened correctly. OK<BR>"};
constexpr PipStep kResizeStep{"Resize PIP window.", "Did the PIP resize smaller and increase in size?",
                              "ERROR, PIP window did not resize correctly.<BR>",
                              "PIP window resized correctly. OK<BR>"};
constexpr PipStep kTransparencyStep{"Test PIP window transparency.", "Did the PIP become more transparent with time?",
                                    "ERROR, PIP window transparency setting incorrectly.<BR>",
                                    "PIP window transparency working correctly. OK<BR>"};
constexpr PipStep kMoveStep{
    "Test moving of PIP window.", "Did the PIP window move into all four corners of the screen?",
    "ERROR, PIP window move commands setting incorrectly.<BR>", "PIP window move command working correctly. OK<BR>"};

struct ColourStep {
    uint8_t code;
    const char* logLine;
    uint32_t settleAfterRestoreMs;
    int progress;
    PipStep step;
};

// The waits after the write-backs differ from step to step; the engineer sees no difference.
constexpr ColourStep kColourSteps[] = {
    {kWindowBrightness,
     "Set PIP window brightness",
     kSettingMs,
     5,
     {"Test PIP window brightness.", "Did the PIP window brightness level change?",
      "ERROR, PIP window brightness command functioning incorrectly.<BR>",
      "PIP window brightness command working correctly. OK<BR>"}},
    {kWindowContrast,
     "Set PIP window contrast",
     0,
     6,
     {"Test PIP window contrast.", "Did the PIP window contrast level change?",
      "ERROR, PIP window contrast command functioning incorrectly.<BR>",
      "PIP window contrast command working correctly. OK<BR>"}},
    {kWindowHue,
     "Set PIP window hue",
     kSettingMs,
     7,
     {"Test PIP window hue.", "Did the PIP window hue change?",
      "ERROR, PIP window hue command functioning incorrectly.<BR>",
      "PIP window hue command working correctly. OK<BR>"}},
    {kWindowSaturation,
     "Set PIP window saturation",
     0,
     kLastProgress,
     {"Test PIP window saturation.", "Did the PIP window saturation change?",
      "ERROR, PIP window saturation command functioning incorrectly.<BR>",
      "PIP window saturation command working correctly. OK<BR>"}},
};

void Wait(uint32_t ms) {
    platform::SleepMs(ms);
}

// "No" fails the step; any other answer passes it.
void AskAndRecord(PluginCodeList& codes, const PipStep& step) {
    const bool passed =
        op::ShowMessageBox("PIP Window", step.question, op::MessageButtons::kYesNo) != op::MessageAnswer::kNo;
    FinishPluginStep(codes, step.description, passed, passed ? step.success : step.failure);
}

void CloseWindow(PluginCodeList& codes) {
    op::LogLine("Close PIP window");
    WriteNoted(codes, kWindowSelect, kNoWindow);
    Wait(kWatchMs);
}

void ReopenWindow(PluginCodeList& codes) {
    op::LogLine("Open PIP window");
    OpenPipWindow(codes);
    Wait(kWatchMs);
}

// Steps 2 and 3: a window setting stepped through `values`, then put back, the window closed and
// reopened. The write-back, close and reopen go into the next step's row.
void SettingStep(PluginCodeList& codes,
                 uint8_t code,
                 const char* logLine,
                 const uint32_t (&values)[6],
                 const PipStep& step,
                 int progress) {
    const PluginReading saved = ReadNoted(codes, code);
    Wait(kSettingMs);
    op::LogLine("%s", logLine);
    for (uint32_t value : values) {
        bus::WriteVcp(code, value);
        Wait(kSettingMs);
    }
    AskAndRecord(codes, step);
    op::SetIndividualProgress(progress);
    // Without an answer there is nothing to put back: the 0 the read left would overwrite the
    // monitor's own setting.
    if (saved.answered) {
        WriteNoted(codes, code, saved.current);
    }
    Wait(kSettingMs);
    CloseWindow(codes);
    ReopenWindow(codes);
}

// A loop from minimum to maximum that writes only at the minimum, a third and two thirds of the
// maximum (truncated toward zero) and the maximum: those values, ascending, each once. Computed
// rather than walked so a wide range costs nothing; 64 bits so no bound can overflow.
std::vector<int64_t> SweepStops(int32_t minimum, int32_t maximum) {
    std::vector<int64_t> stops;
    if (minimum > maximum) {
        return stops;
    }
    const int64_t top = maximum;
    for (int64_t value : {static_cast<int64_t>(minimum), top / 3, 2 * top / 3, top}) {
        if (value >= minimum && value <= top) {
            stops.push_back(value);
        }
    }
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return stops;
}

// Steps 5 to 8. The write-back comes after the row and is listed in none. A read without an
// answer gives neither a range to sweep nor a value to put back, so the setting is left alone and
// the engineer sees no change.
void ColourSweepStep(PluginCodeList& codes, const ColourStep& colour) {
    const PluginReading reading = ReadNoted(codes, colour.code);
    Wait(kSettingMs);
    op::LogLine("%s", colour.logLine);
    const std::vector<int64_t> stops =
        reading.answered ? SweepStops(static_cast<int32_t>(reading.minimum), static_cast<int32_t>(reading.maximum))
                         : std::vector<int64_t>{};
    for (int64_t value : stops) {
        bus::WriteVcp(colour.code, static_cast<uint32_t>(value));
        Wait(kSettingMs);
    }
    AskAndRecord(codes, colour.step);
    if (reading.answered) {
        bus::WriteVcp(colour.code, reading.current);
    }
    if (colour.settleAfterRestoreMs > 0) {
        Wait(colour.settleAfterRestoreMs);
    }
    op::SetIndividualProgress(colour.progress);
}

}  // namespace

void OpenPipWindow(PluginCodeList& codes) {
    WriteNoted(codes, kWindowMask, kMaskHidden);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kWindowSelect, kPipWindow);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kTopLeftX, kTopLeft.x1);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kTopLeftY, kTopLeft.y1);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kBottomRightX, kTopLeft.x2);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kBottomRightY, kTopLeft.y2);
    Wait(kWindowWriteMs);
    bus::WriteVcp(kWindowMask, kMaskShown);
    Wait(kShowSettleMs);
}

void SetPipWindow(PluginCodeList& codes, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2) {
    WriteNoted(codes, kWindowSelect, kPipWindow);
    WriteNoted(codes, kWindowMask, kMaskHidden);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kTopLeftX, x1);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kTopLeftY, y1);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kBottomRightX, x2);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kBottomRightY, y2);
    Wait(kWindowWriteMs);
    WriteNoted(codes, kWindowMask, kMaskShown);
    Wait(kShowSettleMs);
}

void PipZoningTest() {
    if (op::ShowMessageBox("PIP", "Proceed with manual PIP tests?", op::MessageButtons::kYesNo) ==
        op::MessageAnswer::kNo) {
        return;
    }
    report::WritePipTableStart();
    PluginCodeList codes;
    op::SetIndividualProgressRange(0, kLastProgress);
    op::SetIndividualProgress(0);
    op::LogLine("Running manual PIP, Zoning test.  This requires user input!");

    op::LogLine("Open PIP window");
    OpenPipWindow(codes);
    Wait(kFirstLookMs);
    AskAndRecord(codes, kOpenStep);
    op::SetIndividualProgress(1);

    SettingStep(codes, kWindowSize, "Resizing PIP window", kSizes, kResizeStep, 2);
    SettingStep(codes, kWindowTransparency, "Testing PIP window transparency", kTransparencies, kTransparencyStep, 3);

    op::LogLine("Moving PIP window");
    for (const Corner& corner : kMoves) {
        SetPipWindow(codes, corner.x1, corner.y1, corner.x2, corner.y2);
        op::LogLine("%s", corner.logLine);
        Wait(kWatchMs);
    }
    AskAndRecord(codes, kMoveStep);
    op::SetIndividualProgress(4);

    // Back to the top left, where the engineer looks for the colour changes.
    CloseWindow(codes);
    ReopenWindow(codes);
    WriteNoted(codes, kWindowSelect, kPipWindow);
    Wait(kWatchMs);

    for (const ColourStep& colour : kColourSteps) {
        ColourSweepStep(codes, colour);
    }

    Wait(kWatchMs);
    CloseWindow(codes);
    report::WritePluginTableEnd();
}

}  // namespace kestrova::engine
