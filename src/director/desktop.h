// What the editor link needs of the desktop it runs on: the desktop seam.
// Each platform implements it; the tests use a fake desktop that records
// every call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrelpad {

// A top-level window, as the platform identifies it; kNoWindow is none.
using Window = std::uintptr_t;
inline constexpr Window kNoWindow = 0;

class Desktop {
  public:
    virtual ~Desktop() = default;

    // The number of the window message registered under name; 0 when it
    // cannot be registered.
    virtual unsigned register_message(std::string_view name) = 0;

    // The top-level windows from the top of the Z order down: the first one,
    // then the one below a given window; kNoWindow after the last.
    virtual Window first_top_level_window() = 0;
    virtual Window next_window(Window window) = 0;

    // Sends message to window and gives back its reply, or 0 when the window
    // does not reply within timeout_ms or its thread is hung.
    virtual std::uintptr_t probe(Window window, unsigned message, unsigned timeout_ms) = 0;

    // Starts the program at path without arguments; the outcome shows only
    // in whether its window answers later.
    virtual void launch(const std::string& path) = 0;

    virtual void sleep(unsigned milliseconds) = 0;

    virtual void set_foreground(Window window) = 0;

    // What bringing the editor to the front needs to find its main window.
    virtual bool is_visible(Window window) = 0;
    virtual bool has_owner(Window window) = 0;
    virtual std::uint32_t process_of(Window window) = 0;

    // Hands window one command; true when the window confirmed that it took
    // it. Waits for a window that is still processing messages; gives up
    // after timeout_ms only when its thread has stopped doing so.
    virtual bool send_command(Window window, std::string_view command, unsigned timeout_ms) = 0;
};

}  // namespace vantrelpad
