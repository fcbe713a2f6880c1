// What the fuzz targets check against: the editor's side of the escape, the
// input as the capture must see it, and a failure that stops the fuzzer.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace vantrelpad::fuzzing {

// Undoes escape_director_text; nothing when the text is no escaped text (a
// lone backslash at the end, or one before a byte it never escapes).
inline std::optional<std::string> unescape_director_text(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                plain += '\\';
                break;
            case 'n':
                plain += '\n';
                break;
            case 'r':
                plain += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return plain;
}

// Standard input as the capture must see it: NUL bytes out, then CR LF to LF.
inline std::string normalised_input(std::string_view input) {
    std::string without_nul;
    for (const char c : input) {
        if (c != '\0') without_nul += c;
    }
    std::string folded;
    for (std::size_t i = 0; i < without_nul.size(); ++i) {
        if (without_nul[i] == '\r' && i + 1 < without_nul.size() && without_nul[i + 1] == '\n') {
            continue;
        }
        folded += without_nul[i];
    }
    return folded;
}

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what) {
    if (!holds) fail(what);
}

}  // namespace vantrelpad::fuzzing
