#include "editor_path.h"

namespace vantrelpad {

namespace {

// The part of path up to and including its last backslash, if it has one.
bool directory_part(const std::string& path, std::string& directory) {
    const std::size_t last = path.rfind('\\');
    if (last == std::string::npos) {
        return false;
    }
    directory = path.substr(0, last + 1);
    return true;
}

}  // namespace

std::string default_editor_path(const std::string& element0, Runtime& runtime) {
    if (runtime.path_style() == PathStyle::posix) {
        return std::string(kPosixEditorFileName);
    }
    std::string directory;
    if (!directory_part(element0, directory)) {
        directory_part(runtime.program_file_path(), directory);
    }
    return directory + std::string(kEditorFileName);
}

std::string editor_path_from_option(const std::string& value, PathStyle style) {
    const bool windows = style == PathStyle::windows;
    if (!value.empty() && value.back() == (windows ? '\\' : '/')) {
        return value + std::string(windows ? kEditorFileName : kPosixEditorFileName);
    }
    return value;
}

}  // namespace vantrelpad
