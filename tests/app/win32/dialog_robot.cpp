#include "dialog_robot.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace kestrova::app::win32::testing {

namespace {

thread_local DialogRobot* ThreadRobot = nullptr;

constexpr UINT kTickMs = 15;
// A window of another thread is acted on only once that thread answers messages again, i.e. once
// its dialog has finished setting itself up and sits in its modal loop.
constexpr UINT kOtherThreadReadyMs = 2000;

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM windows) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM texts) {
    if (ClassOf(child) == "Static") {
        const std::string text = TextOf(child);
        if (!text.empty()) {
            auto& all = *reinterpret_cast<std::string*>(texts);
            all += all.empty() ? text : "\n" + text;
        }
    }
    return TRUE;
}

BOOL CALLBACK FindEdit(HWND child, LPARAM found) {
    if (ClassOf(child) == "Edit") {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

namespace {

constexpr char kOwnDesktopMarker[] = "KESTROVA_TEST_OWN_DESKTOP";

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool SetUserString(const std::string& keyPath, const std::string& name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG written = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

int RunAllTests(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Wine picks a program's desktop from its settings when the process starts.
std::optional<int> RunAgainOnOwnDesktop() {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) {
        return std::nullopt;
    }
    std::string program = path;
    program = program.substr(program.find_last_of("\\/") + 1);
    const std::string desktop = "kestrova-" + program.substr(0, program.find_last_of('.'));
    if (!SetUserString("Software\\Wine\\AppDefaults\\" + program + "\\Explorer", "Desktop", desktop) ||
        !SetUserString("Software\\Wine\\Explorer\\Desktops", desktop, "1280x1024")) {
        return std::nullopt;
    }
    SetEnvironmentVariableA(kOwnDesktopMarker, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    // A child starts on its parent's desktop unless it names another; a new one is a desktop window.
    startup.lpDesktop = const_cast<char*>(desktop.c_str());
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    std::string commandLine = GetCommandLineA();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return std::nullopt;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int RunAllTestsOnOwnDesktop(int argc, char** argv) {
    if (UnderWine() && GetEnvironmentVariableA(kOwnDesktopMarker, nullptr, 0) == 0) {
        if (std::optional<int> code = RunAgainOnOwnDesktop()) {
            return *code;
        }
    }
    return RunAllTests(argc, argv);
}

std::vector<HWND> ProcessTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string TextOf(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string CaptionOf(HWND window) {
    wchar_t wide[512] = {};
    const int length = InternalGetWindowText(window, wide, 512);
    if (length <= 0) {
        return std::string();
    }
    char narrow[1024] = {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, narrow, sizeof narrow, nullptr, nullptr);
    return std::string(narrow, bytes > 0 ? static_cast<size_t>(bytes) : 0);
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string StaticTexts(HWND dialog) {
    std::string texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetText(HWND dialog, int id, const std::string& text) {
    HWND field = GetDlgItem(dialog, id);
    ASSERT_NE(field, nullptr) << "no control " << id << " in \"" << TextOf(dialog) << "\"";
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::string> ListBoxLines(HWND listBox) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string line(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        const LRESULT copied =
            SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        line.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        lines.push_back(line);
    }
    return lines;
}

HWND FileNameField(HWND fileDialog) {
    // Wine nests the edit two deep: a ComboBoxEx32, its combo box, then the edit, all 0x47c.
    if (HWND combo = GetDlgItem(fileDialog, 0x47c)) {
        HWND edit = nullptr;
        EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr ? edit : combo;
    }
    return GetDlgItem(fileDialog, 0x480);
}

void AnswerFileDialog(HWND fileDialog, const std::string& path) {
    HWND field = FileNameField(fileDialog);
    ASSERT_NE(field, nullptr) << "no file name field in \"" << TextOf(fileDialog) << "\"";
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Click(fileDialog, IDOK);
}

DialogRobot::DialogRobot() {
    ThreadRobot = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, OnTimer);
    EXPECT_NE(timer_, 0u) << "no thread timer";
}

DialogRobot::~DialogRobot() {
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
    }
    ThreadRobot = nullptr;
}

DialogRobot& DialogRobot::When(const std::string& caption, Action action, int times, bool dialogClassOnly) {
    Expectation expectation;
    expectation.caption = caption;
    expectation.dialogClassOnly = dialogClassOnly;
    expectation.action = std::move(action);
    expectation.remaining = times;
    expectations_.push_back(std::move(expectation));
    return *this;
}

DialogRobot& DialogRobot::WhenAny(Action action, int times) {
    When("(any dialog)", std::move(action), times, true);
    expectations_.back().anyCaption = true;
    return *this;
}

DialogRobot& DialogRobot::ThenWhen(std::function<bool()> ready, std::function<void()> action, std::string what) {
    Expectation expectation;
    expectation.caption = std::move(what);
    expectation.ready = std::move(ready);
    expectation.step = std::move(action);
    expectations_.push_back(std::move(expectation));
    return *this;
}

std::vector<std::string> DialogRobot::Pending() const {
    std::vector<std::string> pending;
    for (const Expectation& expectation : expectations_) {
        if (expectation.remaining != kAlways) {
            pending.push_back(expectation.caption);
        }
    }
    return pending;
}

void CALLBACK DialogRobot::OnTimer(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
    if (ThreadRobot != nullptr) {
        ThreadRobot->Tick();
    }
}

void DialogRobot::Tick() {
    if (inTick_) {
        return;
    }
    inTick_ = true;
    for (auto it = handled_.begin(); it != handled_.end();) {
        it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
    }
    const std::vector<HWND> windows = ProcessTopLevelWindows();
    bool earlierPending = false;
    for (size_t i = 0; i < expectations_.size(); ++i) {
        Expectation& expectation = expectations_[i];
        if (expectation.ready) {
            if (!earlierPending && expectation.ready()) {
                std::function<void()> step = std::move(expectation.step);
                answered_.push_back(expectation.caption);
                expectations_.erase(expectations_.begin() + static_cast<std::ptrdiff_t>(i));
                step();
                break;
            }
            earlierPending = true;
            continue;
        }
        HWND match = nullptr;
        for (HWND window : windows) {
            if (handled_.count(window) == 0 && (expectation.anyCaption || CaptionOf(window) == expectation.caption) &&
                (!expectation.dialogClassOnly || ClassOf(window) == "#32770")) {
                match = window;
                break;
            }
        }
        if (match == nullptr) {
            earlierPending = earlierPending || expectation.remaining != kAlways;
            continue;
        }
        if (GetWindowThreadProcessId(match, nullptr) != GetCurrentThreadId()) {
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutA(match, WM_NULL, 0, 0, SMTO_NORMAL, kOtherThreadReadyMs, &ignored)) {
                break;
            }
        }
        Action action = expectation.action;
        answered_.push_back(expectation.caption);
        if (expectation.remaining != kAlways && --expectation.remaining == 0) {
            expectations_.erase(expectations_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        handled_.insert(match);
        action(match);
        break;
    }
    inTick_ = false;
}

std::string DialogRobot::Describe() const {
    std::ostringstream text;
    text << "still expected:";
    for (const std::string& caption : Pending()) {
        text << " \"" << caption << "\"";
    }
    text << "; windows up:";
    for (HWND window : ProcessTopLevelWindows()) {
        text << " \"" << CaptionOf(window) << "\" (" << ClassOf(window)
             << (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() ? ", this thread" : ", other thread")
             << (handled_.count(window) != 0 ? ", answered" : "") << ")";
        const std::string texts = StaticTexts(window);
        if (!texts.empty()) {
            text << " saying \"" << texts << "\"";
        }
    }
    text << "; answered so far:";
    for (const std::string& caption : answered_) {
        text << " \"" << caption << "\"";
    }
    return text.str();
}

bool DialogRobot::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitReceived_ = true;
                quitCode_ = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount64() - start > timeoutMs) {
            ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what << "; " << Describe();
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace kestrova::app::win32::testing
