// The Windows entry point: the argument vector from the runtime, with its
// wildcard expansion, in the two encodings the core needs; then the run.
#include <windows.h>

#include "run.h"
#include "win32/text.h"
#include "win32/win32_desktop.h"
#include "win32/win32_runtime.h"

namespace {

// What msvcrt's __wgetmainargs expects as its last argument.
struct StartupInfo {
    int new_mode;
};

// Ask the runtime to expand asterisks and question marks in the arguments.
constexpr int kExpandWildcards = 1;

}  // namespace

extern "C" int __cdecl __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int expand,
                                      StartupInfo* startup);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = nullptr;
    wchar_t** env = nullptr;
    StartupInfo startup{0};
    __wgetmainargs(&argc, &argv, &env, kExpandWildcards, &startup);

    vantrelpad::ArgumentVector arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back({vantrelpad::win32::narrow(argv[i], CP_ACP),
                             vantrelpad::win32::narrow(argv[i], CP_UTF8)});
    }
    vantrelpad::win32::Win32Runtime runtime;
    vantrelpad::win32::Win32Desktop desktop;
    return vantrelpad::run(arguments, runtime, desktop);
}
