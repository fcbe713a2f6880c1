#include <windows.h>

#include "win32/win32_runtime.h"

#include <cstdlib>
#include <vector>

#include "win32/text.h"

namespace vantrelpad::win32 {

namespace {

// Caption and style of every message box the program shows: one OK button
// and the exclamation icon, no owner window.
constexpr const char* kMessageCaption = "Vantrelpad";
constexpr UINT kMessageStyle = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void Win32Runtime::show_message(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kMessageCaption, kMessageStyle);
}

void Win32Runtime::exit_process(int code) { std::exit(code); }

std::optional<std::string> Win32Runtime::current_directory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            return narrow(buffer.data(), CP_UTF8);
        }
        buffer.resize(length + 1);  // the size it needs, its NUL included
    }
}

std::string Win32Runtime::program_file_path() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::size_t Win32Runtime::read_stdin(char* buffer, std::size_t capacity) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD count = 0;
    // A failed read ends the input; what it stored still counts, and the
    // next read fails again.
    ReadFile(input, buffer, static_cast<DWORD>(capacity), &count, nullptr);
    return count;
}

}  // namespace vantrelpad::win32
