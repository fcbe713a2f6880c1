#include "options.h"

#include <string>
#include <string_view>

#include "director/commands.h"
#include "editor_path.h"
#include "file_arguments.h"
#include "stdin_capture.h"

namespace vantrelpad {

namespace {

enum class Option { help, line, find, insert, new_buffer, stdin_buffer, raw, editor, none };

struct OptionName {
    std::string_view name;
    Option option;
};

// In the order in which an argument is compared with them.
constexpr OptionName kOptions[] = {
    {"--help", Option::help},     {"-h", Option::help},   {"-l", Option::line},
    {"-f", Option::find},         {"-i", Option::insert}, {"-n", Option::new_buffer},
    {"-s", Option::stdin_buffer}, {"-c", Option::raw},    {"-d", Option::editor},
};

Option match_option(const std::string& argument) {
    for (const OptionName& entry : kOptions) {
        if (argument == entry.name) {
            return entry.option;
        }
    }
    return Option::none;
}

bool takes_value(Option option) {
    return option == Option::line || option == Option::find || option == Option::insert ||
           option == Option::raw || option == Option::editor;
}

void apply_value(Option option, const std::string& value, RunState& state, PathStyle style) {
    switch (option) {
        case Option::line:
            state.commands.append(std::string(kGotoPrefix) + value);
            break;
        case Option::find:
            state.commands.append(std::string(kFindPrefix) + value);
            break;
        case Option::insert:
            state.commands.append(std::string(kInsertPrefix) + escape_director_text(value));
            break;
        case Option::raw:
            state.commands.append(value);
            break;
        case Option::editor:
            state.editor_path = editor_path_from_option(value, style);
            break;
        default:
            break;
    }
}

}  // namespace

DispatchResult dispatch_argument(const ArgumentVector& arguments, std::size_t index,
                                 RunState& state, Runtime& runtime) {
    const Argument& argument = arguments[index];
    const Option option = match_option(argument.utf8);
    if (option == Option::help) {
        return {Dispatch::help_requested, index};
    }
    if (takes_value(option)) {
        if (index + 1 >= arguments.size()) {
            return {Dispatch::missing_value, index};
        }
        apply_value(option, arguments[index + 1].ansi, state, runtime.path_style());
        return {Dispatch::next, index + 2};
    }
    switch (option) {
        case Option::new_buffer:
            state.commands.append(kNewBufferCommand);
            state.new_window = false;
            break;
        case Option::stdin_buffer:
            state.commands.append(kNewBufferCommand);
            state.new_window = false;
            capture_stdin(state.commands, runtime);
            break;
        default:
            state.commands.append(make_open_command(argument.utf8, runtime));
    }
    return {Dispatch::next, index + 1};
}

}  // namespace vantrelpad
