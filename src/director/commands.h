// The texts of the editor's director protocol and the escape that protects
// inserted text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrelpad {

// Command prefixes: each is followed directly by its argument.
inline constexpr std::string_view kOpenPrefix = "open:";
inline constexpr std::string_view kGotoPrefix = "goto:";
inline constexpr std::string_view kFindPrefix = "find:";
inline constexpr std::string_view kInsertPrefix = "insert:";

// Whole commands: a new empty buffer, and the command that goes with it when
// the list is completed.
inline constexpr std::string_view kNewBufferCommand = "menucommand:101";
inline constexpr std::string_view kCompletionCommand = "menucommand:105";

// The escape of one byte: what stands for it in escaped text, or an empty view
// for a byte that stands for itself. Never longer than kMaxEscapeBytes.
constexpr std::string_view escape_sequence(char byte) {
    switch (byte) {
        case '\\':
            return "\\\\";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        default:
            return {};
    }
}
inline constexpr std::size_t kMaxEscapeBytes = 2;

// Appends the escaped form of text to out: a backslash becomes two
// backslashes, a line feed backslash-n, a carriage return backslash-r. The
// editor splits director messages at both line ends and undoes exactly these
// escapes, so escaped text can neither be cut nor start a command of its own.
void append_escaped(std::string_view text, std::string& out);

// The escaped form of text, as a new string.
std::string escape_director_text(std::string text);

}  // namespace vantrelpad
