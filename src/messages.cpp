#include "messages.h"

#include <array>

namespace vantrelpad {

namespace {

// Each help line is padded with blanks to this width before its line feed.
constexpr std::size_t kHelpLineWidth = 59;

constexpr std::array<std::string_view, 15> kHelpLines = {
    "Vantrelpad [file] options",
    "",
    "Command line interface to scite. Opens the specified file",
    "in the current SciTe window.",
    "",
    "OPTIONS",
    "",
    "  -h          Print this help text.",
    "  -l line     Go to line number line in the file.",
    "  -f text     Find the text text in the file.",
    "  -i text     Insert text in the file.",
    "  -n          Create a new empty window.",
    "  -s          Open a new window with STDIN content.",
    "  -d path     Path to SciTE executable.",
    "  -c cmd      Raw scite command.",
};

std::string build_help_text() {
    std::string text;
    for (const std::string_view line : kHelpLines) {
        text += line;
        text.append(kHelpLineWidth - line.size(), ' ');
        text += '\n';
    }
    return text;
}

}  // namespace

const std::string& help_text() {
    static const std::string text = build_help_text();
    return text;
}

}  // namespace vantrelpad
