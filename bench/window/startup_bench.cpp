// Start-up of the window beside the console's, in the same run: Kestrova.exe from CreateProcess to
// "READY" in its log list, and kestrova-cli.exe monitors from CreateProcess to its exit (it loads
// the same library and enumerates the same monitors, then lists them). Rounds alternate between
// the two so that a slower stretch of the machine weighs on both; medians are reported.
//
// window_startup_bench [--rounds N] [--virtual-clock] KESTROVA.EXE KESTROVA-CLI.EXE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kLogListId = 1008;
constexpr DWORD kTimeoutMs = 60 * 1000;

double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "window_startup_bench: %s\n", message.c_str());
    std::exit(1);
}

PROCESS_INFORMATION Start(const std::string& program, const std::string& arguments, HANDLE output) {
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = output;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr ? TRUE : FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        Fail("could not start " + program + " (error " + std::to_string(GetLastError()) + ")");
    }
    return process;
}

void End(PROCESS_INFORMATION& process) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

struct Search {
    DWORD processId;
    HWND found;
};

HWND MainWindowOf(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (owner == s->processId && std::string(name) == "KESTROVA") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// "READY" is the first line the window logs. Wine answers LB_GETTEXT sent with SendMessageA to
// another process's list in UTF-16, so the line is asked for in UTF-16.
bool LoggedReady(HWND list) {
    if (SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0 || SendMessageW(list, LB_GETTEXTLEN, 0, 0) != 5) {
        return false;
    }
    wchar_t line[16] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    return std::wstring(line) == L"READY";
}

double WindowStartUpMs(const std::string& program) {
    const double begin = NowMs();
    PROCESS_INFORMATION process = Start(program, "", nullptr);
    HWND list = nullptr;
    double ready = 0;
    for (;;) {
        if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) {
            Fail("Kestrova.exe ended before it logged READY (is Brevlink.dll in the driver folder?)");
        }
        if (NowMs() - begin > kTimeoutMs) {
            TerminateProcess(process.hProcess, 1);
            Fail("Kestrova.exe did not log READY within a minute");
        }
        if (list == nullptr) {
            if (HWND window = MainWindowOf(process.dwProcessId)) {
                list = GetDlgItem(window, kLogListId);
            }
        }
        if (list != nullptr && LoggedReady(list)) {
            ready = NowMs();
            break;
        }
        Sleep(1);
    }
    PostMessageA(GetParent(list), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        Fail("Kestrova.exe did not end after WM_CLOSE");
    }
    End(process);
    return ready - begin;
}

double ConsoleStartUpMs(const std::string& program, HANDLE nul) {
    const double begin = NowMs();
    PROCESS_INFORMATION process = Start(program, "monitors", nul);
    if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        Fail("kestrova-cli.exe monitors did not end within a minute");
    }
    const double end = NowMs();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    End(process);
    if (code != 0) {
        Fail("kestrova-cli.exe monitors answered " + std::to_string(code) + " (is Brevlink.dll in the driver folder?)");
    }
    return end - begin;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Print(const char* name, const std::vector<double>& values) {
    std::printf("%-32s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%zu starts)\n", name, Median(values),
                *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()),
                values.size());
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 9;
    bool virtualClock = false;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--virtual-clock") {
            virtualClock = true;
        } else {
            programs.push_back(argument);
        }
    }
    if (programs.size() != 2) {
        std::fputs("usage: window_startup_bench [--rounds N] [--virtual-clock] KESTROVA.EXE KESTROVA-CLI.EXE\n",
                   stderr);
        return 2;
    }
    SetEnvironmentVariableA("KESTROVA_VIRTUAL_CLOCK", virtualClock ? "1" : nullptr);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);

    // One start of each first, unmeasured: the first loads every file into the cache.
    WindowStartUpMs(programs[0]);
    ConsoleStartUpMs(programs[1], nul);
    std::vector<double> window;
    std::vector<double> console;
    for (int round = 0; round < rounds; ++round) {
        window.push_back(WindowStartUpMs(programs[0]));
        console.push_back(ConsoleStartUpMs(programs[1], nul));
    }
    std::printf("start-up, %s clock:\n", virtualClock ? "virtual" : "real");
    Print("Kestrova.exe to READY", window);
    Print("kestrova-cli.exe monitors", console);
    std::printf("window / console (medians): %.2f  (goal: at most 1.50)\n", Median(window) / Median(console));
    return 0;
}
