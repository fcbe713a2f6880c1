"""Runs Vantrelpad.exe under wine with the given arguments, with the stand-in
editor installed beside it as scite.exe, and prints what the editor received,
the message boxes shown and the exit code. Piped standard input is passed on.

    python3 tests/e2e/try_vantrelpad.py --build-dir build/windows -- notes.txt -l 12
"""

import argparse
import os
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))
from wine_session import Standin, WineSession, windows_path  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("arguments", nargs="*")
    options = parser.parse_args()

    session = WineSession(options.build_dir).open()
    try:
        home = session.work / "Tools"
        home.mkdir()
        shutil.copy(session.build / "Vantrelpad.exe", home / "Vantrelpad.exe")
        shutil.copy(session.build / "standin_editor.exe", home / "scite.exe")
        editor = Standin(session, "scite")
        piped = None
        if not sys.stdin.isatty():
            piped = session.work / "stdin"
            piped.write_bytes(sys.stdin.buffer.read())
        program = windows_path(home / "Vantrelpad.exe")
        command_line = subprocess.list2cmdline([program] + options.arguments)
        outcome = session.run(command_line, cwd=Path(os.getcwd()), stdin=piped,
                              program=home / "Vantrelpad.exe", environment=editor.environment)
        for command in editor.commands():
            print(f"editor received ({command.cb_data} bytes): {command.data!r}")
        for box in outcome.boxes:
            print(f"message box {box.caption.decode()!r}:\n{box.text.decode('cp1252')}")
        code = outcome.exit_code - (1 << 32) if outcome.exit_code >= 1 << 31 else outcome.exit_code
        print(f"exit code: {code}")
    finally:
        session.close()


if __name__ == "__main__":
    main()
