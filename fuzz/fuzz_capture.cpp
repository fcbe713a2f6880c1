// Fuzzes the standard-input capture: any bytes, handed over in reads of any
// size, must come out as insert commands whose pieces give back the input.
#include <cstdint>
#include <string>

#include "director/command_list.h"
#include "fakes/fake_runtime.h"
#include "stdin_capture.h"
#include "invariants.h"

using namespace vantrelpad;
using namespace vantrelpad::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    testing::FakeRuntime runtime;
    runtime.stdin_read_limit = 1 + data[0] % 251;  // where the reads end must not matter
    runtime.stdin_bytes.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    CommandList commands;
    capture_stdin(commands, runtime);

    std::string pieces;
    std::size_t count = 0;
    for (const std::string_view command : commands) {
        ++count;
        check(command.substr(0, 7) == "insert:", "every command is an insert");
        const std::string_view payload = command.substr(7);
        check(payload.find('\n') == std::string_view::npos, "no raw line feed");
        check(payload.find('\r') == std::string_view::npos, "no raw carriage return");
        const auto piece = unescape_director_text(payload);
        check(piece.has_value(), "the payload is escaped text");
        check(!piece->empty(), "no empty piece");
        check(piece->size() <= kMaxPieceBytes, "a piece holds at most 199 bytes");
        const std::size_t line_feed = piece->find('\n');
        check(line_feed == std::string::npos || line_feed + 1 == piece->size(),
              "a line feed only ends a piece");
        check(piece->find('\0') == std::string::npos, "no NUL byte");
        check(line_feed != std::string::npos || piece->size() == kMaxPieceBytes ||
                  count == commands.size(),
              "only the last piece or a full one lacks a line feed");
        pieces += *piece;
    }
    check(pieces == normalised_input(runtime.stdin_bytes), "the pieces give back the input");
    return 0;
}
