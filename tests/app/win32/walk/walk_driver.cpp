// Walks Kestrova.exe from outside, as the engineer would: the Settings menu, the five wizard steps,
// the check-off and selection dialogs and the report's save dialog, all through window messages to
// the real windows of a separate process. Exits 0 once the window has logged "Testing complete.",
// the report exists and the program, closed like any window, has ended with exit code 0. Any wait
// that runs out names what it waited for; Kestrova.exe is then killed and the driver exits 1.
//
// A button whose click opens a modal dialog is clicked with a posted message: a sent one would hold
// the driver until the dialog closed. Every click waits first for its button to be enabled, since a
// person cannot press a grey button (and a sent click would reach it all the same).
//
// walk_driver [options] KESTROVA.EXE REPORT.html
//   --manual          Settings > Manual instead of Automatic
//   --tick-all        tick every item of the selection tree (Space on each) instead of its own ticks
//   --real-clock      settle times are waited; by default Kestrova.exe gets KESTROVA_VIRTUAL_CLOCK=1
//   --log FILE        the log list's lines after the run, one a line
//   --run-timeout S   how long the run may take, from Test to "Testing complete." (default 300)
//   --stop-at ready|question --hold-file FILE
//                     stop at "READY" or at the run's first Redo/Yes/No question, print
//                     "walk_driver: at <point>", wait until FILE exists (screenshots), then end
//                     Kestrova.exe
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// The ids of the window and its dialogs, as the engineer's windows carry them.
constexpr int kLabelId = 1;  // the mode caption and every label
constexpr int kStartId = 1002;
constexpr int kNoProjectId = 1012;
constexpr int kSelectId = 1004;
constexpr int kGetInfoId = 1005;
constexpr int kSelectVcpsId = 1006;
constexpr int kTestId = 1007;
constexpr int kLogListId = 1008;
constexpr int kSelectionTreeId = 1006;
constexpr int kQuestionTextId = 1043;
constexpr int kAnswerNoId = 1042;
constexpr WPARAM kAutomaticCommand = 32773;
constexpr WPARAM kManualCommand = 32774;
constexpr int kFileNameComboId = 0x47c;
constexpr int kFileNameEditId = 0x480;

constexpr char kDialogClass[] = "#32770";
constexpr char kCheckoffTitle[] = "VCP Checkoff Information";
constexpr char kSelectionTitle[] = "VCP Check Off Information";
constexpr char kSaveTitle[] = "Save results as:";

constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 5000;
// A log line is cut to 4095 characters; anything longer is not a line of the log.
constexpr LRESULT kLongestReadLine = 4095;

struct Options {
    std::string program;
    std::string report;
    bool manual = false;
    bool tickAll = false;
    bool realClock = false;
    std::string logPath;
    std::string stopAt;  // "", "ready" or "question"
    std::string holdFile;
    DWORD stepTimeoutMs = 60 * 1000;
    DWORD runTimeoutMs = 300 * 1000;
};

PROCESS_INFORMATION Kestrova{};
HANDLE KillOnCloseJob = nullptr;
HWND LogList = nullptr;

void Say(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
void Say(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("walk_driver: ", stdout);
    std::vfprintf(stdout, format, arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    va_end(arguments);
}

bool KestrovaRunning() {
    return Kestrova.hProcess != nullptr && WaitForSingleObject(Kestrova.hProcess, 0) == WAIT_TIMEOUT;
}

// Wine hands LB_GETTEXT sent with SendMessageA to another process's list back in UTF-16, so the
// line is asked for in UTF-16 and converted here.
std::optional<std::string> ListLine(HWND list, int index) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length) ||
        static_cast<LRESULT>(length) == LB_ERR || static_cast<LRESULT>(length) > kLongestReadLine) {
        return std::nullopt;
    }
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) == LB_ERR) {
        return std::nullopt;
    }
    const int wide = static_cast<int>(copied);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<size_t>(std::max(bytes, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, line.data(), bytes, nullptr, nullptr);
    return line;
}

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    DWORD_PTR count = 0;
    if (LogList == nullptr ||
        !SendMessageTimeoutA(LogList, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count) ||
        static_cast<LRESULT>(count) == LB_ERR) {
        return lines;
    }
    for (int i = 0; i < static_cast<int>(count); ++i) {
        lines.push_back(ListLine(LogList, i).value_or("(line not readable)"));
    }
    return lines;
}

