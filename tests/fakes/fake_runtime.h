// A runtime that records what the run asked of it and plays back a scripted
// standard input and current directory.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime.h"

namespace vantrelpad::testing {

// Thrown by FakeRuntime::exit_process in place of ending the test process.
struct ProcessExit {
    int code;
};

class FakeRuntime : public Runtime {
  public:
    PathStyle path_style() const override { return style; }

    void show_message(const std::string& text) override { messages.push_back(text); }

    [[noreturn]] void exit_process(int code) override { throw ProcessExit{code}; }

    std::optional<std::string> current_directory() override {
        ++directory_reads;
        return directory;
    }

    std::string program_file_path() override { return program_path; }

    std::size_t read_stdin(char* buffer, std::size_t capacity) override {
        ++stdin_reads;
        if (stdin_source) {
            return stdin_source(buffer, std::min(capacity, stdin_read_limit));
        }
        const std::size_t count =
            std::min({capacity, stdin_read_limit, stdin_bytes.size() - stdin_position});
        std::memcpy(buffer, stdin_bytes.data() + stdin_position, count);
        stdin_position += count;
        return count;
    }

    // What the run sees.
    PathStyle style = PathStyle::windows;
    std::optional<std::string> directory = std::string("C:\\work");
    std::string program_path = "C:\\Tools\\Vantrelpad.exe";
    std::string stdin_bytes;
    // The most bytes one read gives, as a pipe may give fewer than asked.
    std::size_t stdin_read_limit = static_cast<std::size_t>(-1);
    // Replaces stdin_bytes when set: fills the buffer, gives back the count.
    std::function<std::size_t(char*, std::size_t)> stdin_source;

    // What the run did.
    std::vector<std::string> messages;
    int directory_reads = 0;
    int stdin_reads = 0;

  private:
    std::size_t stdin_position = 0;
};

}  // namespace vantrelpad::testing
