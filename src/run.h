// The run: arguments in, commands delivered, exit code out.
#pragma once

#include "arguments.h"
#include "director/desktop.h"
#include "runtime.h"

namespace vantrelpad {

// Walks the arguments from element 1 on, turning them into director
// commands, and delivers them to the editor. Gives back the exit code:
// 0 after delivery or the help text, -1 when the editor could not be reached
// or memory ran out. An option without its value ends the process with 1.
int run(const ArgumentVector& arguments, Runtime& runtime, Desktop& desktop);

}  // namespace vantrelpad