[[noreturn]] void Fail(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
[[noreturn]] void Fail(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("walk_driver: FAILED: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
    if (KestrovaRunning()) {
        const std::vector<std::string> lines = LogLines();
        const size_t first = lines.size() > 15 ? lines.size() - 15 : 0;
        std::fprintf(stderr, "walk_driver: the log's last %lu of %lu lines:\n",
                     static_cast<unsigned long>(lines.size() - first), static_cast<unsigned long>(lines.size()));
        for (size_t i = first; i < lines.size(); ++i) {
            std::fprintf(stderr, "    %s\n", lines[i].c_str());
        }
        TerminateProcess(Kestrova.hProcess, 1);
        WaitForSingleObject(Kestrova.hProcess, 5000);
    }
    std::fflush(stderr);
    std::exit(1);
}

// Polls `ready` until it holds; fails naming `what` when `timeoutMs` runs out or Kestrova.exe ends,
// with what `detail` tells of the moment when given.
template <typename Condition>
void WaitFor(const std::string& what,
             DWORD timeoutMs,
             Condition ready,
             const std::function<std::string()>& detail = nullptr) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (ready()) {
            return;
        }
        if (!KestrovaRunning()) {
            DWORD code = 0;
            GetExitCodeProcess(Kestrova.hProcess, &code);
            Fail("Kestrova.exe ended (exit code %lu) while the walk waited for %s", static_cast<unsigned long>(code),
                 what.c_str());
        }
        if (GetTickCount64() >= deadline) {
            Fail("no %s within %lu s%s", what.c_str(), static_cast<unsigned long>(timeoutMs / 1000),
                 detail ? ("; " + detail()).c_str() : "");
        }
        Sleep(kPollMs);
    }
}

std::string Text(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied)) {
        return std::string();
    }
    return std::string(text);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The visible top-level windows of Kestrova.exe.
