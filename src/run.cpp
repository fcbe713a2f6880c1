#include "run.h"

#include <new>
#include <string>

#include "director/commands.h"
#include "director/editor_link.h"
#include "editor_path.h"
#include "messages.h"
#include "options.h"
#include "run_state.h"

namespace vantrelpad {

namespace {

int walk_and_deliver(const ArgumentVector& arguments, Runtime& runtime, Desktop& desktop) {
    RunState state;
    state.editor_path =
        default_editor_path(arguments.empty() ? std::string() : arguments[0].ansi, runtime);

    for (std::size_t index = 1; index < arguments.size();) {
        const DispatchResult result = dispatch_argument(arguments, index, state, runtime);
        if (result.outcome == Dispatch::help_requested) {
            runtime.show_message(help_text());
            return kExitDone;
        }
        if (result.outcome == Dispatch::missing_value) {
            runtime.show_message(std::string(kArgumentErrorText) + help_text());
            runtime.exit_process(kExitArgumentError);
        }
        index = result.next_index;
    }

    if (state.commands.empty()) {
        runtime.show_message(help_text());
        return kExitDone;
    }
    if (state.new_window) {
        state.commands.append(kNewBufferCommand);
        state.commands.append(kCompletionCommand);
    }
    return deliver_commands(state.commands, state.editor_path, desktop, runtime);
}

}  // namespace

int run(const ArgumentVector& arguments, Runtime& runtime, Desktop& desktop) {
    try {
        return walk_and_deliver(arguments, runtime, desktop);
    } catch (const std::bad_alloc&) {
        // The run state is gone by now, so the message has memory to work with.
        runtime.show_message(std::string(kOutOfMemoryText));
        return kExitFailure;
    }
}

}  // namespace vantrelpad
