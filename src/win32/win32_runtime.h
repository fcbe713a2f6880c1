// The runtime seam on Windows.
#pragma once

#include "runtime.h"

namespace vantrelpad::win32 {

class Win32Runtime : public Runtime {
  public:
    PathStyle path_style() const override { return PathStyle::windows; }
    void show_message(const std::string& text) override;
    [[noreturn]] void exit_process(int code) override;
    // In UTF-8, the encoding of file arguments.
    std::optional<std::string> current_directory() override;
    // In the ANSI code page, the encoding of the editor path.
    std::string program_file_path() override;
    // Raw bytes straight from the standard input handle: no text mode.
    std::size_t read_stdin(char* buffer, std::size_t capacity) override;
};

}  // namespace vantrelpad::win32
