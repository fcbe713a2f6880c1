// Every text that the program shows to the user.
#pragma once

#include <string>
#include <string_view>

namespace vantrelpad {

// The usage text: 15 lines, each padded with blanks to 59 characters and
// ended by a line feed, 900 bytes in all.
const std::string& help_text();

// Shown, run together with the help text, when an option lacks its value.
inline constexpr std::string_view kArgumentErrorText = "Error in arguments.";

// Shown, followed by the editor path, when no editor window answered, not
// even after the editor was started.
inline constexpr std::string_view kStartFailureText = "Couldn't start scite\n  => ";

// Shown when a command could not be handed to the editor window.
inline constexpr std::string_view kSendFailureText = "Couldn't send to scite";

// Shown when the run could not hold what it was given.
inline constexpr std::string_view kOutOfMemoryText = "Out of memory";

// Exit codes of the run.
inline constexpr int kExitDone = 0;
inline constexpr int kExitArgumentError = 1;
inline constexpr int kExitFailure = -1;

}  // namespace vantrelpad
