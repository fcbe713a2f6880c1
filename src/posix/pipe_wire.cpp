#include "posix/pipe_wire.h"

#include <algorithm>

#include "director/commands.h"

namespace vantrelpad::posix {

namespace {

// The length of the escape or plain byte that starts text: a backslash with a
// digit after it starts a three-digit octal escape, with anything else a
// two-byte one.
std::size_t token_length(std::string_view text) {
    if (text[0] != '\\' || text.size() < 2) {
        return 1;
    }
    const bool octal = text[1] >= '0' && text[1] <= '7';
    return std::min(text.size(), std::size_t{octal ? 4u : 2u});
}

}  // namespace

std::string octal_escape_high_bytes(std::string_view command) {
    std::string wire;
    wire.reserve(command.size());
    std::size_t backslashes = 0;
    for (const char byte : command) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            wire += byte;
            backslashes = byte == '\\' ? backslashes + 1 : 0;
            continue;
        }
        if (backslashes % 2 == 0) {
            wire += '\\';
        }
        wire += static_cast<char>('0' + (value >> 6));
        wire += static_cast<char>('0' + ((value >> 3) & 7));
        wire += static_cast<char>('0' + (value & 7));
        backslashes = 0;
    }
    return wire;
}

std::vector<std::string> pipe_lines(std::string_view command) {
    const std::string wire = octal_escape_high_bytes(command);
    const bool insert = command.substr(0, kInsertPrefix.size()) == kInsertPrefix;
    if (!insert || wire.size() + 1 <= kMaxPipeLineBytes) {
        return {wire + '\n'};
    }
    std::vector<std::string> lines;
    std::string line(kInsertPrefix);
    std::string_view payload = std::string_view(wire).substr(kInsertPrefix.size());
    while (!payload.empty()) {
        const std::size_t length = token_length(payload);
        if (line.size() + length + 1 > kMaxPipeLineBytes) {
            lines.push_back(line + '\n');
            line = std::string(kInsertPrefix);
        }
        line.append(payload.substr(0, length));
        payload.remove_prefix(length);
    }
    lines.push_back(line + '\n');
    return lines;
}

}  // namespace vantrelpad::posix
