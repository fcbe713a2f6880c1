#include "file_arguments.h"

#include <algorithm>

#include "director/commands.h"

namespace vantrelpad {

bool is_absolute_path(const std::string& path) {
    if (path.find(':') != std::string::npos) {
        return true;
    }
    return !path.empty() && (path.front() == '/' || path.front() == '\\');
}

std::string make_open_command(const std::string& argument, Runtime& runtime) {
    std::string command(kOpenPrefix);
    if (!is_absolute_path(argument)) {
        if (const auto directory = runtime.current_directory()) {
            command += *directory;
            command += '\\';
        }
    }
    command += argument;
    std::replace(command.begin() + kOpenPrefix.size(), command.end(), '\\', '/');
    return command;
}

}  // namespace vantrelpad
