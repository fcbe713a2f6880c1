// File arguments: each becomes one "open:" command with an absolute path.
#pragma once

#include <string>

#include "runtime.h"

namespace vantrelpad {

// A path counts as absolute when it holds a colon anywhere or begins with a
// slash or a backslash.
bool is_absolute_path(const std::string& path);

// "open:" followed by the argument's path: a relative argument is joined to
// the current directory with one backslash, and every backslash is then
// written as a forward slash. Nothing is looked up on disk or normalised.
// When the current directory cannot be read, the argument is sent as
// written.
std::string make_open_command(const std::string& argument, Runtime& runtime);

}  // namespace vantrelpad
