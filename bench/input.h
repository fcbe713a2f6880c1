// Text input for the benchmarks: lines of 0 to 400 bytes, drawn evenly, with
// some backslashes and some CR LF line ends; the same bytes on every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrelpad::bench {

class TextGenerator {
  public:
    // Writes the next count bytes of the endless text into out.
    void fill(char* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (line_left_ == 0) start_line();
            out[i] = next_byte();
        }
    }

    std::string text(std::size_t size) {
        std::string bytes(size, '\0');
        fill(&bytes[0], size);
        return bytes;
    }

  private:
    std::uint32_t random() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33);
    }

    void start_line() {
        const std::uint32_t length = random() % 401;
        crlf_ = random() % 4 == 0;
        line_left_ = length + (crlf_ ? 2 : 1);
    }

    char next_byte() {
        --line_left_;
        if (line_left_ == 0) return '\n';
        if (line_left_ == 1 && crlf_) return '\r';
        const std::uint32_t r = random();
        if (r % 64 == 0) return '\\';
        return static_cast<char>('a' + r % 26);
    }

    std::uint64_t state_ = 20261211;
    std::uint32_t line_left_ = 0;
    bool crlf_ = false;
};

}  // namespace vantrelpad::bench
