// Where the editor's executable is taken from.
#pragma once

#include <string>
#include <string_view>

#include "runtime.h"

namespace vantrelpad {

// The editor's executable, looked for beside this program or in the
// directory that -d names.
inline constexpr std::string_view kEditorFileName = "scite.exe";

// The editor path before any -d: the directory of element 0 followed by the
// editor's file name. When element 0 names no directory (a bare program name
// found on the search path), the directory of the program's own file is used.
std::string default_editor_path(const std::string& element0, Runtime& runtime);

// The editor path that the value of -d gives: a value ending in a backslash
// names a directory and gets the editor's file name; any other value, the
// empty one included, is the path itself.
std::string editor_path_from_option(const std::string& value);

}  // namespace vantrelpad