std::vector<HWND> KestrovaWindows() {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{Kestrova.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindKestrovaWindow(const char* className, const char* title) {
    for (HWND window : KestrovaWindows()) {
        if (ClassOf(window) == className && Text(window) == title) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForDialog(const char* title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitFor(std::string("the dialog \"") + title + "\"", timeoutMs, [&] {
        dialog = FindKestrovaWindow(kDialogClass, title);
        return dialog != nullptr;
    });
    return dialog;
}

void WaitUntilGone(HWND window, const std::string& what, DWORD timeoutMs) {
    WaitFor(what + " to close", timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

HWND Child(HWND parent, int id, const char* what) {
    HWND child = GetDlgItem(parent, id);
    if (child == nullptr) {
        Fail("%s (id %d) is missing", what, id);
    }
    return child;
}

// Waits until the button can be pressed, then presses it without waiting for what it does.
void Click(HWND button, const char* what, DWORD timeoutMs) {
    WaitFor(std::string("the button \"") + what + "\" to be enabled", timeoutMs,
            [&] { return IsWindowEnabled(button) && IsWindowVisible(button); });
    Say("pressing \"%s\"", what);
    if (!PostMessageA(button, BM_CLICK, 0, 0)) {
        Fail("could not press \"%s\" (error %lu)", what, static_cast<unsigned long>(GetLastError()));
    }
}

bool HasLine(const std::string& line) {
    for (const std::string& logged : LogLines()) {
        if (logged == line) {
            return true;
        }
    }
    return false;
}

void WaitForLogLine(const std::string& line, DWORD timeoutMs) {
    WaitFor("the log line \"" + line + "\"", timeoutMs, [&] { return HasLine(line); });
}

void WaitForLastLogLine(const std::string& line, DWORD timeoutMs) {
    WaitFor("\"" + line + "\" as the log's last line", timeoutMs, [&] {
        const std::vector<std::string> lines = LogLines();
        return !lines.empty() && lines.back() == line;
    });
}

void StartKestrova(const Options& options) {
    if (!options.realClock) {
        SetEnvironmentVariableA("KESTROVA_VIRTUAL_CLOCK", "1");
    }
    // Should the driver itself be killed (a test's time-out), the job takes Kestrova.exe with it.
    KillOnCloseJob = CreateJobObjectA(nullptr, nullptr);
    if (KillOnCloseJob != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(KillOnCloseJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::string commandLine = "\"" + options.program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(options.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &Kestrova)) {
        Fail("could not start \"%s\" (error %lu)", options.program.c_str(), static_cast<unsigned long>(GetLastError()));
    }
    if (KillOnCloseJob != nullptr) {
        AssignProcessToJobObject(KillOnCloseJob, Kestrova.hProcess);
    }
    Say("started %s (process %lu)", options.program.c_str(), static_cast<unsigned long>(Kestrova.dwProcessId));
}

HWND WaitForMainWindow(const Options& options) {
    HWND window = nullptr;
    WaitFor("the main window (class \"KESTROVA\", title \"Kestrova\")", options.stepTimeoutMs, [&] {
        window = FindKestrovaWindow("KESTROVA", "Kestrova");
        return window != nullptr;
    });
    return window;
}

// The texts of the main window's labels, the mode caption among them.
std::vector<std::string> LabelTexts(HWND window) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == kLabelId) {
            texts.push_back(Text(child));
        }
    }
    return texts;
}

void ChooseMode(HWND window, const Options& options) {
    const WPARAM command = options.manual ? kManualCommand : kAutomaticCommand;
    const char* mode = options.manual ? "Manual" : "Automatic";
    Say("choosing Settings > %s", mode);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    const std::string expected = std::string(mode) + " - Standard";
    WaitFor("the mode caption \"" + expected + "\"", options.stepTimeoutMs, [&] {
        const std::vector<std::string> labels = LabelTexts(window);
        return std::find(labels.begin(), labels.end(), expected) != labels.end();
    });
}

void ConfirmCheckoff(const Options& options) {
    HWND dialog = WaitForDialog(kCheckoffTitle, options.stepTimeoutMs);
    Click(Child(dialog, IDOK, "the check-off dialog's OK"), "OK", options.stepTimeoutMs);
    WaitUntilGone(dialog, "the check-off dialog", options.stepTimeoutMs);
}

HTREEITEM TreeItem(HWND tree, WPARAM relation, HTREEITEM from) {
    DWORD_PTR item = 0;
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &item);
    return reinterpret_cast<HTREEITEM>(item);
}

// 0 no check box, 1 unticked, 2 ticked.
int CheckState(HWND tree, HTREEITEM item) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &state);
    return static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
}

void VisitTree(HWND tree, HTREEITEM first, const std::function<void(HTREEITEM)>& visit) {
    for (HTREEITEM item = first; item != nullptr; item = TreeItem(tree, TVGN_NEXT, item)) {
        visit(item);
        VisitTree(tree, TreeItem(tree, TVGN_CHILD, item), visit);
    }
}

// Ticks every unticked item with the keyboard: the item selected, then Space.
void TickEverything(HWND tree, const Options& options) {
    int items = 0;
    int ticked = 0;
    VisitTree(tree, TreeItem(tree, TVGN_ROOT, nullptr), [&](HTREEITEM item) {
        ++items;
        if (CheckState(tree, item) != 1) {
            return;
        }
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendMessageA(tree, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
        WaitFor("a tick after Space in the selection tree", options.stepTimeoutMs,
                [&] { return CheckState(tree, item) == 2; });
        ++ticked;
    });
    Say("ticked %d more of the tree's %d items", ticked, items);
}

void ConfirmSelection(const Options& options) {
    HWND dialog = WaitForDialog(kSelectionTitle, options.stepTimeoutMs);
    HWND tree = Child(dialog, kSelectionTreeId, "the selection tree");
    WaitFor("the selection tree to be filled", options.stepTimeoutMs, [&] {
        DWORD_PTR count = 0;
        return SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count) && count > 0;
    });
    if (options.tickAll) {
        TickEverything(tree, options);
    }
    Click(Child(dialog, IDOK, "the selection dialog's OK"), "OK", options.stepTimeoutMs);
    WaitUntilGone(dialog, "the selection dialog", options.stepTimeoutMs);
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// "id class 'text'" of every control of `window`, for a failure message.
std::string Controls(HWND window) {
    std::string text;
    for (HWND child : Descendants(window)) {
        char id[16];
        std::snprintf(id, sizeof id, "0x%x", static_cast<unsigned>(GetDlgCtrlID(child)));
        text += std::string(text.empty() ? "" : ", ") + id + " " + ClassOf(child) + " '" + Text(child).substr(0, 30) +
                "'" + (IsWindowVisible(child) ? "" : " hidden");
    }
    return text;
}

// The file name field of the save dialog: the edit of combo box cmb13 (itself inside an extended
// combo box in Wine's dialog), or the plain edit edt1 of older templates.
HWND FileNameField(HWND dialog) {
    for (HWND child : Descendants(dialog)) {
        const int id = GetDlgCtrlID(child);
        if ((id == kFileNameComboId || id == kFileNameEditId) && ClassOf(child) == "Edit" && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

// Types `text` into the edit as a keyboard would, one character message each, over what the field
// holds (selected first, so that the first character replaces it).
void Type(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &ignored);
    }
}

// The texts of a dialog's static controls: a message box's text, the question of dialog 138.
std::string StaticTexts(HWND dialog) {
    std::string text;
    for (HWND child : Descendants(dialog)) {
        if (ClassOf(child) == "Static" && !Text(child).empty()) {
            text += (text.empty() ? "" : " ") + Text(child);
        }
    }
    return text;
}

// Answers a question the run puts, as the console does in an Automatic run: No to the Redo/Yes/No
// question and to a Yes/No box, OK to an OK box. False when `dialog` is none of these.
bool AnswerQuestion(HWND dialog, int& answered) {
    int button = 0;
    const char* answer = nullptr;
    if (GetDlgItem(dialog, kQuestionTextId) != nullptr) {
        button = kAnswerNoId;
        answer = "No";
    } else if (GetDlgItem(dialog, IDNO) != nullptr) {
        button = IDNO;
        answer = "No";
    } else if (GetDlgItem(dialog, IDOK) != nullptr && GetDlgItem(dialog, IDCANCEL) == nullptr) {
        button = IDOK;
        answer = "OK";
    } else {
        return false;
    }
    Say("answering %s to \"%s\": %s", answer, Text(dialog).c_str(), StaticTexts(dialog).c_str());
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    WaitUntilGone(dialog, "the question \"" + Text(dialog) + "\"", kSendTimeoutMs * 2);
    ++answered;
    return true;
}

// Waits for the save dialog at the end of the run, answering the questions put on the way.
HWND WaitForSaveDialog(const Options& options) {
    HWND save = nullptr;
    int answered = 0;
    WaitFor("the dialog \"" + std::string(kSaveTitle) + "\"", options.runTimeoutMs, [&] {
        for (HWND shown : KestrovaWindows()) {
            if (ClassOf(shown) != kDialogClass) {
                continue;
            }
            if (Text(shown) == kSaveTitle) {
                save = shown;
                return true;
            }
            if (IsWindowEnabled(shown)) {
                AnswerQuestion(shown, answered);
            }
        }
        return false;
    });
    if (answered > 0) {
        Say("answered %d questions of the run", answered);
    }
    return save;
}

void SaveReport(const Options& options) {
    HWND dialog = WaitForSaveDialog(options);
    HWND name = nullptr;
    WaitFor(
        "the save dialog's file name field", options.stepTimeoutMs,
        [&] {
            name = FileNameField(dialog);
            return name != nullptr;
        },
        [&] { return "the dialog's controls: " + Controls(dialog); });
    const std::string proposed = Text(name);
    Say("the save dialog proposes \"%s\"", proposed.c_str());
    if (proposed.rfind("VCP Check ", 0) != 0 || proposed.size() < 15 ||
        proposed.compare(proposed.size() - 5, 5, ".html") != 0) {
        Fail("the save dialog proposes \"%s\", not \"VCP Check <manufacturer> <model>.html\"", proposed.c_str());
    }
    Type(name, options.report);
    WaitFor("the file name field to read \"" + options.report + "\"", options.stepTimeoutMs,
            [&] { return Text(name) == options.report; });
    Click(Child(dialog, IDOK, "the save dialog's Save button"), "Save", options.stepTimeoutMs);
    WaitUntilGone(dialog, "the save dialog", options.stepTimeoutMs);
}

void ReportMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(Kestrova.hProcess, &counters, sizeof counters)) {
        Say("the memory counters of Kestrova.exe are not available (error %lu)",
            static_cast<unsigned long>(GetLastError()));
        return;
    }
    constexpr double kMiB = 1024.0 * 1024.0;
    Say("Kestrova.exe peak working set %.1f MiB, peak pagefile usage %.1f MiB, working set now %.1f MiB",
        static_cast<double>(counters.PeakWorkingSetSize) / kMiB, static_cast<double>(counters.PeakPagefileUsage) / kMiB,
        static_cast<double>(counters.WorkingSetSize) / kMiB);
}

void WriteLog(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        Fail("could not write the log to \"%s\"", path.c_str());
    }
    for (const std::string& line : LogLines()) {
        std::fprintf(file, "%s\n", line.c_str());
    }
    std::fclose(file);
}

