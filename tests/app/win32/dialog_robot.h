// Answers the modal dialogs and message boxes of a GUI test as the engineer would, the way Wine's
// own control tests drive theirs: a thread timer of the test's (window) thread fires inside every
// modal loop of that thread, looks at the process's visible, enabled top-level windows (those of
// the test thread as well: the Redo/Yes/No question, the report's save dialog) and runs the first
// pending expectation that matches one of them. The actions only post clicks, so no action ever
// runs a modal loop of its own inside the timer.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kestrova::app::win32::testing {

class DialogRobot {
  public:
    using Action = std::function<void(HWND window)>;
    static constexpr int kAlways = -1;

    // Starts the timer on the calling thread; one robot per thread at a time.
    DialogRobot();
    ~DialogRobot();
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;

    // Answers the next `times` windows captioned `caption` (kAlways: every one, never reported as
    // still expected). With `dialogClassOnly` only dialogs and message boxes (class "#32770") match,
    // so that a box captioned like the main window is told from it.
    DialogRobot& When(const std::string& caption, Action action, int times = 1, bool dialogClassOnly = true);
    // Answers the next `times` dialogs or boxes, whatever their caption.
    DialogRobot& WhenAny(Action action, int times = 1);
    // Runs `action` once `ready` holds and every expectation given before it has been met.
    DialogRobot& ThenWhen(std::function<bool()> ready, std::function<void()> action, std::string what);

    // Pumps this thread's messages until `done` holds; false (and a test failure naming what was
    // still expected and which windows were up) after `timeoutMs`. A WM_QUIT is noted, not dispatched.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what);

    // Captions of the windows answered so far, in order.
    const std::vector<std::string>& Answered() const { return answered_; }
    // Descriptions of the expectations still waiting (kAlways ones left out).
    std::vector<std::string> Pending() const;
    bool QuitReceived() const { return quitReceived_; }
    int QuitCode() const { return quitCode_; }

  private:
    struct Expectation {
        std::string caption;
        bool dialogClassOnly = true;
        bool anyCaption = false;
        Action action;
        int remaining = 1;
        std::function<bool()> ready;  // set for ThenWhen
        std::function<void()> step;
    };

    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Tick();
    std::string Describe() const;

    UINT_PTR timer_ = 0;
    bool inTick_ = false;
    std::vector<Expectation> expectations_;
    std::set<HWND> handled_;
    std::vector<std::string> answered_;
    bool quitReceived_ = false;
    int quitCode_ = 0;
};

// The test program's main: runs every test. Under Wine it first starts this program again on a
// desktop of its own (a virtual desktop window) and answers that run's exit code: there no window
// manager is waited for, which Wine otherwise does for two seconds at every dialog that closes on
// a display without one.
int RunAllTestsOnOwnDesktop(int argc, char** argv);

// The visible, enabled top-level windows of this process.
std::vector<HWND> ProcessTopLevelWindows();
// WM_GETTEXT: for a child control, whichever thread owns it.
std::string TextOf(HWND window);
// The caption as stored, without a message to the window's thread.
std::string CaptionOf(HWND window);
std::string ClassOf(HWND window);
// The texts of a dialog's static children, joined by "\n" (a message box's text among them).
std::string StaticTexts(HWND dialog);

// Posts a button click to a dialog, as the button itself reports it.
void Click(HWND dialog, int id);
// Sets the text of a dialog's child (an edit field).
void SetText(HWND dialog, int id, const std::string& text);
std::vector<std::string> ListBoxLines(HWND listBox);
// The file name field of a common file dialog (Wine's explorer-style one: the edit inside combo box
// 0x47c, or edit 0x480), or null.
HWND FileNameField(HWND fileDialog);
// Types `path` into a file dialog's file name field and presses OK.
void AnswerFileDialog(HWND fileDialog, const std::string& path);

}  // namespace kestrova::app::win32::testing
