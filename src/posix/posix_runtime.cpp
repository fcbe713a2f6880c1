#include "posix/posix_runtime.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "messages.h"

namespace vantrelpad::posix {

void PosixRuntime::show_message(const std::string& text) {
    std::FILE* stream = text == help_text() ? stdout : stderr;
    std::fwrite(text.data(), 1, text.size(), stream);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

void PosixRuntime::exit_process(int code) { std::exit(code); }

std::optional<std::string> PosixRuntime::current_directory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

std::string PosixRuntime::program_file_path() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : "";
}

std::size_t PosixRuntime::read_stdin(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t count = read(STDIN_FILENO, buffer, capacity);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            return 0;  // a failed read ends the input
        }
    }
}

}  // namespace vantrelpad::posix
