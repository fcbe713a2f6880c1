#include "options.h"

#include <gtest/gtest.h>

#include "fakes/run_outcome.h"
#include "messages.h"
#include "support.h"

namespace vantrelpad {
namespace {

using namespace vantrelpad::testing;
using Commands = std::vector<std::string>;

const std::string kNew = "menucommand:101";
const std::string kPair = "menucommand:105";

struct OptionRow {
    ArgumentVector arguments;
    Commands delivered;
};

TEST(OptionDispatch, TableOfArgumentsAndTheirCommands) {
    const OptionRow rows[] = {
        {arguments({"-l", "12", "a.txt"}), {"goto:12", "open:C:/work/a.txt", kNew, kPair}},
        // A value is taken without a second look, even when it is an option.
        {arguments({"-l", "-n"}), {"goto:-n", kNew, kPair}},
        {arguments({"-l", "-h"}), {"goto:-h", kNew, kPair}},
        {arguments({"-f", "-l"}), {"find:-l", kNew, kPair}},
        {arguments({"-l", "twelve"}), {"goto:twelve", kNew, kPair}},
        // Only whole, exact arguments are options.
        {arguments({"-L", "-l5", "--HELP", "-help", "-x", "/h", "--", ""}),
         {"open:C:/work/-L", "open:C:/work/-l5", "open:C:/work/--HELP", "open:C:/work/-help",
          "open:C:/work/-x", "open:/h", "open:C:/work/--", "open:C:/work/", kNew, kPair}},
        {arguments({"-f", ""}), {"find:", kNew, kPair}},
        {arguments({"-i", ""}), {"insert:", kNew, kPair}},
        {arguments({"-l", ""}), {"goto:", kNew, kPair}},
        // Only -i escapes its value.
        {arguments({"-i", "a\\b\nc\rd"}), {"insert:a\\\\b\\nc\\rd", kNew, kPair}},
        {arguments({"-f", "a\\b\nc\rd"}), {"find:a\\b\nc\rd", kNew, kPair}},
        {arguments({"-l", "a\\b\nc"}), {"goto:a\\b\nc", kNew, kPair}},
        {arguments({"-c", "a\\b\nc\rd"}), {"a\\b\nc\rd", kNew, kPair}},
        {arguments({"-c", "insert:x\\y\n"}), {"insert:x\\y\n", kNew, kPair}},
        // A raw new-buffer command does not clear the new-window flag.
        {arguments({"-c", "menucommand:101"}), {kNew, kNew, kPair}},
        {arguments({"-c", ""}), {"", kNew, kPair}},
        {arguments({"-n"}), {kNew}},
        {arguments({"-n", "a.txt"}), {kNew, "open:C:/work/a.txt"}},
        {arguments({"a.txt", "-n"}), {"open:C:/work/a.txt", kNew}},
        {arguments({"-n", "-n"}), {kNew, kNew}},
        {arguments({"a", "-l", "3", "b"}),
         {"open:C:/work/a", "goto:3", "open:C:/work/b", kNew, kPair}},
        {arguments({"-d", "C:\\x\\", "a"}), {"open:C:/work/a", kNew, kPair}},
    };
    for (const OptionRow& row : rows) {
        const RunOutcome outcome = run_outcome(row.arguments);
        EXPECT_EQ(outcome.delivered, row.delivered) << row.arguments[1].utf8;
        EXPECT_EQ(outcome.exit_code, 0);
        EXPECT_TRUE(outcome.messages.empty());
    }
}

TEST(OptionDispatch, ArgumentsOfAnyLengthAndByteValue) {
    std::string every_byte;
    for (int b = 1; b < 256; ++b) every_byte += static_cast<char>(b);
    const std::string long_value(1 << 20, 'v');
    const RunOutcome outcome =
        run_outcome(arguments({"-f", long_value, "-c", every_byte, "-l", every_byte, long_value}));
    EXPECT_EQ(outcome.delivered, (Commands{"find:" + long_value, every_byte, "goto:" + every_byte,
                                           "open:C:/work/" + long_value, kNew, kPair}));
}

struct EditorPathRow {
    std::string value;
    std::string editor_path;
};

TEST(OptionDispatch, EditorPathFromTheLastDashD) {
    const EditorPathRow rows[] = {
        {"C:\\Apps\\", "C:\\Apps\\scite.exe"},
        {"C:\\Apps\\ed.exe", "C:\\Apps\\ed.exe"},
        {"C:\\Apps", "C:\\Apps"},
        {"C:/Apps/", "C:/Apps/"},
        {"", ""},
    };
    for (const EditorPathRow& row : rows) {
        FakeRuntime runtime;
        FakeDesktop desktop;  // no editor runs, so the path is launched
        const RunOutcome outcome =
            run_outcome(arguments({"-d", "D:\\first\\", "-d", row.value, "f"}), runtime, desktop);
        EXPECT_EQ(outcome.desktop_calls.at(1), "launch " + row.editor_path) << row.value;
        EXPECT_EQ(outcome.messages, Commands{"Couldn't start scite\n  => " + row.editor_path});
        EXPECT_EQ(outcome.exit_code, -1);
    }
}

TEST(OptionDispatch, PosixEditorPathIsSciteOnThePathOrInTheDirectoryOfDashD) {
    const std::pair<ArgumentVector, std::string> rows[] = {
        {arguments({"f"}), "scite"},
        {arguments({"-d", "/opt/scite/", "f"}), "/opt/scite/scite"},
        {arguments({"-d", "/opt/bin/SciTE", "f"}), "/opt/bin/SciTE"},
        {arguments({"-d", "C:\\Apps\\", "f"}), "C:\\Apps\\"},  // a backslash is a byte
    };
    for (const auto& [vector, editor_path] : rows) {
        FakeRuntime runtime;
        runtime.style = PathStyle::posix;
        FakeDesktop desktop;
        const RunOutcome outcome = run_outcome(vector, runtime, desktop);
        EXPECT_EQ(outcome.desktop_calls.at(1), "launch " + editor_path);
        EXPECT_EQ(outcome.messages, Commands{"Couldn't start scite\n  => " + editor_path});
    }
}

TEST(OptionDispatch, HelpRequestEndsTheRunWithNothingDelivered) {
    for (const ArgumentVector& vector :
         {arguments({"-h"}), arguments({"--help"}), arguments({"a.txt", "-h"}),
          arguments({"-h", "-l"}), arguments({"-n", "--help", "b"})}) {
        const RunOutcome outcome = run_outcome(vector);
        EXPECT_EQ(outcome.messages, Commands{help_text()});
        EXPECT_EQ(outcome.exit_code, 0);
        EXPECT_FALSE(outcome.ended_process);
        EXPECT_TRUE(outcome.desktop_calls.empty()) << "nothing is looked for or sent";
    }
}

TEST(OptionDispatch, MissingValueEndsTheProcessWithCodeOne) {
    for (const ArgumentVector& vector :
         {arguments({"-l"}), arguments({"a.txt", "-l"}), arguments({"-f"}), arguments({"-i"}),
          arguments({"-c"}), arguments({"-d"}), arguments({"-l", "1", "-d"})}) {
        const RunOutcome outcome = run_outcome(vector);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0], "Error in arguments." + help_text());
        EXPECT_EQ(outcome.messages[0].size(), 919u);
        EXPECT_TRUE(outcome.ended_process);
        EXPECT_EQ(outcome.exit_code, 1);
        EXPECT_TRUE(outcome.desktop_calls.empty());
    }
}

