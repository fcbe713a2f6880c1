#include <windows.h>
#include <shellapi.h>

#include "win32/win32_desktop.h"

#include <string>

namespace vantrelpad::win32 {

namespace {

HWND handle(Window window) { return reinterpret_cast<HWND>(window); }
Window window_of(HWND hwnd) { return reinterpret_cast<Window>(hwnd); }

// A window whose thread the system already counts as hung does not hold up
// the probe at all.
constexpr UINT kProbeFlags = SMTO_ABORTIFHUNG;

// A command send waits as long as the editor keeps processing messages (it
// may be showing a box of its own that waits for the user); the time-out
// applies only once its thread has stopped doing so.
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG;

// The editor is started as if opened from the shell, with no arguments and
// its working directory at the root of drive C.
constexpr const char* kLaunchVerb = "open";
constexpr const char* kLaunchDirectory = "c:\\";
constexpr int kLaunchShow = SW_SHOW;

// Bringing another process's window to the front completes in that window's
// thread, after the call has returned. A message sent to the window returns
// only once its thread has got that far, so a later activation cannot
// overtake this one. An editor answers at once; a hung one is not waited for.
constexpr UINT kActivationSyncFlags = SMTO_ABORTIFHUNG;
constexpr UINT kActivationSyncTimeoutMs = 1000;

}  // namespace

unsigned Win32Desktop::register_message(std::string_view name) {
    return RegisterWindowMessageA(std::string(name).c_str());
}

Window Win32Desktop::first_top_level_window() {
    return window_of(GetWindow(GetDesktopWindow(), GW_CHILD));
}

Window Win32Desktop::next_window(Window window) {
    return window_of(GetWindow(handle(window), GW_HWNDNEXT));
}

std::uintptr_t Win32Desktop::probe(Window window, unsigned message, unsigned timeout_ms) {
    DWORD_PTR reply = 0;
    SendMessageTimeoutA(handle(window), message, 0, 0, kProbeFlags, timeout_ms, &reply);
    return reply;
}

void Win32Desktop::launch(const std::string& path) {
    ShellExecuteA(nullptr, kLaunchVerb, path.c_str(), nullptr, kLaunchDirectory, kLaunchShow);
}

void Win32Desktop::sleep(unsigned milliseconds) { Sleep(milliseconds); }

void Win32Desktop::set_foreground(Window window) {
    SetForegroundWindow(handle(window));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(handle(window), WM_NULL, 0, 0, kActivationSyncFlags,
                        kActivationSyncTimeoutMs, &ignored);
}

bool Win32Desktop::is_visible(Window window) { return IsWindowVisible(handle(window)) != FALSE; }

bool Win32Desktop::has_owner(Window window) {
    return GetWindow(handle(window), GW_OWNER) != nullptr;
}

std::uint32_t Win32Desktop::process_of(Window window) {
    DWORD process = 0;
    GetWindowThreadProcessId(handle(window), &process);
    return process;
}

bool Win32Desktop::send_command(Window window, std::string_view command, unsigned timeout_ms) {
    COPYDATASTRUCT record;
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(command.size());
    record.lpData = const_cast<char*>(command.data());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(handle(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                               kSendFlags, timeout_ms, &answer) != 0;
}

}  // namespace vantrelpad::win32
