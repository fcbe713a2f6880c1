"""End-to-end tests of Vantrelpad.exe under wine: the real program, a
stand-in editor that logs every command it receives, and a harness that reads
the message boxes a user would see."""

import argparse
import random
import re
import shutil
import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))
from wine_session import Standin, WineSession, windows_path  # noqa: E402

sys.path.insert(0, str(Path(__file__).parent.parent))
from expected_texts import help_text  # noqa: E402

SESSION = None
EXIT_FAILURE = 0xFFFFFFFF  # -1 as a Windows parent sees it
CAPTION = b"Vantrelpad"
NEW = b"menucommand:101"
PAIR = b"menucommand:105"


def open_command(path):
    """The open: command of a Linux path as the editor should receive it."""
    return ("open:" + windows_path(path).replace("\\", "/")).encode("utf-8")


class Case(unittest.TestCase):
    def setUp(self):
        self.session = SESSION
        self.dir = self.session.work / self.id().rsplit(".", 1)[-1]
        self.dir.mkdir()

    def tearDown(self):
        self.session.stop_standins()

    def assertNoBox(self, outcome):
        self.assertEqual([box.text for box in outcome.boxes], [])

    def assertOneBox(self, outcome, text):
        self.assertEqual(len(outcome.boxes), 1, outcome.boxes)
        box = outcome.boxes[0]
        self.assertEqual(box.caption, CAPTION)
        self.assertEqual(box.text, text)
        self.assertEqual(box.buttons, ["OK"])
        self.assertTrue(box.icon)
        return box


