#include "director/commands.h"

namespace vantrelpad {

void append_escaped(std::string_view text, std::string& out) {
    for (const char byte : text) {
        switch (byte) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += byte;
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
