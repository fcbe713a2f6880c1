// The desktop seam on Windows: top-level windows and window messages.
#pragma once

#include "director/desktop.h"

namespace vantrelpad::win32 {

class Win32Desktop : public Desktop {
  public:
    unsigned register_message(std::string_view name) override;
    Window first_top_level_window() override;
    Window next_window(Window window) override;
    std::uintptr_t probe(Window window, unsigned message, unsigned timeout_ms) override;
    void launch(const std::string& path) override;
    void sleep(unsigned milliseconds) override;
    void set_foreground(Window window) override;
    bool is_visible(Window window) override;
    bool has_owner(Window window) override;
    std::uint32_t process_of(Window window) override;
    bool send_command(Window window, std::string_view command, unsigned timeout_ms) override;
};

}  // namespace vantrelpad::win32
