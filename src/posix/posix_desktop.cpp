#include "posix/posix_desktop.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "posix/pipe_wire.h"

namespace vantrelpad::posix {

namespace {

// Any number but 0 will do: the pipes answer the probe by opening.
constexpr unsigned kPipeProbeMessage = 1;

// The command that brings the editor's window to the front.
constexpr std::string_view kFocusCommand = "focus:";

std::string temporary_directory() {
    const char* directory = std::getenv("TMPDIR");
    return directory && *directory ? directory : "/tmp";
}

// The pid in a name of the form SciTE.<pid>.in, or 0.
std::uint32_t pipe_process(const std::string& name) {
    const std::string head = "SciTE.", tail = ".in";
    if (name.size() <= head.size() + tail.size() || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0) {
        return 0;
    }
    const std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) {
        return 0;
    }
    return static_cast<std::uint32_t>(std::stoul(digits));
}

// When the process started, in clock ticks since boot; 0 when unknown.
unsigned long long start_time(std::uint32_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t name_end = text.rfind(')');
    if (name_end == std::string::npos) return 0;
    std::istringstream fields(text.substr(name_end + 2));
    std::string field;
    // The fields after the name start with the state, field 3; the start
    // time is field 22.
    for (int number = 3; number <= 22 && fields >> field; ++number) {
        if (number == 22) return std::strtoull(field.c_str(), nullptr, 10);
    }
    return 0;
}

int milliseconds_left(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

}  // namespace

PosixDesktop::~PosixDesktop() {
    if (connection_ >= 0) close(connection_);
}

unsigned PosixDesktop::register_message(std::string_view) { return kPipeProbeMessage; }

Window PosixDesktop::intern(const std::string& path, std::uint32_t process) {
    for (std::size_t i = 0; i < pipes_.size(); ++i) {
        if (pipes_[i].path == path) return i + 1;
    }
    pipes_.push_back({path, process});
    return pipes_.size();
}

Window PosixDesktop::first_top_level_window() {
    order_.clear();
    const std::string directory = temporary_directory();
    std::vector<std::pair<unsigned long long, Window>> found;
    if (DIR* listing = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::uint32_t process = pipe_process(entry->d_name);
            const std::string path = directory + "/" + entry->d_name;
            struct stat status;
            if (process == 0 || lstat(path.c_str(), &status) != 0 || !S_ISFIFO(status.st_mode) ||
                status.st_uid != getuid()) {
                continue;
            }
            found.emplace_back(start_time(process), intern(path, process));
        }
        closedir(listing);
    }
    // The editor that started last first; among equals, the higher pid.
    std::sort(found.begin(), found.end(), [this](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first > b.first;
        return pipe(a.second).process > pipe(b.second).process;
    });
    for (const auto& entry : found) order_.push_back(entry.second);
    return order_.empty() ? kNoWindow : order_.front();
}

Window PosixDesktop::next_window(Window window) {
    const auto at = std::find(order_.begin(), order_.end(), window);
    return at == order_.end() || at + 1 == order_.end() ? kNoWindow : *(at + 1);
}

std::uintptr_t PosixDesktop::probe(Window window, unsigned message, unsigned) {
    // Opening never blocks: it fails with ENXIO when no editor reads the pipe.
    const int descriptor = open(pipe(window).path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return 0;
    close(descriptor);
    return message;
}

void PosixDesktop::launch(const std::string& path) {
    // Detached: a session of its own, the standard streams on /dev/null, and
    // a grandchild, so that nothing waits for it and it waits for nothing.
    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            const int null = open("/dev/null", O_RDWR);
            for (int stream = 0; stream < 3; ++stream) dup2(null, stream);
            char* const arguments[] = {const_cast<char*>(path.c_str()), nullptr};
            execvp(path.c_str(), arguments);
        }
        _exit(0);
    }
    if (child > 0) waitpid(child, nullptr, 0);
}

void PosixDesktop::sleep(unsigned milliseconds) {
    timespec wait{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

void PosixDesktop::set_foreground(Window window) {
    write_line(window, std::string(kFocusCommand) + '\n', 1000);
}

bool PosixDesktop::is_visible(Window) { return true; }
bool PosixDesktop::has_owner(Window) { return false; }
std::uint32_t PosixDesktop::process_of(Window window) { return pipe(window).process; }

bool PosixDesktop::send_command(Window window, std::string_view command, unsigned timeout_ms) {
    for (const std::string& line : pipe_lines(command)) {
        if (!write_line(window, line, timeout_ms)) return false;
    }
    return true;
}

bool PosixDesktop::write_line(Window window, const std::string& line, unsigned timeout_ms) {
    if (connected_ != window) {
        if (connection_ >= 0) close(connection_);
        connection_ = open(pipe(window).path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        connected_ = window;
    }
    if (connection_ < 0) return false;
    // A line of at most the pipe's atomic size goes in one write once there is
    // room for it; a longer one may take several. A full pipe is waited on.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t count = write(connection_, line.data() + written, line.size() - written);
        if (count > 0) {
            written += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno != EAGAIN && errno != EINTR) return false;  // EPIPE: gone
        pollfd room{connection_, POLLOUT, 0};
        const int left = milliseconds_left(deadline);
        if (left == 0 || poll(&room, 1, left) <= 0 || (room.revents & (POLLERR | POLLHUP))) {
            return false;
        }
    }
    return true;
}

}  // namespace vantrelpad::posix
