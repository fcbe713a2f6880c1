#include "stdin_capture.h"

#include <gtest/gtest.h>

#include <random>

#include "director/commands.h"

#include "fakes/fake_runtime.h"
#include "support.h"

namespace vantrelpad {
namespace {

using testing::commands_of;
using testing::FakeRuntime;

using Commands = std::vector<std::string>;

std::string bytes(const char* text, std::size_t size) { return std::string(text, size); }

std::string insert(const std::string& escaped) { return "insert:" + escaped; }

Commands capture(const std::string& input, std::size_t read_limit) {
    FakeRuntime runtime;
    runtime.stdin_bytes = input;
    runtime.stdin_read_limit = read_limit;
    CommandList list;
    capture_stdin(list, runtime);
    return commands_of(list);
}

struct CaptureRow {
    const char* what;
    std::string input;
    Commands commands;
};

TEST(CaptureStdin, TableOfInputs) {
    const std::string a198(198, 'a');
    const std::string a199(199, 'a');
    const CaptureRow rows[] = {
        {"empty input", "", {}},
        {"two lines", "abc\ndef\n", {insert("abc\\n"), insert("def\\n")}},
        {"last line unended", "abc\ndef", {insert("abc\\n"), insert("def")}},
        {"only a line feed", "\n", {insert("\\n")}},
        {"198 bytes and a line feed", a198 + "\n", {insert(a198 + "\\n")}},
        {"199 bytes and a line feed", a199 + "\n", {insert(a199), insert("\\n")}},
        {"450 bytes",
         std::string(450, 'b') + "\n",
         {insert(std::string(199, 'b')), insert(std::string(199, 'b')),
          insert(std::string(52, 'b') + "\\n")}},
        {"CR LF line ends", "abc\r\ndef\r\n", {insert("abc\\n"), insert("def\\n")}},
        {"backslash doubled", "a\\b\n", {insert("a\\\\b\\n")}},
        {"199 backslashes", std::string(199, '\\'), {insert(std::string(398, '\\'))}},
        {"NUL drops only itself", bytes("ab\0cd\nef\n", 9), {insert("abcd\\n"), insert("ef\\n")}},
        {"only NULs", bytes("\0\0\0", 3), {}},
        {"NUL then line feed", bytes("\0\n", 2), {insert("\\n")}},
        {"NUL between CR and LF", bytes("a\r\0\n", 4), {insert("a\\n")}},
        {"0x1A is ordinary",
         "a\x1A"
         "b\n",
         {insert("a\x1A"
                 "b\\n")}},
        {"lone CR escaped", "a\rb\n", {insert("a\\rb\\n")}},
        {"CR at the end", "a\r", {insert("a\\r")}},
        {"CR alone", "\r", {insert("\\r")}},
        {"CR CR LF", "\r\r\n", {insert("\\r\\n")}},
        {"CR LF after 198 bytes", a198 + "\r\n", {insert(a198 + "\\n")}},
        {"CR as the 199th byte", a198 + "\rx", {insert(a198 + "\\r"), insert("x")}},
        {"CR LF after 199 bytes", a199 + "\r\n", {insert(a199), insert("\\n")}},
        {"CR quit cannot run", "x\rquit:\n", {insert("x\\rquit:\\n")}},
        {"high bytes", "\xE9\xFF\x80\n", {insert("\xE9\xFF\x80\\n")}},
    };
    // A pipe may hand over the input in any slices; the result must not
    // depend on where the reads end.
    for (const std::size_t read_limit : {std::size_t{1}, std::size_t{2}, std::size_t{7},
                                         std::size_t{199}, std::size_t{200}, ~std::size_t{0}}) {
        for (const CaptureRow& row : rows) {
            EXPECT_EQ(capture(row.input, read_limit), row.commands)
                << row.what << ", reads of at most " << read_limit;
        }
    }
}

// The pieces the capture should give, worked out in whole-input passes: NULs
// out, then CR LF folded, then cut after line feeds and every 199 bytes.
Commands expected_inserts(const std::string& input) {
    std::string without_nul;
    for (const char c : input) {
        if (c != '\0') without_nul += c;
    }
    std::string folded;
    for (std::size_t i = 0; i < without_nul.size(); ++i) {
        if (!(without_nul[i] == '\r' && i + 1 < without_nul.size() && without_nul[i + 1] == '\n')) {
            folded += without_nul[i];
        }
    }
    Commands commands;
    std::string piece;
    for (const char c : folded) {
        piece += c;
        if (c == '\n' || piece.size() == 199) {
            commands.push_back(insert(escape_director_text(piece)));
            piece.clear();
        }
    }
    if (!piece.empty()) commands.push_back(insert(escape_director_text(piece)));
    return commands;
}

TEST(CaptureStdin, RandomInputsMatchTheWholeInputRule) {
    std::mt19937 random(20261211);
    // Mostly the bytes that matter, so that they meet at piece and read edges.
    const char interesting[] = {'\0', '\r', '\n', '\\', 'a', '\x1A', '\xE9'};
    for (int round = 0; round < 300; ++round) {
        std::string input(random() % 1500, ' ');
        for (char& c : input) {
            c = random() % 4 == 0 ? static_cast<char>(random() % 256)
                                  : interesting[random() % sizeof(interesting)];
        }
        const std::size_t read_limit = 1 + random() % 300;
        ASSERT_EQ(capture(input, read_limit), expected_inserts(input)) << "round " << round;
    }
}

TEST(CaptureStdin, ReadsUntilTheInputEnds) {
    FakeRuntime runtime;
    runtime.stdin_bytes = std::string(1000, 'x');
    runtime.stdin_read_limit = 100;
    CommandList list;
    capture_stdin(list, runtime);
    EXPECT_EQ(runtime.stdin_reads, 11);  // ten reads of data, one that finds the end
    EXPECT_EQ(list.size(), 6u);          // 5 * 199 + 5
}

}  // namespace
}  // namespace vantrelpad
