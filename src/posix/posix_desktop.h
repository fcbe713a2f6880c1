// The desktop seam on POSIX systems: the editor's director pipes.
//
// Each running editor reads director commands from a named pipe
// SciTE.<pid>.in in the temporary directory. The pipes of this user are the
// "windows", the one whose editor started last first, as the top of the Z
// order is on Windows; a pipe "answers the probe" when it opens for writing,
// which it does only while its editor holds the reading end.
#pragma once

#include <string>
#include <vector>

#include "director/desktop.h"

namespace vantrelpad::posix {

class PosixDesktop : public Desktop {
  public:
    ~PosixDesktop() override;

    unsigned register_message(std::string_view name) override;
    Window first_top_level_window() override;
    Window next_window(Window window) override;
    std::uintptr_t probe(Window window, unsigned message, unsigned timeout_ms) override;
    void launch(const std::string& path) override;
    void sleep(unsigned milliseconds) override;
    // Sends the editor "focus:", the counterpart of bringing it to the front.
    void set_foreground(Window window) override;
    bool is_visible(Window window) override;
    bool has_owner(Window window) override;
    std::uint32_t process_of(Window window) override;
    bool send_command(Window window, std::string_view command, unsigned timeout_ms) override;

  private:
    struct Pipe {
        std::string path;
        std::uint32_t process;
    };

    const Pipe& pipe(Window window) const { return pipes_[window - 1]; }
    Window intern(const std::string& path, std::uint32_t process);
    bool write_line(Window window, const std::string& line, unsigned timeout_ms);

    // Every pipe seen so far; a window is its place here plus one, so that it
    // stays the same from one probe to the next.
    std::vector<Pipe> pipes_;
    // The pipes of the last walk, from the newest editor down.
    std::vector<Window> order_;
    // The pipe the commands go to, opened on the first send.
    Window connected_ = kNoWindow;
    int connection_ = -1;
};

}  // namespace vantrelpad::posix
