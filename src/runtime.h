// What the run needs of the process it runs in: the runtime seam. Each
// platform implements it; the tests use a fake that records every call.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vantrelpad {

// The path rules of the platform: Windows paths (drive letters, either slash,
// the editor as scite.exe) or POSIX ones (one slash, the editor as scite).
enum class PathStyle { windows, posix };

class Runtime {
  public:
    virtual ~Runtime() = default;

    virtual PathStyle path_style() const = 0;

    // Shows one message to the user and returns when the user has seen it.
    // Every message of the program goes through here.
    virtual void show_message(const std::string& text) = 0;

    // Ends the process at once with the given exit code.
    [[noreturn]] virtual void exit_process(int code) = 0;

    // The current directory in the encoding of file arguments, or nothing
    // when it cannot be read.
    virtual std::optional<std::string> current_directory() = 0;

    // The full path of the program's own file, in the encoding of the editor
    // path; used when element 0 of the argument vector names no directory.
    virtual std::string program_file_path() = 0;

    // Reads up to capacity bytes of standard input into buffer and returns
    // how many it read; 0 at the end of the input, when a read fails or when
    // there is no standard input.
    virtual std::size_t read_stdin(char* buffer, std::size_t capacity) = 0;
};

}  // namespace vantrelpad
