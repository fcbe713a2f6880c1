#include "run.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>

#include "fakes/run_outcome.h"
#include "messages.h"
#include "support.h"

namespace vantrelpad {
namespace {

using namespace vantrelpad::testing;
using Strings = std::vector<std::string>;

std::string padded(const std::string& text, std::size_t blanks) {
    return text + std::string(blanks, ' ') + "\n";
}

TEST(HelpText, IsTheFifteenPaddedLines) {
    const std::string expected =
        padded("Vantrelpad [file] options", 34) + padded("", 59) +
        padded("Command line interface to scite. Opens the specified file", 2) +
        padded("in the current SciTe window.", 31) + padded("", 59) + padded("OPTIONS", 52) +
        padded("", 59) + padded("  -h          Print this help text.", 24) +
        padded("  -l line     Go to line number line in the file.", 10) +
        padded("  -f text     Find the text text in the file.", 14) +
        padded("  -i text     Insert text in the file.", 21) +
        padded("  -n          Create a new empty window.", 19) +
        padded("  -s          Open a new window with STDIN content.", 8) +
        padded("  -d path     Path to SciTE executable.", 20) +
        padded("  -c cmd      Raw scite command.", 27);
    EXPECT_EQ(help_text(), expected);
    EXPECT_EQ(help_text().size(), 900u);
}

TEST(Run, NoCommandShowsTheHelpAndTouchesNoWindow) {
    for (const ArgumentVector& vector :
         {arguments({}), arguments({"-d", "C:\\Apps\\"}), ArgumentVector{}}) {
        const RunOutcome outcome = run_outcome(vector);
        EXPECT_EQ(outcome.messages, Strings{help_text()});
        EXPECT_EQ(outcome.exit_code, 0);
        EXPECT_TRUE(outcome.desktop_calls.empty());
    }
}

TEST(Run, SingleFileIsCompletedWithTheNewBufferPair) {
    const RunOutcome outcome = run_outcome(arguments({"notes.txt"}));
    EXPECT_EQ(outcome.delivered,
              (Strings{"open:C:/work/notes.txt", "menucommand:101", "menucommand:105"}));
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_TRUE(outcome.messages.empty());
}

struct EditorPathRow {
    ArgumentVector arguments;
    std::string program_path;
    std::string editor_path;
};

TEST(Run, DefaultEditorPathBesideTheProgram) {
    auto vector = [](const std::string& element0) {
        return ArgumentVector{same_bytes_argument(element0), same_bytes_argument("f")};
    };
    const EditorPathRow rows[] = {
        {vector("C:\\Tools\\Vantrelpad.exe"), "X:\\own\\v.exe", "C:\\Tools\\scite.exe"},
        {vector("C:\\Program Files\\Tools\\x.exe"), "X:\\own\\v.exe",
         "C:\\Program Files\\Tools\\scite.exe"},
        {vector("..\\bin\\v"), "X:\\own\\v.exe", "..\\bin\\scite.exe"},
        // No directory in element 0: the program's own file decides.
        {vector("Vantrelpad"), "X:\\own\\Vantrelpad.exe", "X:\\own\\scite.exe"},
        {vector("C:/Tools/Vantrelpad.exe"), "X:\\own\\Vantrelpad.exe", "X:\\own\\scite.exe"},
        {vector("v"), "v.exe", "scite.exe"},
    };
    for (const EditorPathRow& row : rows) {
        FakeRuntime runtime;
        runtime.program_path = row.program_path;
        FakeDesktop desktop;
        const RunOutcome outcome = run_outcome(row.arguments, runtime, desktop);
        EXPECT_EQ(outcome.desktop_calls.at(1), "launch " + row.editor_path)
            << row.arguments[0].ansi;
    }
}

TEST(Run, OutOfMemoryWhileCapturingIsReportedAndNothingIsSent) {
    FakeRuntime runtime;
    int reads = 0;
    runtime.stdin_source = [&reads](char* buffer, std::size_t capacity) -> std::size_t {
        if (++reads == 3) {
            throw std::bad_alloc();
        }
        std::memset(buffer, 'x', capacity);
        return capacity;
    };
    FakeDesktop desktop = desktop_with_editor();
    const RunOutcome outcome = run_outcome(arguments({"a.txt", "-s"}), runtime, desktop);
    EXPECT_EQ(outcome.messages, Strings{"Out of memory"});
    EXPECT_EQ(outcome.exit_code, -1);
    EXPECT_TRUE(outcome.desktop_calls.empty());
}

#ifndef __SANITIZE_ADDRESS__  // the sanitizer needs the address space
// With the address space capped far below the input, the capture really
// runs out of memory; the run must say so instead of crashing.
void capture_endless_input_under_memory_cap() {
    const rlim_t cap = 512ull << 20;
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
    FakeRuntime runtime;
    runtime.stdin_source = [](char* buffer, std::size_t capacity) -> std::size_t {
        std::memset(buffer, 'y', capacity);  // an endless line
        return capacity;
    };
    FakeDesktop desktop = desktop_with_editor();
    const int code = run(arguments({"-s"}), runtime, desktop);
    const bool reported =
        runtime.messages == Strings{"Out of memory"} && code == -1 && desktop.calls.empty();
    _exit(reported ? 42 : 1);
}

TEST(RunDeathTest, InputLargerThanTheAddressSpaceGivesTheOutOfMemoryMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(capture_endless_input_under_memory_cap(), ::testing::ExitedWithCode(42), "");
}
#endif

TEST(Run, GivesBackTheExitCodeOfTheDelivery) {
    FakeRuntime runtime;
    FakeDesktop desktop;  // nothing answers, not even after the launch
    const RunOutcome outcome = run_outcome(arguments({"a"}), runtime, desktop);
    EXPECT_EQ(outcome.exit_code, -1);
    EXPECT_TRUE(outcome.delivered.empty());
}

}  // namespace
}  // namespace vantrelpad
