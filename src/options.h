// The option dispatch: what one argument of the walk does to the run.
#pragma once

#include <cstddef>

#include "arguments.h"
#include "run_state.h"
#include "runtime.h"

namespace vantrelpad {

enum class Dispatch {
    next,            // go on with the argument at next_index
    help_requested,  // -h or --help: show the help text and end the run
    missing_value,   // an option that takes a value was the last argument
};

struct DispatchResult {
    Dispatch outcome;
    std::size_t next_index;
};

// Handles argument index (less than arguments.size()): appends its commands,
// or changes the editor path or the new-window flag, and says where the walk
// goes on. Options match only as whole arguments, byte for byte.
DispatchResult dispatch_argument(const ArgumentVector& arguments, std::size_t index,
                                 RunState& state, Runtime& runtime);

}  // namespace vantrelpad