void CloseAndWaitForExit(HWND window, const Options& options) {
    Say("closing the window");
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(Kestrova.hProcess, options.stepTimeoutMs) != WAIT_OBJECT_0) {
        Fail("Kestrova.exe did not end within %lu s of WM_CLOSE",
             static_cast<unsigned long>(options.stepTimeoutMs / 1000));
    }
    DWORD code = 0;
    GetExitCodeProcess(Kestrova.hProcess, &code);
    if (code != 0) {
        Kestrova.hProcess = nullptr;
        Fail("Kestrova.exe ended with exit code %lu, not 0", static_cast<unsigned long>(code));
    }
}

// At a stop point the caller (the screenshot script) looks at the window until the hold file exists.
void Hold(const std::string& point, const Options& options) {
    Say("at %s", point.c_str());
    WaitFor("the hold file \"" + options.holdFile + "\"", options.runTimeoutMs,
            [&] { return GetFileAttributesA(options.holdFile.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--manual") {
            options.manual = true;
        } else if (argument == "--tick-all") {
            options.tickAll = true;
        } else if (argument == "--real-clock") {
            options.realClock = true;
        } else if (argument == "--log" && hasValue) {
            options.logPath = argv[++i];
        } else if (argument == "--stop-at" && hasValue) {
            options.stopAt = argv[++i];
        } else if (argument == "--hold-file" && hasValue) {
            options.holdFile = argv[++i];
        } else if (argument == "--run-timeout" && hasValue) {
            options.runTimeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10)) * 1000;
        } else if (argument.rfind("--", 0) == 0) {
            return false;
        } else {
            positional.push_back(argument);
        }
    }
    const bool stopKnown = options.stopAt.empty() || options.stopAt == "ready" || options.stopAt == "question";
    if (positional.size() != 2 || !stopKnown || options.stopAt.empty() != options.holdFile.empty()) {
        return false;
    }
    options.program = positional[0];
    // The save dialog is typed a full path, so the report lands where the caller said whatever
    // folder the dialog opens in.
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(positional[1].c_str(), MAX_PATH, full, nullptr);
    options.report = length > 0 && length < MAX_PATH ? std::string(full) : positional[1];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(
            "usage: walk_driver [--manual] [--tick-all] [--real-clock] [--log FILE] [--run-timeout S]\n"
            "                   [--stop-at ready|question --hold-file FILE] KESTROVA.EXE REPORT.html\n",
            stderr);
        return 2;
    }
    if (options.stopAt.empty() && GetFileAttributesA(options.report.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "walk_driver: \"%s\" exists; the save dialog would ask to replace it\n",
                     options.report.c_str());
        return 2;
    }

    StartKestrova(options);
    HWND window = WaitForMainWindow(options);
    LogList = Child(window, kLogListId, "the log list");
    WaitForLogLine("READY", options.stepTimeoutMs);
    Say("the window logged READY");
    if (options.stopAt == "ready") {
        Hold("ready", options);
        CloseAndWaitForExit(window, options);
        return 0;
    }

    ChooseMode(window, options);
    Click(Child(window, kStartId, "Start"), "Start", options.stepTimeoutMs);
    WaitForLogLine("1. Select Project - Select a project or No project.", options.stepTimeoutMs);
    Click(Child(window, kNoProjectId, "No Project"), "No Project", options.stepTimeoutMs);
    WaitForLogLine("2. Monitor selection - Select the monitor to test and press 'Select'.", options.stepTimeoutMs);
    Click(Child(window, kSelectId, "Select"), "Select", options.stepTimeoutMs);
    WaitForLogLine("3. Get information - Press 'Get Info' to enter your information.", options.stepTimeoutMs);
    Click(Child(window, kGetInfoId, "Get Info"), "Get Info", options.stepTimeoutMs);
    ConfirmCheckoff(options);
    WaitForLogLine("4. Build VCP list - Press 'Get VCPs' to build the VCP list from caps.", options.stepTimeoutMs);
    Click(Child(window, kSelectVcpsId, "Select VCPs and Plugins"), "Select VCPs and Plugins", options.stepTimeoutMs);
    ConfirmSelection(options);
    WaitForLogLine("5. Ready to start the test.", options.stepTimeoutMs);
    Click(Child(window, kTestId, "Test"), "Test", options.stepTimeoutMs);

    if (options.stopAt == "question") {
        WaitFor("a Redo/Yes/No question", options.runTimeoutMs, [] {
            for (HWND shown : KestrovaWindows()) {
                if (ClassOf(shown) == kDialogClass && GetDlgItem(shown, kQuestionTextId) != nullptr) {
                    return true;
                }
            }
            return false;
        });
        Hold("question", options);
        TerminateProcess(Kestrova.hProcess, 0);
        WaitForSingleObject(Kestrova.hProcess, options.stepTimeoutMs);
        return 0;
    }

    SaveReport(options);
    WaitForLastLogLine("Testing complete.", options.runTimeoutMs);
    Say("the window logged \"Testing complete.\"");
    if (GetFileAttributesA(options.report.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Fail("the run ended but \"%s\" was not written", options.report.c_str());
    }
    ReportMemory();
    if (!options.logPath.empty()) {
        WriteLog(options.logPath);
    }
    CloseAndWaitForExit(window, options);
    Say("Kestrova.exe ended with exit code 0");
    return 0;
}
