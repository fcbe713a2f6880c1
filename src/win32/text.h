// Conversions between the system's wide strings and the byte strings that the
// core works with.
#pragma once

#include <windows.h>

#include <string>

namespace vantrelpad::win32 {

// The text in the given code page (CP_ACP or CP_UTF8); characters that the
// code page lacks become its default character.
std::string narrow(const wchar_t* text, UINT code_page);

}  // namespace vantrelpad::win32
