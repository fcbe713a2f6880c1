#include "file_arguments.h"

#include <algorithm>

#include "director/commands.h"

namespace vantrelpad {

bool is_absolute_path(const std::string& path, PathStyle style) {
    if (style == PathStyle::posix) {
        return !path.empty() && path.front() == '/';
    }
    if (path.find(':') != std::string::npos) {
        return true;
    }
    return !path.empty() && (path.front() == '/' || path.front() == '\\');
}

std::string make_open_command(const std::string& argument, Runtime& runtime) {
    const PathStyle style = runtime.path_style();
    const char separator = style == PathStyle::windows ? '\\' : '/';
    std::string path;
    if (!is_absolute_path(argument, style)) {
        if (const auto directory = runtime.current_directory()) {
            path = *directory + separator;
        }
    }
    path += argument;
    if (style == PathStyle::posix) {
        return std::string(kOpenPrefix) + escape_director_text(std::move(path));
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    return std::string(kOpenPrefix) + path;
}

}  // namespace vantrelpad
