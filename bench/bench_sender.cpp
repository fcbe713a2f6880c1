// The floor of a delivery: finds the stand-in editor's director window by its
// class and sends it the commands of a file, one WM_COPYDATA each, nothing
// more. The file holds one command a line; the commands hold no line feed.
//   bench_sender FILE
#include <windows.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc != 2) return 2;
    const HANDLE file =
        CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);

    const HWND editor = FindWindowA("StandinDirector", nullptr);
    if (!editor) return 3;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        COPYDATASTRUCT record{0, static_cast<DWORD>(end - start), &bytes[start]};
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                            SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, 30000, &answer);
        start = end + 1;
    }
    return 0;
}
