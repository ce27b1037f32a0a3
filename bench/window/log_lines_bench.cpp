// 100,000 log lines from a worker thread into the real log list, as a run's test thread sends them:
// the window of a win32::Program in this process, its thread pumping messages, op::LogLine from a
// std::thread. Reports microseconds a line and the process's private bytes before and after.
//
// window_log_lines_bench [--lines N] [--hidden]
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/win32/program.h"
#include "operator/operator_output.h"

namespace {

constexpr UINT kWorkerDone = WM_APP + 100;

// Wine leaves PrivateUsage at 0; the commit charge (PagefileUsage) is the same count on Windows.
double PrivateMiB() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    const SIZE_T bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    int lines = 100000;
    int show = SW_SHOWNOACTIVATE;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--lines" && i + 1 < argc) {
            lines = std::atoi(argv[++i]);
        } else if (argument == "--hidden") {
            show = SW_HIDE;
        } else {
            std::fputs("usage: window_log_lines_bench [--lines N] [--hidden]\n", stderr);
            return 2;
        }
    }

    // No library: the window starts with an empty monitor list, which the log does not care about.
    kestrova::app::win32::Program program(GetModuleHandleA(nullptr), [] { return true; });
    if (!program.StartUp(show)) {
        std::fputs("window_log_lines_bench: the window could not be created\n", stderr);
        return 1;
    }
    HWND list = program.Controls().logList;
    const LRESULT before = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const double privateBefore = PrivateMiB();

    const DWORD windowThread = GetCurrentThreadId();
    double elapsedUs = 0;
    std::thread worker([&] {
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < lines; ++i) {
            kestrova::op::LogLine("0x%02X ...VCP Code read: current value %d, maximum value %d (line %d)", i & 0xFF,
                                  i % 101, 100, i);
        }
        elapsedUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
        PostThreadMessageA(windowThread, kWorkerDone, 0, 0);
    });
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kWorkerDone) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    worker.join();

    const LRESULT after = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const double privateAfter = PrivateMiB();
    if (after - before != lines) {
        std::fprintf(stderr, "window_log_lines_bench: the list gained %ld lines, not %d\n",
                     static_cast<long>(after - before), lines);
        return 1;
    }
    std::printf("%d log lines from a worker thread into the %s log list:\n", lines,
                show == SW_HIDE ? "hidden" : "shown");
    std::printf("  %.2f us a line (goal: at most 50), %.2f s in all\n", elapsedUs / lines, elapsedUs / 1e6);
    std::printf("  private bytes %.1f MiB before, %.1f MiB after (%.0f bytes a line)\n", privateBefore, privateAfter,
                (privateAfter - privateBefore) * 1024.0 * 1024.0 / lines);
    return 0;
}
