"""End-to-end tests of the Linux vantrelpad against the real SciTE on a
virtual display: the bytes are proved by having the editor save what it
received and comparing the file."""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent.parent))
from expected_texts import help_text  # noqa: E402
from virtual_display import start_display  # noqa: E402

PROGRAM = None
# How long the editor may take to act on what it was sent.
EDITOR_TIMEOUT_S = 120


class EditorCase(unittest.TestCase):
    """Each case has a temporary directory of its own for the editor's pipe,
    its settings and the files it saves."""

    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="vantrelpad-scite-"))
        self.tmp = self.dir / "tmp"
        self.tmp.mkdir()
        self.env = dict(os.environ, TMPDIR=str(self.tmp), HOME=str(self.dir), DISPLAY=DISPLAY)

    def tearDown(self):
        if getattr(self, "editor", None):
            self.editor.terminate()
            self.editor.wait(timeout=30)
        for pipe in self.tmp.glob("SciTE.*.in"):
            try:
                os.kill(int(pipe.name.split(".")[1]), signal.SIGTERM)
            except (ProcessLookupError, ValueError):
                pass
        shutil.rmtree(self.dir, ignore_errors=True)

    def start_editor(self):
        self.editor = subprocess.Popen(["scite"], env=self.env, cwd=self.dir, stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True)
        self.wait_for_pipe()

    def wait_for_pipe(self):
        deadline = time.monotonic() + EDITOR_TIMEOUT_S
        while time.monotonic() < deadline:
            for pipe in self.tmp.glob("SciTE.*.in"):
                try:
                    os.close(os.open(pipe, os.O_WRONLY | os.O_NONBLOCK))
                    return
                except OSError:
                    pass
            time.sleep(0.05)
        raise AssertionError("the editor's pipe did not come up")

    def vantrelpad(self, *arguments, stdin=b"", cwd=None):
        return subprocess.run([PROGRAM] + list(arguments), input=stdin, env=self.env,
                              cwd=cwd or self.dir, capture_output=True, timeout=600)

    def saved(self, path, size):
        """The file the editor saved, once it has its full size."""
        deadline = time.monotonic() + EDITOR_TIMEOUT_S
        while time.monotonic() < deadline:
            if path.exists() and path.stat().st_size >= size:
                time.sleep(0.2)
                return path.read_bytes()
            time.sleep(0.1)
        return path.read_bytes() if path.exists() else None


class RunningEditor(EditorCase):
    def test_piped_10_mib_arrive_byte_for_byte(self):
        generator = random.Random(20261211)
        # Any bytes, among them bytes that are not UTF-8, and UTF-8
        # characters, many of which straddle the 199-byte pieces.
        chunks, size = [], 0
        while size < 10 << 20:
            chunks.append(generator.randbytes(generator.randrange(1, 300)))
            chunks.append("é€😀\r\n\\ \t".encode() * generator.randrange(1, 5))
            size += len(chunks[-1]) + len(chunks[-2])
        data = b"".join(chunks)
        expected = data.replace(b"\0", b"").replace(b"\r\n", b"\n")
        self.start_editor()
        out = self.dir / "piped.bin"
        result = self.vantrelpad("-s", "-c", f"saveas:{out}", stdin=data)
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertEqual(self.saved(out, len(expected)), expected)

    def test_open_go_to_a_line_and_find_place_the_caret(self):
        document = self.dir / "doc.txt"
        document.write_bytes(b"line1\nline2\nline3 needle here\nline4\n")
        out = self.dir / "doc_out.txt"
        self.start_editor()
        # An insert lands at the caret, and replaces what find selected.
        result = self.vantrelpad("doc.txt", "-l", "2", "-i", "MARK", "-f", "needle", "-i", "X",
                                 "-c", f"saveas:{out}")
        self.assertEqual(result.returncode, 0)
        expected = b"line1\nMARKline2\nline3 X here\nline4\n"
        self.assertEqual(self.saved(out, len(expected)), expected)

    def test_file_names_with_odd_bytes_open_as_themselves(self):
        name = "we\\ird é\x01.txt"
        (self.dir / name).write_bytes(b"contents\n")
        out = self.dir / "copy.txt"
        self.start_editor()
        result = self.vantrelpad(name, "-c", f"saveas:{out}")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(self.saved(out, 9), b"contents\n")


class Launch(EditorCase):
    def test_starts_the_editor_from_the_path_and_delivers(self):
        out = self.dir / "launched.txt"
        result = self.vantrelpad("-s", "-c", f"saveas:{out}", stdin=b"from a pipe\n")
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertEqual(self.saved(out, 12), b"from a pipe\n")

    def test_no_editor_within_the_wait(self):
        started = time.monotonic()
        result = self.vantrelpad("-d", "/nowhere/", "f")
        self.assertGreaterEqual(time.monotonic() - started, 5)
        self.assertEqual(result.returncode, 255)
        self.assertEqual(result.stderr, b"Couldn't start scite\n  => /nowhere/scite\n")
        self.assertEqual(result.stdout, b"")


class Messages(EditorCase):
    def test_help_on_standard_output_and_errors_on_standard_error(self):
        result = self.vantrelpad()
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, help_text(), b""))
        result = self.vantrelpad("f", "-l")
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        self.assertEqual(result.stderr, b"Error in arguments." + help_text())


def main():
    global PROGRAM, DISPLAY
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    options, rest = parser.parse_known_args()
    PROGRAM = str(Path(options.program).resolve())
    display, DISPLAY = start_display()
    try:
        program = unittest.main(argv=[sys.argv[0], "-v"] + rest, exit=False)
    finally:
        display.terminate()
        display.wait(timeout=10)
    sys.exit(0 if program.result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