class RunningEditor(Case):
    def test_commonest_road_one_file(self):
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe notes.txt", cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertNoBox(outcome)
        commands = editor.commands()
        self.assertEqual([c.data for c in commands],
                         [open_command(self.dir / "notes.txt"), NEW, PAIR])
        self.assertEqual([(c.dw_data, c.cb_data) for c in commands],
                         [(0, len(c.data)) for c in commands])
        # The editor answers from a hidden window; its visible frame is in
        # front by the time the first command arrives.
        self.assertTrue(commands[0].in_front)
        self.assertEqual(len(editor.starts()), 1, "no second editor was started")

    def test_options_in_order_with_their_bytes(self):
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run(
            'Vantrelpad.exe -l 12 a.txt -f "x\\y" -i "p\\q" -c "" -n', cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        commands = editor.commands()
        self.assertEqual([c.data for c in commands],
                         [b"goto:12", open_command(self.dir / "a.txt"), b"find:x\\y",
                          b"insert:p\\\\q", b"", NEW])
        self.assertEqual(commands[4].cb_data, 0)

    def test_two_editors_the_higher_one_gets_everything(self):
        lower = Standin(self.session, "lower").start()
        higher = Standin(self.session, "higher").start()  # started last: on top
        outcome = self.session.run("Vantrelpad.exe a b", cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(higher.received(),
                         [open_command(self.dir / "a"), open_command(self.dir / "b"), NEW, PAIR])
        self.assertEqual(lower.received(), [])

    def test_a_busy_window_costs_the_probe_a_second(self):
        editor = Standin(self.session, "editor").start()
        Standin(self.session, "busy", role="busy", busy_ms=3000).start()
        outcome = self.session.run("Vantrelpad.exe f", cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertGreaterEqual(outcome.ms, 1000)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_a_window_answering_zero_is_not_the_editor(self):
        editor = Standin(self.session, "editor").start()
        Standin(self.session, "silent", role="silent").start()
        self.session.run("Vantrelpad.exe f", cwd=self.dir)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_editor_that_closes_after_its_first_command(self):
        editor = Standin(self.session, "editor", close_after=1).start()
        outcome = self.session.run("Vantrelpad.exe a b c", cwd=self.dir)
        self.assertEqual(editor.received(), [open_command(self.dir / "a")])
        self.assertOneBox(outcome, b"Couldn't send to scite")
        self.assertEqual(outcome.exit_code, EXIT_FAILURE)


class Launch(Case):
    def test_dash_d_names_the_editor_file(self):
        editor = Standin(self.session, "launched")
        standin = windows_path(self.session.build / "standin_editor.exe")
        outcome = self.session.run(f'Vantrelpad.exe -d "{standin}" f', cwd=self.dir,
                                   environment=editor.environment)
        self.assertEqual(outcome.exit_code, 0)
        self.assertNoBox(outcome)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])
        # Started with no arguments, in c:\ whatever the caller's directory.
        self.assertEqual(editor.starts(), [(f'"{standin}"', "c:\\")])

    def test_dash_d_directory_ending_in_a_backslash(self):
        shutil.copy(self.session.build / "standin_editor.exe", self.dir / "scite.exe")
        editor = Standin(self.session, "launched")
        outcome = self.session.run(f'Vantrelpad.exe -d {windows_path(self.dir)}\\ f',
                                   cwd=self.dir, environment=editor.environment)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_default_editor_beside_the_program_quoted_with_blanks(self):
        home = self.dir / "Program Files" / "Tools"
        home.mkdir(parents=True)
        shutil.copy(self.session.build / "Vantrelpad.exe", home / "Vantrelpad.exe")
        shutil.copy(self.session.build / "standin_editor.exe", home / "scite.exe")
        editor = Standin(self.session, "launched")
        program = windows_path(home / "Vantrelpad.exe")
        outcome = self.session.run(f'"{program}" f', cwd=self.dir, program=home / "Vantrelpad.exe",
                                   environment=editor.environment)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_bare_program_name_uses_the_programs_own_directory(self):
        home = self.dir / "bin"
        home.mkdir()
        shutil.copy(self.session.build / "Vantrelpad.exe", home / "Vantrelpad.exe")
        shutil.copy(self.session.build / "standin_editor.exe", home / "scite.exe")
        editor = Standin(self.session, "launched")
        outcome = self.session.run("Vantrelpad f", cwd=self.dir, program=home / "Vantrelpad.exe",
                                   environment=editor.environment)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_editor_coming_up_within_the_wait(self):
        editor = Standin(self.session, "slow", delay_ms=2500)
        standin = windows_path(self.session.build / "standin_editor.exe")
        outcome = self.session.run(f"Vantrelpad.exe -d {standin} f", cwd=self.dir,
                                   environment=editor.environment)
        self.assertEqual(outcome.exit_code, 0)
        self.assertNoBox(outcome)
        self.assertGreaterEqual(outcome.ms, 2500)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_wait_running_out(self):
        missing = windows_path(self.dir / "nowhere" / "scite.exe")
        outcome = self.session.run(f"Vantrelpad.exe -d {missing} f", cwd=self.dir)
        box = self.assertOneBox(outcome, b"Couldn't start scite\n  => " + missing.encode())
        self.assertGreaterEqual(box.ms, 5000)
        self.assertEqual(outcome.exit_code, EXIT_FAILURE)


class Arguments(Case):
    def test_wildcards_expanded_and_sorted_without_regard_to_case(self):
        for name in ["b.TXT", "A.txt", "café.txt", "abc", "aXc", "other.dat"]:
            (self.dir / name).touch()
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run('Vantrelpad.exe *.txt -f a?c "*.zzz"', cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(),
                         [open_command(self.dir / "A.txt"), open_command(self.dir / "b.TXT"),
                          open_command(self.dir / "café.txt"), b"find:abc",
                          open_command(self.dir / "aXc"), open_command(self.dir / "*.zzz"),
                          NEW, PAIR])

    def test_file_paths_in_utf8_option_values_in_the_code_page(self):
        place = self.dir / "dé"
        place.mkdir()
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe café.txt -f café Ωmega", cwd=place)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(),
                         [open_command(place / "café.txt"), b"find:caf\xe9",
                          open_command(place / "Ωmega"), NEW, PAIR])

    def test_help_box(self):
        for command_line in ["Vantrelpad.exe", "Vantrelpad.exe a -h", "Vantrelpad.exe --help -l"]:
            outcome = self.session.run(command_line, cwd=self.dir)
            self.assertOneBox(outcome, help_text())
            self.assertEqual(outcome.exit_code, 0)

    def test_argument_error_box(self):
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe a.txt -l", cwd=self.dir)
        self.assertOneBox(outcome, b"Error in arguments." + help_text())
        self.assertEqual(outcome.exit_code, 1)
        self.assertEqual(editor.received(), [])


class StandardInput(Case):
    def test_piped_bytes_reach_the_editor(self):
        piped = self.dir / "input"
        piped.write_bytes(b"one\r\ntwo\\x\n\x1a after\x00 nul\ra\rb\n" + b"z" * 450)
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe -s", cwd=self.dir, stdin=piped)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(),
                         [NEW, b"insert:one\\n", b"insert:two\\\\x\\n",
                          b"insert:\x1a after nul\\ra\\rb\\n", b"insert:" + b"z" * 199,
                          b"insert:" + b"z" * 199, b"insert:" + b"z" * 52])

    def test_no_standard_input_gives_only_the_new_buffer(self):
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe -s", cwd=self.dir, no_stdin=True)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(), [NEW])


def unescape(payload):
    """The editor's side of the escape."""
    return re.sub(rb"\\(.)", lambda m: {b"\\": b"\\", b"n": b"\n", b"r": b"\r"}[m.group(1)],
                  payload, flags=re.S)


def escape(text):
    return text.replace(b"\\", b"\\\\").replace(b"\n", b"\\n").replace(b"\r", b"\\r")


def code_page_text(data):
    """The characters whose code-page bytes (1252) are data; the five bytes
    that the code page leaves undefined map to the control characters of the
    same number, as Windows maps them back."""
    return "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data)


