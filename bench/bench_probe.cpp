// One probe of the top-level windows, as the program makes it, beside a raw
// loop of the same GetWindow walk and SendMessageTimeoutA calls.
//   bench_probe ROUNDS     prints "probe us=<per probe>" and "raw us=<per probe>"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "director/editor_link.h"
#include "win32/win32_desktop.h"

namespace {

double now_us() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

HWND raw_probe() {
    const UINT message = RegisterWindowMessageA("SciTEDirectorInterface");
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD_PTR reply = 0;
        SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 1000, &reply);
        if (reply == message) return window;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    vantrelpad::win32::Win32Desktop desktop;
    int windows = 0;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        ++windows;
    }
    // Alternate the two, so that a slow moment of the machine hits both.
    double probe_us = 0, raw_us = 0;
    int found = 0;
    for (int i = 0; i < rounds; ++i) {
        double start = now_us();
        found += vantrelpad::find_editor_window(desktop) != vantrelpad::kNoWindow;
        probe_us += now_us() - start;
        start = now_us();
        found += raw_probe() != nullptr;
        raw_us += now_us() - start;
    }
    std::printf("windows %d\nprobe us=%.1f\nraw us=%.1f\nfound %d\n", windows, probe_us / rounds,
                raw_us / rounds, found);
    return 0;
}
