// The runtime seam on POSIX systems: messages on the standard streams.
#pragma once

#include "runtime.h"

namespace vantrelpad::posix {

class PosixRuntime : public Runtime {
  public:
    PathStyle path_style() const override { return PathStyle::posix; }
    // The help text to standard output, every other message to standard
    // error; each ends with a line feed.
    void show_message(const std::string& text) override;
    [[noreturn]] void exit_process(int code) override;
    std::optional<std::string> current_directory() override;
    std::string program_file_path() override;
    std::size_t read_stdin(char* buffer, std::size_t capacity) override;
};

}  // namespace vantrelpad::posix
