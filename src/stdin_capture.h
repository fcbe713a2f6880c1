// -s: standard input, piece by piece, as "insert:" commands.
#pragma once

#include <cstddef>

#include "director/command_list.h"
#include "runtime.h"

namespace vantrelpad {

// A piece holds at most this many input bytes: what the editor's director
// interface has always been handed per insert by this program.
inline constexpr std::size_t kMaxPieceBytes = 199;

// Reads standard input to its end and appends one "insert:" command per
// piece. The bytes are taken as they come, with two changes: NUL bytes are
// dropped (the editor reads each command as a C string), and a carriage
// return followed by a line feed becomes one line feed. The result is cut
// into pieces that end after a line feed or after kMaxPieceBytes bytes, and
// each piece is escaped for the editor.
void capture_stdin(CommandList& commands, Runtime& runtime);

}  // namespace vantrelpad
