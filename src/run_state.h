// What one run owns from its start to its end.
#pragma once

#include <string>

#include "director/command_list.h"

namespace vantrelpad {

struct RunState {
    CommandList commands;
    std::string editor_path;
    // Cleared by -n and -s: the list then already opens a new buffer and is
    // not completed with the new-buffer pair at the end.
    bool new_window = true;
};

}  // namespace vantrelpad
