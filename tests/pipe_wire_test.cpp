#include "posix/pipe_wire.h"

#include <gtest/gtest.h>

namespace vantrelpad::posix {
namespace {

using Lines = std::vector<std::string>;

TEST(OctalEscapeHighBytes, EveryHighByteBecomesItsOctalEscape) {
    const std::pair<std::string, std::string> rows[] = {
        {"open:/tmp/a.txt", "open:/tmp/a.txt"},
        {"insert:caf\xE9", "insert:caf\\351"},
        {"insert:\xC3\xA9", "insert:\\303\\251"},  // UTF-8 too: the editor gets the bytes back
        {"find:\x80\xFF", "find:\\200\\377"},
        {"insert:\\\\\xE9", "insert:\\\\\\351"},  // an escaped backslash, then the byte
        // In an unescaped value, an odd run of backslashes already opens the
        // escape: only the digits follow, so the editor reads \351 as before.
        {"find:a\\\xE9", "find:a\\351"},
        {"find:a\\\\\\\xE9", "find:a\\\\\\351"},
        {"goto:\\\\\xE9", "goto:\\\\\\351"},
    };
    for (const auto& [command, wire] : rows) {
        EXPECT_EQ(octal_escape_high_bytes(command), wire) << command;
    }
}

TEST(PipeLines, OneLineEndedByALineFeedForShortCommands) {
    EXPECT_EQ(pipe_lines("menucommand:101"), Lines{"menucommand:101\n"});
    EXPECT_EQ(pipe_lines(""), Lines{"\n"});
    // Only inserts are split; any other command is written as it is.
    const std::string long_find = "find:" + std::string(5000, 'x');
    EXPECT_EQ(pipe_lines(long_find), Lines{long_find + "\n"});
    const std::string exact = "insert:" + std::string(4096 - 8, 'y');
    EXPECT_EQ(pipe_lines(exact), Lines{exact + "\n"});
}

TEST(PipeLines, LongInsertsAreSplitBetweenEscapesIntoInsertsOfAtMost4096Bytes) {
    // Escapes of 2 and 4 bytes and plain bytes, so that many cuts fall where
    // an escape would be split.
    std::string payload;
    for (int i = 0; i < 3000; ++i) payload += i % 3 == 0 ? "\\n" : i % 3 == 1 ? "\xE9" : "z";
    const Lines lines = pipe_lines("insert:" + payload);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 4096u);
        ASSERT_EQ(line.substr(0, 7), "insert:");
        ASSERT_EQ(line.back(), '\n');
        const std::string part = line.substr(7, line.size() - 8);
        // No part ends inside an escape: an escape's backslash is never last,
        // and a part never starts with the digits of one.
        std::size_t trailing = 0;
        while (trailing < part.size() && part[part.size() - 1 - trailing] == '\\') ++trailing;
        EXPECT_EQ(trailing % 2, 0u);
        EXPECT_NE(part.front(), '3');
        joined += part;
    }
    EXPECT_EQ(joined, octal_escape_high_bytes(payload));
}

}  // namespace
}  // namespace vantrelpad::posix
