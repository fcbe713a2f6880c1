// Finds or starts the editor and hands its window the commands.
#pragma once

#include <string>
#include <string_view>

#include "director/command_list.h"
#include "director/desktop.h"
#include "runtime.h"

namespace vantrelpad {

// The editor registers a window message under this name and answers it with
// the message's own number from the window that takes director commands.
inline constexpr std::string_view kProbeMessageName = "SciTEDirectorInterface";

// A window whose thread takes longer than this to answer the probe is not
// taken for the editor; the editor answers at once.
inline constexpr unsigned kProbeTimeoutMs = 1000;

// How long a started editor is given to bring up its window, and how often
// it is looked for meanwhile: 100 polls.
inline constexpr unsigned kStartupBudgetMs = 5000;
inline constexpr unsigned kPollSleepMs = 50;

// A command whose send has not returned after this long, from an editor that
// has stopped processing messages, counts as not delivered. Long enough for
// any command that a working editor is still busy with.
inline constexpr unsigned kSendTimeoutMs = 30000;

// The first top-level window, from the top of the Z order, that answers the
// probe; kNoWindow when none does.
Window find_editor_window(Desktop& desktop);

// Finds the editor window, or starts the editor from editor_path and waits
// for its window; brings it to the front and sends every command in order.
// Gives back the exit code of the run: 0 when every command was taken, -1
// after the message that says what failed.
int deliver_commands(const CommandList& commands, const std::string& editor_path, Desktop& desktop,
                     Runtime& runtime);

}  // namespace vantrelpad
