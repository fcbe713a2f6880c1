#include "director/commands.h"

#include <gtest/gtest.h>

namespace vantrelpad {
namespace {

struct EscapeRow {
    std::string argument;
    std::string escaped;
};

TEST(EscapeDirectorText, EscapesBackslashLineFeedAndCarriageReturnOnly) {
    const EscapeRow rows[] = {
        {"", ""},
        {"\\", "\\\\"},
        {"\\\\\\", "\\\\\\\\\\\\"},
        {"a\r\n", "a\\r\\n"},  // the carriage return no longer passes raw
        {"a\\", "a\\\\"},
        {"\\n", "\\\\n"},  // stays distinct from an escaped line feed
        {"\\\n", "\\\\\\n"},
        {"a\t\xE9", "a\t\xE9"},
        {"a\rquit:", "a\\rquit:"},  // cannot start a command of its own
        {std::string("\0\"':/\x7F\xFF", 8), std::string("\0\"':/\x7F\xFF", 8)},
    };
    for (const EscapeRow& row : rows) {
        EXPECT_EQ(escape_director_text(row.argument), row.escaped) << row.argument;
    }
}

TEST(EscapeDirectorText, LeavesTheCallersTextAlone) {
    const std::string text = "a\\b\n";
    EXPECT_EQ(escape_director_text(text), "a\\\\b\\n");
    EXPECT_EQ(text, "a\\b\n");
}

TEST(EscapeDirectorText, AppendEscapedAddsToWhatIsThere) {
    std::string out = "insert:";
    append_escaped("x\\y\r\n", out);
    EXPECT_EQ(out, "insert:x\\\\y\\r\\n");
}

}  // namespace
}  // namespace vantrelpad
