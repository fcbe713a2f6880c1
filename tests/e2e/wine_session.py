"""A wine session for the end-to-end tests: a virtual display, a fresh wine
prefix with a persistent wine server, and ways to run Vantrelpad.exe through
the harness and to start stand-in editors."""

import os
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent.parent))
from virtual_display import start_display  # noqa: E402

# A new prefix takes about 20 s; the tests share one per run.
PREFIX_TIMEOUT_S = 180
# A stand-in that has not put its windows up by then has failed to start.
STANDIN_READY_TIMEOUT_S = 30
# How long a stopped stand-in may take to write its last log line.
STANDIN_EXIT_TIMEOUT_S = 10


def windows_path(path):
    """The path as wine's Z: drive shows a Linux path."""
    return "Z:" + str(path).replace("/", "\\")


def hex_utf8(text):
    return text.encode("utf-8").hex()


@dataclass
class Box:
    ms: int
    caption: bytes
    text: bytes
    buttons: list
    icon: bool


@dataclass
class Outcome:
    exit_code: int  # as the parent sees it, so -1 is 0xFFFFFFFF
    ms: int
    us: float
    boxes: list = field(default_factory=list)


@dataclass
class Command:
    dw_data: int
    cb_data: int
    in_front: bool
    data: bytes


class Standin:
    """A stand-in editor, started by a test or by Vantrelpad; it reads its
    settings from the environment it is started with."""

    def __init__(self, session, name, role="editor", delay_ms=0, busy_ms=0,
                 close_after=None, extra_windows=0):
        self.session = session
        self.log = session.work / f"{name}.log"
        self.ready = session.work / f"{name}.ready"
        self.stop_file = session.work / f"{name}.stop"
        for path in (self.log, self.ready, self.stop_file):
            if path.exists():
                path.unlink()
        self.environment = {
            "STANDIN_LOG": windows_path(self.log),
            "STANDIN_READY": windows_path(self.ready),
            "STANDIN_STOP": windows_path(self.stop_file),
            "STANDIN_ROLE": role,
            "STANDIN_DELAY_MS": str(delay_ms),
            "STANDIN_BUSY_MS": str(busy_ms),
            "STANDIN_EXTRA_WINDOWS": str(extra_windows),
        }
        if close_after is not None:
            self.environment["STANDIN_CLOSE_AFTER"] = str(close_after)
        session.standins.append(self)

    def start(self):
        """Starts it from the test and waits until its windows are up."""
        self.session.spawn([str(self.session.build / "standin_editor.exe")],
                           self.environment)
        self.wait_ready()
        return self

    def wait_ready(self, timeout_s=STANDIN_READY_TIMEOUT_S):
        deadline = time.monotonic() + timeout_s
        while not self.ready.exists():
            if time.monotonic() > deadline:
                raise AssertionError(f"stand-in {self.log.name} did not come up")
            time.sleep(0.02)

    def lines(self):
        return self.log.read_text().splitlines() if self.log.exists() else []

    def starts(self):
        """The command line and working directory of each start."""
        result = []
        for line in self.lines():
            if line.startswith("start "):
                fields = dict(part.split("=", 1) for part in line.split()[1:])
                result.append((bytes.fromhex(fields["cmdline"]).decode("utf-8"),
                               bytes.fromhex(fields["cwd"]).decode("utf-8")))
        return result

    def commands(self):
        result = []
        for line in self.lines():
            if line.startswith("copydata "):
                fields = dict(part.split("=", 1) for part in line.split()[1:])
                result.append(Command(int(fields["dwData"]), int(fields["cbData"]),
                                      fields["foreground"] == "1",
                                      bytes.fromhex(fields["bytes"])))
        return result

    def received(self):
        return [command.data for command in self.commands()]

    def stop(self):
        if not self.ready.exists() and not self.log.exists():
            return
        self.stop_file.touch()
        deadline = time.monotonic() + STANDIN_EXIT_TIMEOUT_S
        while self.log.exists() and "exit" not in self.lines():
            if time.monotonic() > deadline:
                break
            time.sleep(0.02)


class WineSession:
    def __init__(self, build_dir):
        self.build = Path(build_dir).resolve()
        self.root = self.build / "e2e"
        self.work = self.root / "work"
        self.standins = []
        self.spawned = []
        self.display_process = None

    # -- set-up and tear-down -------------------------------------------------

    def open(self):
        if self.root.exists():
            shutil.rmtree(self.root)
        self.work.mkdir(parents=True)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(self.root),
            "LANG": "C.UTF-8",
            "WINEPREFIX": str(self.root / "prefix"),
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "WINEDEBUG": "-all",
            "DISPLAY": self.open_display(),
        }
        # A persistent server stays up between the programs of the run.
        (self.root / "prefix").mkdir()
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)
        subprocess.run(["wineboot", "-i"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=PREFIX_TIMEOUT_S)
        return self

    def open_display(self):
        self.display_process, display = start_display()
        return display

    def close(self):
        self.stop_standins()
        subprocess.run(["wineserver", "-k"], env=self.env)
        for process in self.spawned:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        if self.display_process:
            self.display_process.send_signal(signal.SIGTERM)
            self.display_process.wait(timeout=10)

    def stop_standins(self):
        for standin in self.standins:
            standin.stop()
        self.standins = []

    # -- running things -------------------------------------------------------

    def spawn(self, command, environment=None):
        env = dict(self.env, **(environment or {}))
        process = subprocess.Popen(["wine"] + command, env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.spawned.append(process)
        return process

    def wine(self, command, environment=None, timeout=600):
        """Runs a console program to its end and gives back its output."""
        env = dict(self.env, **(environment or {}))
        out = self.root / "wine.out"
        with open(out, "wb") as output:
            # Output goes to a file: whatever the program starts inherits its
            # handles, so nothing may wait for them to close.
            subprocess.run(["wine"] + command, env=env, stdin=subprocess.DEVNULL,
                           stdout=output, stderr=subprocess.DEVNULL, timeout=timeout, check=True)
        return out.read_text()

    def run(self, command_line, cwd=None, stdin=None, no_stdin=False, program=None,
            environment=None):
        """Runs Vantrelpad with an exact command line, answers its message
        boxes and gives back what a user would have seen."""
        program = program or self.build / "Vantrelpad.exe"
        options = []
        if stdin is not None:
            options += ["--stdin", hex_utf8(windows_path(stdin))]
        if no_stdin:
            options += ["--no-stdin"]
        options += ["--cwd", hex_utf8(windows_path(cwd or self.work))]
        text = self.wine([str(self.build / "harness.exe"), "run"] + options +
                         [hex_utf8(windows_path(program)), hex_utf8(command_line)],
                         environment)
        outcome = None
        boxes = []
        for line in text.splitlines():
            kind, _, rest = line.partition(" ")
            fields = dict(part.split("=", 1) for part in rest.split())
            if kind == "box":
                boxes.append(Box(int(fields["ms"]), bytes.fromhex(fields["caption"]),
                                 bytes.fromhex(fields["text"]),
                                 bytes.fromhex(fields["buttons"]).decode().split("|"),
                                 fields["icon"] == "1"))
            elif kind == "exit":
                outcome = Outcome(int(fields["code"], 16), int(fields["ms"]), float(fields["us"]))
            elif kind == "hung":
                raise AssertionError("Vantrelpad did not end: " + line)
        if outcome is None:
            raise AssertionError("the harness reported no exit: " + text)
        outcome.boxes = boxes
        return outcome
