// Small helpers shared by the unit tests.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "arguments.h"
#include "director/command_list.h"

namespace vantrelpad::testing {

inline std::vector<std::string> commands_of(const CommandList& list) {
    std::vector<std::string> commands;
    for (const std::string_view command : list) {
        commands.emplace_back(command);
    }
    return commands;
}

// An argument vector whose element 0 is a program beside the editor.
inline ArgumentVector arguments(std::initializer_list<std::string> proper) {
    ArgumentVector vector{same_bytes_argument("C:\\Tools\\Vantrelpad.exe")};
    for (const std::string& argument : proper) {
        vector.push_back(same_bytes_argument(argument));
    }
    return vector;
}

}  // namespace vantrelpad::testing