class HostileInput(Case):
    def test_editor_closing_in_the_middle_of_a_long_delivery(self):
        piped = self.dir / "input"
        piped.write_bytes(b"".join(b"line %d\n" % i for i in range(2000)))
        editor = Standin(self.session, "editor", close_after=500).start()
        outcome = self.session.run("Vantrelpad.exe -s", cwd=self.dir, stdin=piped)
        received = editor.received()
        self.assertEqual(received, [NEW] + [b"insert:line %d\\n" % i for i in range(499)])
        self.assertOneBox(outcome, b"Couldn't send to scite")
        self.assertEqual(outcome.exit_code, EXIT_FAILURE)

    def test_editor_that_stops_answering_after_the_probe(self):
        editor = Standin(self.session, "editor", role="hang", busy_ms=45000).start()
        outcome = self.session.run("Vantrelpad.exe f", cwd=self.dir)
        box = self.assertOneBox(outcome, b"Couldn't send to scite")
        self.assertGreaterEqual(box.ms, 30000)  # the bound on one send
        self.assertEqual(outcome.exit_code, EXIT_FAILURE)
        self.assertEqual(editor.received(), [])

    def test_fifty_silent_windows_in_front_of_the_editor(self):
        editor = Standin(self.session, "editor").start()
        Standin(self.session, "silent", role="silent", extra_windows=50).start()
        outcome = self.session.run("Vantrelpad.exe f", cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(), [open_command(self.dir / "f"), NEW, PAIR])

    def test_64_mib_of_any_bytes_piped_arrive_whole_and_in_order(self):
        data = random.Random(20261211).randbytes(64 << 20)
        piped = self.dir / "input"
        piped.write_bytes(data)
        editor = Standin(self.session, "editor").start()
        outcome = self.session.run("Vantrelpad.exe -s", cwd=self.dir, stdin=piped)
        self.assertNoBox(outcome)
        self.assertEqual(outcome.exit_code, 0)
        received = editor.received()
        self.assertEqual(received[0], NEW)
        pieces = []
        for command in received[1:]:
            self.assertTrue(command.startswith(b"insert:"))
            payload = command[7:]
            self.assertNotIn(b"\n", payload)
            self.assertNotIn(b"\r", payload)
            piece = unescape(payload)
            self.assertLessEqual(len(piece), 199)
            pieces.append(piece)
        self.assertEqual(b"".join(pieces), data.replace(b"\0", b"").replace(b"\r\n", b"\n"))

    def test_arguments_with_every_byte_value(self):
        data = bytes(range(1, 256))
        text = code_page_text(data)
        editor = Standin(self.session, "editor").start()
        command_line = subprocess.list2cmdline(["Vantrelpad.exe", "-f", text, "-i", text, text])
        outcome = self.session.run(command_line, cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(),
                         [b"find:" + data, b"insert:" + escape(data),
                          b"open:" + text.encode("utf-8").replace(b"\\", b"/"), NEW, PAIR])

    def test_a_thousand_file_arguments(self):
        editor = Standin(self.session, "editor").start()
        names = [f"file{i}.txt" for i in range(1000)]
        outcome = self.session.run("Vantrelpad.exe " + " ".join(names), cwd=self.dir)
        self.assertEqual(outcome.exit_code, 0)
        self.assertEqual(editor.received(),
                         [open_command(self.dir / name) for name in names] + [NEW, PAIR])


class Executable(Case):
    ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "shell32.dll", "msvcrt.dll", "advapi32.dll",
                    "gdi32.dll", "ole32.dll"}

    def test_32_bit_gui_program_importing_only_system_dlls(self):
        dump = subprocess.run(["i686-w64-mingw32-objdump", "-p",
                               str(self.session.build / "Vantrelpad.exe")],
                              capture_output=True, text=True, check=True).stdout
        self.assertIn("Magic\t\t\t010b\t(PE32)", dump)
        self.assertIn("(Windows GUI)", dump)
        dlls = {line.split(":", 1)[1].strip().lower()
                for line in dump.splitlines() if "DLL Name:" in line}
        self.assertTrue(dlls and dlls <= self.ALLOWED_DLLS, dlls)

    def test_version_resource_and_nothing_else(self):
        text = self.session.wine([str(self.session.build / "harness.exe"), "version",
                                  windows_path(self.session.build / "Vantrelpad.exe")])
        self.assertEqual(text.splitlines(), [
            "type 16",
            "version-language 0x0c0a",
            "file-version 1.0.0.1",
            "product-version 1.0.0.1",
            "translation 0x0c0a 1200",
            "string FileDescription=[Vantrelpad Application]",
            "string FileVersion=[1, 0, 0, 1]",
            "string InternalName=[Vantrelpad]",
            "string OriginalFilename=[Vantrelpad.exe]",
            "string ProductName=[ Vantrelpad Application]",
            "string ProductVersion=[1, 0, 0, 1]",
        ])


def main():
    global SESSION
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    options, rest = parser.parse_known_args()
    SESSION = WineSession(options.build_dir).open()
    try:
        program = unittest.main(argv=[sys.argv[0], "-v"] + rest, exit=False)
    finally:
        SESSION.close()
    sys.exit(0 if program.result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
