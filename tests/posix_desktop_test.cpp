// The director pipes for real: FIFOs in a temporary directory of the test's
// own, read by the test as the editor would read them.
#include "posix/posix_desktop.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "director/editor_link.h"
#include "fakes/fake_runtime.h"

namespace vantrelpad::posix {
namespace {

namespace fs = std::filesystem;
using testing::FakeRuntime;

class DirectorPipes : public ::testing::Test {
  protected:
    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN);  // as the program does
        char name[] = "/tmp/vantrelpad-pipes-XXXXXX";
        directory_ = mkdtemp(name);
        const char* old = std::getenv("TMPDIR");
        old_tmpdir_ = old ? old : "";
        had_tmpdir_ = old != nullptr;
        setenv("TMPDIR", directory_.c_str(), 1);
    }
    void TearDown() override {
        for (const int descriptor : readers_) close(descriptor);
        if (had_tmpdir_) {
            setenv("TMPDIR", old_tmpdir_.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        fs::remove_all(directory_);
    }

    // A pipe as an editor of the given pid makes it; read_end says whether
    // an editor holds it open.
    int make_pipe(std::uint32_t pid, bool read_end) {
        const std::string path = directory_ + "/SciTE." + std::to_string(pid) + ".in";
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        if (!read_end) return -1;
        const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        readers_.push_back(descriptor);
        return descriptor;
    }

    static std::string drain(int descriptor) {
        std::string bytes;
        char buffer[65536];
        ssize_t count;
        while ((count = read(descriptor, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
        return bytes;
    }

    std::string directory_;
    std::string old_tmpdir_;
    bool had_tmpdir_ = false;
    std::vector<int> readers_;
};

CommandList list_of(std::initializer_list<std::string> commands) {
    CommandList list;
    for (const std::string& command : commands) list.append(command);
    return list;
}

TEST_F(DirectorPipes, CommandsGoToTheNewestEditorThatReadsItsPipe) {
    // pid 1 started first; this test's own process started later and reads;
    // a pipe left behind by an editor that has gone has no reader.
    const int older = make_pipe(1, true);
    const int newer = make_pipe(static_cast<std::uint32_t>(getpid()), true);
    make_pipe(999999, false);
    FakeRuntime runtime;
    PosixDesktop desktop;
    const int code = deliver_commands(list_of({"open:/tmp/a b.txt", "insert:caf\xE9\\n", ""}),
                                      "scite", desktop, runtime);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(runtime.messages.empty());
    EXPECT_EQ(drain(newer), "focus:\nopen:/tmp/a b.txt\ninsert:caf\\351\\n\n\n");
    EXPECT_EQ(drain(older), "");
}

TEST_F(DirectorPipes, NoReadingEditorMeansNoWindow) {
    make_pipe(static_cast<std::uint32_t>(getpid()), false);
    // Not a director pipe: wrong name, or not a FIFO.
    std::ofstream(directory_ + "/SciTE.1.in.bak").put('x');
    std::ofstream(directory_ + "/SciTE.2.in").put('x');
    PosixDesktop desktop;
    EXPECT_EQ(find_editor_window(desktop), kNoWindow);
}

TEST_F(DirectorPipes, APipeThatStaysFullFailsTheSendAfterTheBound) {
    make_pipe(static_cast<std::uint32_t>(getpid()), true);  // read by nobody from now on
    PosixDesktop desktop;
    const Window editor = find_editor_window(desktop);
    ASSERT_NE(editor, kNoWindow);
    const std::string line(4000, 'x');
    const auto start = std::chrono::steady_clock::now();
    bool sent = true;
    for (int i = 0; i < 1000 && sent; ++i) sent = desktop.send_command(editor, line, 200);
    EXPECT_FALSE(sent);
    // It waited for the pipe to drain, rather than failing at once.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
}

TEST_F(DirectorPipes, AnEditorThatGoesAwayFailsTheSend) {
    const int reader = make_pipe(static_cast<std::uint32_t>(getpid()), true);
    PosixDesktop desktop;
    const Window editor = find_editor_window(desktop);
    ASSERT_TRUE(desktop.send_command(editor, "a", 1000));
    close(reader);
    readers_.clear();
    EXPECT_FALSE(desktop.send_command(editor, "b", 1000));
}

}  // namespace
}  // namespace vantrelpad::posix
