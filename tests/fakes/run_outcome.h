// Runs the whole program logic against the fakes and gathers what a user
// would see: messages, exit code, what the editor received.
#pragma once

#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_runtime.h"
#include "run.h"

namespace vantrelpad::testing {

// An exit code for a run that ended the process; run itself never gives 1.
struct RunOutcome {
    int exit_code = 0;
    bool ended_process = false;
    std::vector<std::string> messages;
    std::vector<std::string> delivered;
    std::vector<std::string> desktop_calls;
};

// A desktop with one running editor window, the usual case.
inline FakeDesktop desktop_with_editor() {
    FakeDesktop desktop;
    FakeWindow editor{7};
    editor.answers = true;
    editor.visible = true;
    desktop.windows = {editor};
    return desktop;
}

inline RunOutcome run_outcome(const ArgumentVector& arguments, FakeRuntime& runtime,
                              FakeDesktop& desktop) {
    RunOutcome outcome;
    try {
        outcome.exit_code = run(arguments, runtime, desktop);
    } catch (const ProcessExit& exit) {
        outcome.exit_code = exit.code;
        outcome.ended_process = true;
    }
    outcome.messages = runtime.messages;
    outcome.delivered = desktop.received_commands();
    outcome.desktop_calls = desktop.calls;
    return outcome;
}

inline RunOutcome run_outcome(const ArgumentVector& arguments, FakeRuntime& runtime) {
    FakeDesktop desktop = desktop_with_editor();
    return run_outcome(arguments, runtime, desktop);
}

inline RunOutcome run_outcome(const ArgumentVector& arguments) {
    FakeRuntime runtime;
    return run_outcome(arguments, runtime);
}

}  // namespace vantrelpad::testing
