// A stand-in for the editor: registers the director probe message, answers it
// from a hidden top-level window, shows a visible frame in the same process
// and logs every command it receives, byte for byte.
//
// It is started by the tests or by Vantrelpad itself (with no arguments), so
// it takes its settings from the environment:
//   STANDIN_LOG          file to append the log to (required)
//   STANDIN_READY        file to create once the windows are up
//   STANDIN_STOP         quit once this file exists
//   STANDIN_DELAY_MS     wait this long before creating any window
//   STANDIN_ROLE         editor (default): answer the probe with its number;
//                        silent: answer 0; busy: keep the thread busy for
//                        STANDIN_BUSY_MS on each probe, then answer 0;
//                        hang: answer like the editor, then stop processing
//                        messages for STANDIN_BUSY_MS
//   STANDIN_CLOSE_AFTER  close both windows and quit after this many commands
//   STANDIN_EXTRA_WINDOWS  this many more hidden top-level windows that answer
//                        the probe as the role says
//
// Log lines:
//   start cmdline=<hex of the UTF-8 command line> cwd=<hex of the UTF-8 cwd>
//   copydata dwData=<n> cbData=<n> foreground=<0|1> front=<class> bytes=<hex>
//   exit
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT_PTR kStopTimer = 1;
constexpr UINT kStopPollMs = 100;
constexpr UINT kHangMessage = WM_APP + 1;
// A stand-in that nobody stops ends by itself after this long.
constexpr DWORD kLifetimeMs = 15 * 60 * 1000;

struct Settings {
    std::string log;
    std::string ready;
    std::string stop;
    DWORD delay_ms = 0;
    std::string role = "editor";
    DWORD busy_ms = 0;
    long close_after = -1;
    unsigned long extra_windows = 0;
};

Settings settings;
UINT probe_message = 0;
HWND frame = nullptr;
HANDLE log_file = INVALID_HANDLE_VALUE;
long commands_received = 0;
DWORD started_at = 0;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string hex(const void* data, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

void log_line(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(log_file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void quit() {
    if (frame) DestroyWindow(frame);
    PostQuitMessage(0);
}

LRESULT CALLBACK director_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == probe_message && probe_message != 0) {
        if (settings.role == "busy") {
            Sleep(settings.busy_ms);
            return 0;
        }
        if (settings.role == "hang") {
            PostMessageA(window, kHangMessage, 0, 0);
            return static_cast<LRESULT>(probe_message);
        }
        return settings.role == "editor" ? static_cast<LRESULT>(probe_message) : 0;
    }
    switch (message) {
        case WM_COPYDATA: {
            const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
            const HWND front = GetForegroundWindow();
            const bool in_front = front == frame;
            char front_class[64] = "none";
            if (front) GetClassNameA(front, front_class, sizeof front_class);
            char head[128];
            std::snprintf(
                head, sizeof head, "copydata dwData=%lu cbData=%lu foreground=%d front=%s bytes=",
                static_cast<unsigned long>(record->dwData),
                static_cast<unsigned long>(record->cbData), in_front ? 1 : 0, front_class);
            log_line(head + hex(record->lpData, record->cbData));
            if (++commands_received == settings.close_after) {
                DestroyWindow(window);
                quit();
            }
            return TRUE;
        }
        case kHangMessage:
            Sleep(settings.busy_ms);
            return 0;
        case WM_TIMER:
            if (GetFileAttributesA(settings.stop.c_str()) != INVALID_FILE_ATTRIBUTES ||
                GetTickCount() - started_at > kLifetimeMs) {
                DestroyWindow(window);
                quit();
            }
            return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_window(const char* class_name, WNDPROC procedure, DWORD style) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassA(&window_class);
    return CreateWindowExA(0, class_name, class_name, style, 10, 10, 300, 200, nullptr, nullptr,
                           window_class.hInstance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    started_at = GetTickCount();
    settings.log = env("STANDIN_LOG");
    settings.ready = env("STANDIN_READY");
    settings.stop = env("STANDIN_STOP");
    settings.delay_ms = std::strtoul(env("STANDIN_DELAY_MS").c_str(), nullptr, 10);
    if (!env("STANDIN_ROLE").empty()) settings.role = env("STANDIN_ROLE");
    settings.busy_ms = std::strtoul(env("STANDIN_BUSY_MS").c_str(), nullptr, 10);
    settings.extra_windows = std::strtoul(env("STANDIN_EXTRA_WINDOWS").c_str(), nullptr, 10);
    if (!env("STANDIN_CLOSE_AFTER").empty()) {
        settings.close_after = std::strtol(env("STANDIN_CLOSE_AFTER").c_str(), nullptr, 10);
    }
    log_file =
        CreateFileA(settings.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log_file == INVALID_HANDLE_VALUE) return 2;

    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    log_line(
        "start cmdline=" + hex(utf8(GetCommandLineW()).data(), utf8(GetCommandLineW()).size()) +
        " cwd=" + hex(utf8(cwd).data(), utf8(cwd).size()));

    Sleep(settings.delay_ms);
    probe_message = RegisterWindowMessageA("SciTEDirectorInterface");
    frame = make_window("StandinFrame", DefWindowProcA, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    // Created last, so it stands above the frame, as the editor's own does.
    const HWND director = make_window("StandinDirector", director_proc, WS_OVERLAPPEDWINDOW);
    SetTimer(director, kStopTimer, kStopPollMs, nullptr);
    for (unsigned long i = 0; i < settings.extra_windows; ++i) {
        make_window("StandinExtra", director_proc, WS_OVERLAPPEDWINDOW);
    }
    if (!settings.ready.empty()) {
        CloseHandle(CreateFileA(settings.ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    log_line("exit");
    CloseHandle(log_file);
    return 0;
}
