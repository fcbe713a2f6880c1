// Test harness for the end-to-end tests: runs a program with an exact command
// line, feeds its standard input through a pipe, reads and closes the message
// boxes it shows, and reports what a user would see, one line each:
//   box ms=<since start> caption=<hex> text=<hex> buttons=<hex of "OK|..."> icon=<0|1>
//   exit code=0x<8 hex digits> ms=<since start> us=<since start, finer>
//
//   harness run [--stdin FILE | --no-stdin] [--cwd DIR] APPLICATION COMMAND-LINE
//   harness version FILE     the resource types and version strings of FILE
// The arguments of run are given as the hex digits of their UTF-8 bytes, so
// that any command line crosses from the test script unchanged.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

namespace {

// A run that takes longer than this is stopped and reported as hung.
constexpr DWORD kRunLimitMs = 300000;
constexpr DWORD kBoxPollMs = 10;

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::string window_text(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct BoxSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_boxes(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && class_of(window) == "#32770" && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

struct Controls {
    std::string buttons;
    bool icon = false;
};

BOOL CALLBACK collect_controls(HWND child, LPARAM context) {
    auto* controls = reinterpret_cast<Controls*>(context);
    const std::string name = class_of(child);
    if (name == "Button") {
        if (!controls->buttons.empty()) controls->buttons += "|";
        controls->buttons += window_text(child);
    } else if (name == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_ICON) == SS_ICON) {
        controls->icon = true;
    }
    return TRUE;
}

void report_box(HWND box, DWORD started) {
    const HWND text = GetDlgItem(box, 0xFFFF);
    Controls controls;
    EnumChildWindows(box, collect_controls, reinterpret_cast<LPARAM>(&controls));
    std::printf("box ms=%lu caption=%s text=%s buttons=%s icon=%d\n",
                static_cast<unsigned long>(GetTickCount() - started), hex(window_text(box)).c_str(),
                hex(text ? window_text(text) : std::string()).c_str(),
                hex(controls.buttons).c_str(), controls.icon ? 1 : 0);
    std::fflush(stdout);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

struct Feed {
    HANDLE file;
    HANDLE pipe;
};

DWORD WINAPI feed_stdin(void* context) {
    auto* feed = static_cast<Feed*>(context);
    std::vector<char> buffer(1 << 16);
    DWORD count = 0;
    while (
        ReadFile(feed->file, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr) &&
        count > 0) {
        DWORD written = 0;
        if (!WriteFile(feed->pipe, buffer.data(), count, &written, nullptr)) break;
    }
    CloseHandle(feed->pipe);
    CloseHandle(feed->file);
    return 0;
}

std::wstring from_hex(const wchar_t* digits) {
    std::string bytes;
    for (std::size_t i = 0; digits[i] && digits[i + 1]; i += 2) {
        const wchar_t pair[3] = {digits[i], digits[i + 1], 0};
        bytes += static_cast<char>(std::wcstoul(pair, nullptr, 16));
    }
    if (bytes.empty()) return std::wstring();
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

int run(int argc, wchar_t** argv) {
    std::wstring stdin_file, cwd;
    bool no_stdin = false;
    int i = 2;
    for (; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--stdin" && i + 1 < argc) {
            stdin_file = from_hex(argv[++i]);
        } else if (arg == L"--no-stdin") {
            no_stdin = true;
        } else if (arg == L"--cwd" && i + 1 < argc) {
            cwd = from_hex(argv[++i]);
        } else {
            break;
        }
    }
    if (argc - i != 2) {
        std::fprintf(stderr, "usage: harness run [options] APPLICATION COMMAND-LINE\n");
        return 2;
    }
    const std::wstring application = from_hex(argv[i]);
    std::wstring command_line = from_hex(argv[i + 1]);

    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE child_stdin = nullptr;
    Feed feed{};
    HANDLE feeder = nullptr;
    if (!stdin_file.empty()) {
        CreatePipe(&child_stdin, &feed.pipe, &inheritable, 0);
        SetHandleInformation(feed.pipe, HANDLE_FLAG_INHERIT, 0);
        feed.file = CreateFileW(stdin_file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        if (feed.file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot open the standard input file\n");
            return 2;
        }
    } else if (!no_stdin) {
        child_stdin = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inheritable, OPEN_EXISTING, 0, nullptr);
    }
    // The child's output goes nowhere: whatever it starts inherits it, and
    // nothing here may wait for those to end.
    const HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inheritable, OPEN_EXISTING, 0, nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_stdin;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start_count, end_count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start_count);
    const DWORD started = GetTickCount();
    if (!CreateProcessW(application.c_str(), &command_line[0], nullptr, nullptr, TRUE, 0, nullptr,
                        cwd.empty() ? nullptr : cwd.c_str(), &startup, &process)) {
        std::fprintf(stderr, "cannot start the program: error %lu\n",
                     static_cast<unsigned long>(GetLastError()));
        return 2;
    }
    if (child_stdin) CloseHandle(child_stdin);
    CloseHandle(nowhere);
    if (feed.pipe) feeder = CreateThread(nullptr, 0, feed_stdin, &feed, 0, nullptr);

    std::set<HWND> reported;
    for (;;) {
        const DWORD waited = WaitForSingleObject(process.hProcess, kBoxPollMs);
        BoxSearch search{process.dwProcessId, {}};
        EnumWindows(collect_boxes, reinterpret_cast<LPARAM>(&search));
        for (const HWND box : search.found) {
            if (reported.insert(box).second) report_box(box, started);
        }
        if (waited == WAIT_OBJECT_0) {
            QueryPerformanceCounter(&end_count);
            break;
        }
        if (GetTickCount() - started > kRunLimitMs) {
            std::printf("hung ms=%lu\n", static_cast<unsigned long>(GetTickCount() - started));
            TerminateProcess(process.hProcess, 3);
            return 3;
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    const double elapsed_us = static_cast<double>(end_count.QuadPart - start_count.QuadPart) * 1e6 /
                              static_cast<double>(frequency.QuadPart);
    std::printf("exit code=0x%08lx ms=%lu us=%.0f\n", static_cast<unsigned long>(code),
                static_cast<unsigned long>(GetTickCount() - started), elapsed_us);
    std::fflush(stdout);
    if (feeder) {
        TerminateThread(feeder, 0);  // a child that stopped reading leaves it blocked
    }
    return 0;
}

BOOL CALLBACK print_type(HMODULE, LPWSTR type, LONG_PTR) {
    if (IS_INTRESOURCE(type)) {
        std::printf("type %u\n", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(type)));
    } else {
        std::printf("type named\n");
    }
    return TRUE;
}

BOOL CALLBACK print_language(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR) {
    std::printf("version-language 0x%04x\n", language);
    return TRUE;
}

int version(const wchar_t* file) {
    const HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 2;
    EnumResourceTypesW(module, print_type, 0);
    EnumResourceLanguagesW(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), print_language, 0);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(std::string(file, file + std::wcslen(file)).c_str(),
                                               &ignored);  // ASCII test paths
    std::vector<char> data(size);
    GetFileVersionInfoW(file, 0, size, data.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    if (fixed) {
        std::printf("file-version %lu.%lu.%lu.%lu\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
        std::printf("product-version %lu.%lu.%lu.%lu\n", HIWORD(fixed->dwProductVersionMS),
                    LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
                    LOWORD(fixed->dwProductVersionLS));
    }
    WORD* translation = nullptr;
    VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                   reinterpret_cast<void**>(&translation), &length);
    if (translation) std::printf("translation 0x%04x %u\n", translation[0], translation[1]);
    for (const wchar_t* name : {L"FileDescription", L"FileVersion", L"InternalName",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t path[128];
        std::swprintf(path, 128, L"\\StringFileInfo\\0c0a04b0\\%ls", name);
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length) && value) {
            std::printf("string %ls=[%ls]\n", name, value);
        }
    }
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 3 && std::wstring(argv[1]) == L"version") return version(argv[2]);
    if (argc >= 2 && std::wstring(argv[1]) == L"run") return run(argc, argv);
    std::fprintf(stderr, "usage: harness run|version ...\n");
    return 2;
}
