// Where the editor's executable is taken from.
#pragma once

#include <string>
#include <string_view>

#include "runtime.h"

namespace vantrelpad {

// The editor's executable on Windows, looked for beside this program or in the
// directory that -d names.
inline constexpr std::string_view kEditorFileName = "scite.exe";

// The editor's executable on POSIX systems, looked up on the search path or
// in the directory that -d names.
inline constexpr std::string_view kPosixEditorFileName = "scite";

// The editor path before any -d. On Windows: the directory of element 0
// followed by the editor's file name; when element 0 names no directory (a
// bare program name found on the search path), the directory of the
// program's own file. On POSIX systems: the editor's name, for the search
// path.
std::string default_editor_path(const std::string& element0, Runtime& runtime);

// The editor path that the value of -d gives: a value ending in the
// platform's directory separator (a backslash on Windows, a slash elsewhere)
// names a directory and gets the editor's file name; any other value, the
// empty one included, is the path itself.
std::string editor_path_from_option(const std::string& value, PathStyle style);

}  // namespace vantrelpad
