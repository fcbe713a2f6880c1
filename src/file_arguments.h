// File arguments: each becomes one "open:" command with an absolute path.
#pragma once

#include <string>

#include "runtime.h"

namespace vantrelpad {

// Windows: a path counts as absolute when it holds a colon anywhere or begins
// with a slash or a backslash. POSIX: when it begins with a slash.
bool is_absolute_path(const std::string& path, PathStyle style);

// "open:" followed by the argument's path: a relative argument is joined to
// the current directory with one separator. On Windows every backslash is
// then written as a forward slash. On POSIX systems, where a backslash or a
// line end may be part of a file name, the path is escaped like inserted
// text, so that it reaches the editor as itself. Nothing is looked up on disk
// or normalised. When the current directory cannot be read, the argument is
// sent as written.
std::string make_open_command(const std::string& argument, Runtime& runtime);

}  // namespace vantrelpad
