#include "director/editor_link.h"

#include "messages.h"

namespace vantrelpad {

namespace {

Window wait_for_started_editor(Desktop& desktop) {
    Window window = kNoWindow;
    // The budget counts the sleeps only; the probe of the last poll counts.
    for (int budget = kStartupBudgetMs; window == kNoWindow && budget > 0; budget -= kPollSleepMs) {
        desktop.sleep(kPollSleepMs);
        window = find_editor_window(desktop);
    }
    return window;
}

// The editor answers the probe from a hidden window of its own; the window
// the user works in is the highest visible, unowned top-level window of the
// same process.
Window visible_window_of_same_process(Desktop& desktop, Window hidden) {
    const std::uint32_t process = desktop.process_of(hidden);
    for (Window window = desktop.first_top_level_window(); window != kNoWindow;
         window = desktop.next_window(window)) {
        if (window != hidden && desktop.process_of(window) == process &&
            desktop.is_visible(window) && !desktop.has_owner(window)) {
            return window;
        }
    }
    return kNoWindow;
}

void bring_to_front(Desktop& desktop, Window window) {
    desktop.set_foreground(window);
    if (desktop.is_visible(window)) {
        return;
    }
    const Window frame = visible_window_of_same_process(desktop, window);
    if (frame != kNoWindow) {
        desktop.set_foreground(frame);
    }
}

}  // namespace

Window find_editor_window(Desktop& desktop) {
    const unsigned message = desktop.register_message(kProbeMessageName);
    if (message == 0) {
        return kNoWindow;  // a reply of 0 would match it
    }
    for (Window window = desktop.first_top_level_window(); window != kNoWindow;
         window = desktop.next_window(window)) {
        if (desktop.probe(window, message, kProbeTimeoutMs) == message) {
            return window;
        }
    }
    return kNoWindow;
}

int deliver_commands(const CommandList& commands, const std::string& editor_path, Desktop& desktop,
                     Runtime& runtime) {
    Window window = find_editor_window(desktop);
    if (window == kNoWindow) {
        desktop.launch(editor_path);
        window = wait_for_started_editor(desktop);
    }
    if (window == kNoWindow) {
        runtime.show_message(std::string(kStartFailureText) + editor_path);
        return kExitFailure;
    }
    bring_to_front(desktop, window);
    for (const std::string_view command : commands) {
        if (!desktop.send_command(window, command, kSendTimeoutMs)) {
            runtime.show_message(std::string(kSendFailureText));
            return kExitFailure;
        }
    }
    return kExitDone;
}

}  // namespace vantrelpad