TEST(OptionDispatch, DashSOpensABufferAndTakesStandardInputWhereItStands) {
    struct Row {
        ArgumentVector arguments;
        std::string input;
        Commands delivered;
    };
    const Row rows[] = {
        {arguments({"-s"}), "", {kNew}},
        {arguments({"-s"}), "abc\ndef\n", {kNew, "insert:abc\\n", "insert:def\\n"}},
        {arguments({"-s", "f"}), "x", {kNew, "insert:x", "open:C:/work/f"}},
        {arguments({"f", "-s"}), "x", {"open:C:/work/f", kNew, "insert:x"}},
        {arguments({"-s", "-s"}), "x\n", {kNew, "insert:x\\n", kNew}},
    };
    for (const Row& row : rows) {
        FakeRuntime runtime;
        runtime.stdin_bytes = row.input;
        EXPECT_EQ(run_outcome(row.arguments, runtime).delivered, row.delivered);
    }
}

TEST(OptionDispatch, FileArgumentsInUtf8AndOptionValuesInTheCodePage) {
    FakeRuntime runtime;
    runtime.directory = "C:\\d\xC3\xA9";
    const ArgumentVector vector = {
        same_bytes_argument("C:\\Tools\\Vantrelpad.exe"),
        Argument{"caf\xE9.txt", "caf\xC3\xA9.txt"},
        Argument{"-f", "-f"},
        Argument{"caf\xE9", "caf\xC3\xA9"},
        // U+2212 MINUS SIGN and l: the code page may fold it to "-l", but it
        // is no option.
        Argument{"-l", "\xE2\x88\x92l"},
    };
    EXPECT_EQ(run_outcome(vector, runtime).delivered,
              (Commands{"open:C:/d\xC3\xA9/caf\xC3\xA9.txt", "find:caf\xE9",
                        "open:C:/d\xC3\xA9/\xE2\x88\x92l", kNew, kPair}));
}

}  // namespace
}  // namespace vantrelpad
