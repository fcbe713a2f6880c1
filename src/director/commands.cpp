#include "director/commands.h"

namespace vantrelpad {

void append_escaped(std::string_view text, std::string& out) {
    for (const char byte : text) {
        const std::string_view escape = escape_sequence(byte);
        if (escape.empty()) {
            out += byte;
        } else {
            out += escape;
        }
    }
}

std::string escape_director_text(std::string text) {
    std::string escaped;
    escaped.reserve(text.size());
    append_escaped(text, escaped);
    return escaped;
}

}  // namespace vantrelpad
