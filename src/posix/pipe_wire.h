// How one director command crosses the editor's pipe on POSIX systems.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrelpad::posix {

// The editor reads the pipe as UTF-8 and stops at the first byte that is not;
// so every byte from 0x80 up is written as its three-digit octal escape, which
// the editor's unescape turns back into that byte. Where such a byte follows
// an odd run of backslashes (in an unescaped value), the last backslash of the
// run already starts the escape, and only the digits are written.
std::string octal_escape_high_bytes(std::string_view command);

// Each write of at most this many bytes reaches the editor whole.
inline constexpr std::size_t kMaxPipeLineBytes = 4096;

// The lines, each ended by a line feed, that carry command. An insert longer
// than kMaxPipeLineBytes is split, between escapes, into several inserts of
// at most that many bytes: the editor acts on whatever it has read when the
// pipe runs empty, and takes consecutive inserts as one. Any other command
// is one line.
std::vector<std::string> pipe_lines(std::string_view command);

}  // namespace vantrelpad::posix
