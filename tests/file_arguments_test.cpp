#include "file_arguments.h"

#include <gtest/gtest.h>

#include "fakes/fake_runtime.h"

namespace vantrelpad {
namespace {

using testing::FakeRuntime;

struct OpenRow {
    std::string argument;
    std::optional<std::string> directory;
    std::string command;
    int directory_reads;
};

TEST(MakeOpenCommand, TableOfPaths) {
    const std::string work = "C:\\work";
    const OpenRow rows[] = {
        {"notes.txt", work, "open:C:/work/notes.txt", 1},
        {"sub\\a.txt", work, "open:C:/work/sub/a.txt", 1},
        {"sub/a.txt", work, "open:C:/work/sub/a.txt", 1},
        {"..\\a.txt", work, "open:C:/work/../a.txt", 1},
        {"sub\\", work, "open:C:/work/sub/", 1},
        {"notes.txt", std::string("C:\\"), "open:C://notes.txt", 1},  // root: separator doubled
        {"D:\\x\\y.txt", work, "open:D:/x/y.txt", 0},
        {"C:y.txt", work, "open:C:y.txt", 0},
        {"notes.txt:part", work, "open:notes.txt:part", 0},
        {"a:", work, "open:a:", 0},  // a colon at the end counts too
        {"\\x\\y.txt", work, "open:/x/y.txt", 0},
        {"/x/y.txt", work, "open:/x/y.txt", 0},
        {"\\\\srv\\share\\f.txt", work, "open://srv/share/f.txt", 0},
        {"", work, "open:C:/work/", 1},
        {"-x", work, "open:C:/work/-x", 1},
        {"a b\\c d.txt", work, "open:C:/work/a b/c d.txt", 1},
        {"mixed/sl\\ash", std::string("\\\\srv\\share"), "open://srv/share/mixed/sl/ash", 1},
        // UTF-8 bytes pass as they are, whatever their value.
        {"caf\xC3\xA9.txt", std::string("C:\\d\xC3\xA9"), "open:C:/d\xC3\xA9/caf\xC3\xA9.txt", 1},
        // An unreadable directory leaves a relative argument as written.
        {"sub\\notes.txt", std::nullopt, "open:sub/notes.txt", 1},
        {"", std::nullopt, "open:", 1},
    };
    for (const OpenRow& row : rows) {
        FakeRuntime runtime;
        runtime.directory = row.directory;
        EXPECT_EQ(make_open_command(row.argument, runtime), row.command) << row.argument;
        EXPECT_EQ(runtime.directory_reads, row.directory_reads) << row.argument;
    }
}

TEST(MakeOpenCommand, LongDirectoryIsUsedWhole) {
    FakeRuntime runtime;
    runtime.directory = "C:\\" + std::string(5000, 'd');
    EXPECT_EQ(make_open_command("f", runtime), "open:C:/" + std::string(5000, 'd') + "/f");
}

}  // namespace
}  // namespace vantrelpad

namespace vantrelpad {
namespace {

TEST(MakeOpenCommand, PosixPathsAreJoinedWithASlashAndEscaped) {
    const OpenRow rows[] = {
        {"notes.txt", std::string("/home/me"), "open:/home/me/notes.txt", 1},
        {"/etc/hosts", std::string("/home/me"), "open:/etc/hosts", 0},
        // A backslash and a colon are ordinary bytes of a name.
        {"C:\\x.txt", std::string("/home/me"), "open:/home/me/C:\\\\x.txt", 1},
        {"\\x", std::string("/"), "open://\\\\x", 1},
        // A line end in a name cannot start a command of its own.
        {"a\nquit:\r", std::string("/w"), "open:/w/a\\nquit:\\r", 1},
        {"caf\xC3\xA9", std::string("/w"), "open:/w/caf\xC3\xA9", 1},
        {"", std::string("/w"), "open:/w/", 1},
        {"sub/f", std::nullopt, "open:sub/f", 1},
    };
    for (const OpenRow& row : rows) {
        FakeRuntime runtime;
        runtime.style = PathStyle::posix;
        runtime.directory = row.directory;
        EXPECT_EQ(make_open_command(row.argument, runtime), row.command) << row.argument;
        EXPECT_EQ(runtime.directory_reads, row.directory_reads) << row.argument;
    }
}

}  // namespace
}  // namespace vantrelpad
