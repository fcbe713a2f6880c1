// Fuzzes the whole walk: an argument vector and standard input in; each
// argument must add exactly the commands its kind promises, and the run must
// end as the walk says, with what the walk built delivered whole.
//
// Input: one byte for the number of arguments (0 to 15), the arguments
// separated by NUL bytes, then standard input.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/run_outcome.h"
#include "support.h"
#include "messages.h"
#include "options.h"
#include "stdin_capture.h"
#include "invariants.h"

using namespace vantrelpad;
using namespace vantrelpad::fuzzing;
using Commands = std::vector<std::string>;

namespace {

const std::string kDirectory = "C:\\work";

std::string expected_open(const std::string& argument) {
    const bool absolute = argument.find(':') != std::string::npos ||
                          (!argument.empty() && (argument[0] == '/' || argument[0] == '\\'));
    std::string path = absolute ? argument : kDirectory + "\\" + argument;
    std::replace(path.begin(), path.end(), '\\', '/');
    return "open:" + path;
}

struct Walk {
    Commands commands;
    bool new_window = true;
    Dispatch end = Dispatch::next;
};

// Walks the arguments one at a time and checks what each one added.
Walk walk(const ArgumentVector& arguments, const std::string& input) {
    testing::FakeRuntime runtime;
    runtime.directory = kDirectory;
    runtime.stdin_bytes = input;
    RunState state;
    Walk result;
    bool input_taken = false;
    for (std::size_t i = 1; i < arguments.size();) {
        const std::string& argument = arguments[i].utf8;
        const std::size_t before = state.commands.size();
        const DispatchResult dispatch = dispatch_argument(arguments, i, state, runtime);
        const Commands all = testing::commands_of(state.commands);
        const Commands added(all.begin() + static_cast<long>(before), all.end());
        const bool has_value = i + 1 < arguments.size();
        const std::string value = has_value ? arguments[i + 1].ansi : std::string();
        if (argument == "--help" || argument == "-h") {
            check(dispatch.outcome == Dispatch::help_requested && added.empty(), "help");
            result.end = Dispatch::help_requested;
            break;
        }
        const bool takes_value = argument == "-l" || argument == "-f" || argument == "-i" ||
                                 argument == "-c" || argument == "-d";
        if (takes_value && !has_value) {
            check(dispatch.outcome == Dispatch::missing_value && added.empty(), "missing value");
            result.end = Dispatch::missing_value;
            break;
        }
        check(dispatch.outcome == Dispatch::next, "the walk goes on");
        check(dispatch.next_index == i + (takes_value ? 2 : 1), "the next index");
        if (argument == "-l") {
            check(added == Commands{"goto:" + value}, "-l");
        } else if (argument == "-f") {
            check(added == Commands{"find:" + value}, "-f");
        } else if (argument == "-i") {
            check(added.size() == 1 && added[0].rfind("insert:", 0) == 0, "-i gives one insert");
            const std::string payload = added[0].substr(7);
            check(payload.find_first_of("\r\n") == std::string::npos, "-i escapes line ends");
            check(unescape_director_text(payload) == value, "-i gives back its value");
        } else if (argument == "-c") {
            check(added == Commands{value}, "-c is sent as it is");
        } else if (argument == "-d") {
            check(added.empty(), "-d adds no command");
        } else if (argument == "-n") {
            check(added == Commands{"menucommand:101"}, "-n");
            result.new_window = false;
        } else if (argument == "-s") {
            check(!added.empty() && added[0] == "menucommand:101", "-s opens a buffer");
            std::string pieces;
            for (std::size_t k = 1; k < added.size(); ++k) {
                check(added[k].rfind("insert:", 0) == 0, "-s gives inserts");
                const std::string payload = added[k].substr(7);
                check(payload.find_first_of("\r\n") == std::string::npos, "inserts are escaped");
                const auto piece = unescape_director_text(payload);
                check(piece && piece->size() <= kMaxPieceBytes, "pieces of at most 199 bytes");
                pieces += *piece;
            }
            check(pieces == (input_taken ? std::string() : normalised_input(input)),
                  "-s takes the whole input once");
            input_taken = true;
            result.new_window = false;
        } else {
            check(added == Commands{expected_open(arguments[i].utf8)},
                  "a file argument gives exactly its open command");
        }
        i = dispatch.next_index;
    }
    result.commands = testing::commands_of(state.commands);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t wanted = data[0] % 16;
    ArgumentVector arguments{same_bytes_argument("C:\\Tools\\Vantrelpad.exe")};
    std::size_t at = 0;
    while (arguments.size() <= wanted && at <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
        arguments.push_back(same_bytes_argument(bytes.substr(at, end - at)));
        at = end + 1;
    }
    const std::string input = at < bytes.size() ? bytes.substr(at) : std::string();

    const Walk expected = walk(arguments, input);

    testing::FakeRuntime runtime;
    runtime.directory = kDirectory;
    runtime.stdin_bytes = input;
    const testing::RunOutcome outcome = testing::run_outcome(arguments, runtime);
    if (expected.end == Dispatch::missing_value) {
        check(outcome.ended_process && outcome.exit_code == 1, "argument error ends with 1");
        check(outcome.messages == Commands{"Error in arguments." + help_text()}, "error box");
        check(outcome.desktop_calls.empty(), "nothing delivered after an argument error");
    } else if (expected.end == Dispatch::help_requested || expected.commands.empty()) {
        check(!outcome.ended_process && outcome.exit_code == 0, "help ends with 0");
        check(outcome.messages == Commands{help_text()}, "help box");
        check(outcome.desktop_calls.empty(), "nothing delivered with the help");
    } else {
        Commands delivered = expected.commands;
        if (expected.new_window) {
            delivered.push_back("menucommand:101");
            delivered.push_back("menucommand:105");
        }
        check(outcome.exit_code == 0 && outcome.messages.empty(), "delivery ends with 0");
        check(outcome.delivered == delivered, "the walk's commands are delivered whole");
    }
    return 0;
}
