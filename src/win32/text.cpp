#include "win32/text.h"

#include <cwchar>

namespace vantrelpad::win32 {

std::string narrow(const wchar_t* text, UINT code_page) {
    const int length = static_cast<int>(std::wcslen(text));
    if (length == 0) {
        return std::string();
    }
    const int size = WideCharToMultiByte(code_page, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(code_page, 0, text, length, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

}  // namespace vantrelpad::win32
