#include "director/editor_link.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop.h"
#include "fakes/fake_runtime.h"

namespace vantrelpad {
namespace {

using namespace vantrelpad::testing;
using Strings = std::vector<std::string>;

const std::string kRegister = "register SciTEDirectorInterface";

std::string probe(Window window) { return "probe " + std::to_string(window) + " 49443 1000"; }
std::string send(Window window, const std::string& command) {
    return "send " + std::to_string(window) + " 30000 " + command;
}

FakeWindow window(Window id, bool answers, std::uint32_t process = 1, bool visible = true) {
    FakeWindow w{id};
    w.answers = answers;
    w.process = process;
    w.visible = visible;
    return w;
}

CommandList list_of(const Strings& commands) {
    CommandList list;
    for (const std::string& command : commands) list.append(command);
    return list;
}

struct LinkOutcome {
    int exit_code;
    Strings messages;
};

LinkOutcome deliver(FakeDesktop& desktop, const Strings& commands,
                    const std::string& path = "C:\\Tools\\scite.exe") {
    FakeRuntime runtime;
    const int code = deliver_commands(list_of(commands), path, desktop, runtime);
    return {code, runtime.messages};
}

// The calls of one probe that walks the given windows.
Strings probe_calls(std::initializer_list<Window> walked) {
    Strings calls{kRegister};
    for (const Window w : walked) calls.push_back(probe(w));
    return calls;
}

void add(Strings& calls, const Strings& more) {
    calls.insert(calls.end(), more.begin(), more.end());
}

TEST(FindEditorWindow, WalksFromTheTopAndStopsAtTheFirstAnswer) {
    FakeDesktop desktop;
    FakeWindow replies_other{2};
    replies_other.reply = 0xC124;  // an answer, but not the probe message
    desktop.windows = {window(1, false), replies_other, window(3, true), window(4, true)};
    EXPECT_EQ(find_editor_window(desktop), Window{3});
    EXPECT_EQ(desktop.calls, probe_calls({1, 2, 3}));
}

TEST(FindEditorWindow, NoAnswerNoWindowAndAFailedRegistrationNeverMatchesZero) {
    FakeDesktop desktop;
    desktop.windows = {window(1, false), window(2, false)};
    EXPECT_EQ(find_editor_window(desktop), kNoWindow);
    EXPECT_EQ(desktop.calls, probe_calls({1, 2}));

    FakeDesktop unregistered;
    unregistered.probe_message = 0;
    unregistered.windows = {window(1, false)};  // replies 0
    EXPECT_EQ(find_editor_window(unregistered), kNoWindow);
    EXPECT_EQ(unregistered.calls, Strings{kRegister});
}

TEST(DeliverCommands, RunningEditorGetsEveryCommandInOrderWithoutLaunchOrSleep) {
    FakeDesktop desktop;
    desktop.windows = {window(1, false, 9), window(5, true), window(6, true)};
    const LinkOutcome outcome = deliver(desktop, {"open:C:/a", "", "menucommand:101"});
    Strings expected = probe_calls({1, 5});
    add(expected, {"foreground 5", send(5, "open:C:/a"), send(5, ""), send(5, "menucommand:101")});
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(DeliverCommands, StartedEditorIsPolledSleepFirstAndTheLastPollCounts) {
    for (const int poll : {1, 37, 100}) {
        FakeDesktop desktop;
        desktop.windows = {window(1, false)};
        desktop.launch_brings_window = true;
        desktop.launched_window = window(8, true);
        desktop.launched_window_after_sleeps = poll;
        const LinkOutcome outcome = deliver(desktop, {"open:C:/a"});

        Strings expected = probe_calls({1});
        expected.push_back("launch C:\\Tools\\scite.exe");
        for (int i = 1; i < poll; ++i) {
            expected.push_back("sleep 50");
            add(expected, probe_calls({1}));
        }
        expected.push_back("sleep 50");
        add(expected, probe_calls({8}));
        add(expected, {"foreground 8", send(8, "open:C:/a")});
        EXPECT_EQ(desktop.calls, expected) << "window on poll " << poll;
        EXPECT_EQ(outcome.exit_code, 0);
        EXPECT_TRUE(outcome.messages.empty());
    }
}

TEST(DeliverCommands, WaitRunsOutAfterAHundredPollsAndNothingIsSent) {
    FakeDesktop desktop;
    desktop.launch_brings_window = true;  // but only after the wait
    desktop.launched_window = window(8, true);
    desktop.launched_window_after_sleeps = 101;
    const LinkOutcome outcome = deliver(desktop, {"open:C:/a"}, "D:\\no\\scite.exe");

    Strings expected = probe_calls({});
    expected.push_back("launch D:\\no\\scite.exe");
    for (int i = 0; i < 100; ++i) {
        expected.push_back("sleep 50");
        add(expected, probe_calls({}));
    }
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(outcome.messages, Strings{"Couldn't start scite\n  => D:\\no\\scite.exe"});
    EXPECT_EQ(outcome.exit_code, -1);
}

TEST(DeliverCommands, HiddenAnsweringWindowBringsItsProcessFrameToTheFront) {
    FakeDesktop desktop;
    FakeWindow owned_dialog = window(3, false, 4);
    owned_dialog.owned = true;
    desktop.windows = {window(1, false, 2),       window(2, false, 4, false), owned_dialog,
                       window(5, true, 4, false), window(6, false, 4),        window(7, false, 4)};
    deliver(desktop, {"x"});
    Strings expected = probe_calls({1, 2, 3, 5});
    add(expected, {"foreground 5", "foreground 6", send(5, "x")});
    EXPECT_EQ(desktop.calls, expected);
}

TEST(DeliverCommands, HiddenWindowWithoutAFrameIsOnlyPutInFront) {
    FakeDesktop desktop;
    desktop.windows = {window(1, false, 2), window(5, true, 4, false)};
    deliver(desktop, {"x"});
    Strings expected = probe_calls({1, 5});
    add(expected, {"foreground 5", send(5, "x")});
    EXPECT_EQ(desktop.calls, expected);
}

TEST(DeliverCommands, FailedSendStopsTheDeliveryWithAMessage) {
    FakeDesktop desktop;
    FakeWindow closing = window(5, true);
    closing.fails_from_command = 1;
    desktop.windows = {closing};
    const LinkOutcome outcome = deliver(desktop, {"a", "b", "c"});
    Strings expected = probe_calls({5});
    add(expected, {"foreground 5", send(5, "a"), send(5, "b")});
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(desktop.received_commands(), Strings{"a"});
    EXPECT_EQ(outcome.messages, Strings{"Couldn't send to scite"});
    EXPECT_EQ(outcome.exit_code, -1);
}

}  // namespace
}  // namespace vantrelpad
