// The argument vector as the run receives it.
#pragma once

#include <string>
#include <vector>

namespace vantrelpad {

// One element of the argument vector, in the two encodings that the commands
// need. Option values, and element 0 for the editor path, are sent in the
// system's ANSI code page; file arguments in UTF-8, since the editor decodes
// the path of an "open:" command as UTF-8. Options are recognised on the
// UTF-8 form, so a character that the code page would fold into a hyphen or
// a letter cannot turn a file name into an option. Where the platform has one
// encoding only, both forms hold the same bytes.
struct Argument {
    std::string ansi;
    std::string utf8;
};

using ArgumentVector = std::vector<Argument>;

// An argument whose two forms are the same bytes.
inline Argument same_bytes_argument(const std::string& bytes) { return Argument{bytes, bytes}; }

}  // namespace vantrelpad
