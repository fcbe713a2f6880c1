// A desktop of scripted top-level windows that records every call the editor
// link makes, in order, as one line each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "director/desktop.h"

namespace vantrelpad::testing {

struct FakeWindow {
    Window id;
    // Replies to the probe with the probe message when true, with `reply`
    // otherwise.
    bool answers = false;
    std::uintptr_t reply = 0;
    bool visible = false;
    bool owned = false;
    std::uint32_t process = 1;
    // Sends to this window fail from this command on (0-based); -1 never.
    int fails_from_command = -1;
};

class FakeDesktop : public Desktop {
  public:
    // The number that register_message gives; 0 makes the registration fail.
    unsigned probe_message = 0xC123;

    // Windows from the top of the Z order down.
    std::vector<FakeWindow> windows;

    // When set, launching puts this window on top of the Z order once the
    // given number of sleeps after the launch have passed.
    bool launch_brings_window = false;
    FakeWindow launched_window;
    int launched_window_after_sleeps = 1;

    // Every call, in order.
    std::vector<std::string> calls;
    // The commands each window received, in order.
    std::vector<std::pair<Window, std::string>> received;

    unsigned register_message(std::string_view name) override {
        calls.push_back("register " + std::string(name));
        return probe_message;
    }

    Window first_top_level_window() override {
        return windows.empty() ? kNoWindow : windows.front().id;
    }

    Window next_window(Window window) override {
        for (std::size_t i = 0; i + 1 < windows.size(); ++i) {
            if (windows[i].id == window) {
                return windows[i + 1].id;
            }
        }
        return kNoWindow;
    }

    std::uintptr_t probe(Window window, unsigned message, unsigned timeout_ms) override {
        calls.push_back("probe " + std::to_string(window) + " " + std::to_string(message) + " " +
                        std::to_string(timeout_ms));
        const FakeWindow& w = find(window);
        return w.answers ? message : w.reply;
    }

    void launch(const std::string& path) override {
        calls.push_back("launch " + path);
        launched = true;
    }

    void sleep(unsigned milliseconds) override {
        calls.push_back("sleep " + std::to_string(milliseconds));
        if (launched && launch_brings_window && --launched_window_after_sleeps == 0) {
            windows.insert(windows.begin(), launched_window);
        }
    }

    void set_foreground(Window window) override {
        calls.push_back("foreground " + std::to_string(window));
    }

    bool is_visible(Window window) override { return find(window).visible; }
    bool has_owner(Window window) override { return find(window).owned; }
    std::uint32_t process_of(Window window) override { return find(window).process; }

    bool send_command(Window window, std::string_view command, unsigned timeout_ms) override {
        calls.push_back("send " + std::to_string(window) + " " + std::to_string(timeout_ms) + " " +
                        std::string(command));
        const FakeWindow& w = find(window);
        const int index = sends_to_window(window)++;
        if (w.fails_from_command >= 0 && index >= w.fails_from_command) {
            return false;
        }
        received.emplace_back(window, std::string(command));
        return true;
    }

    // The commands received, whichever window took them.
    std::vector<std::string> received_commands() const {
        std::vector<std::string> commands;
        for (const auto& entry : received) {
            commands.push_back(entry.second);
        }
        return commands;
    }

  private:
    const FakeWindow& find(Window window) const {
        for (const FakeWindow& w : windows) {
            if (w.id == window) {
                return w;
            }
        }
        static const FakeWindow gone{kNoWindow};
        return gone;
    }

    int& sends_to_window(Window window) {
        for (auto& entry : send_counts) {
            if (entry.first == window) {
                return entry.second;
            }
        }
        send_counts.emplace_back(window, 0);
        return send_counts.back().second;
    }

    bool launched = false;
    std::vector<std::pair<Window, int>> send_counts;
};

}  // namespace vantrelpad::testing
