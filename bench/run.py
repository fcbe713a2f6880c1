"""Runs every benchmark beside its floor, in one run, and prints the table:
figure, floor, ratio, goal. Only ratios taken side by side count; the
machine is noisy.

    python3 bench/run.py [--smoke]

--smoke uses tiny sizes: it only proves that everything still builds and runs.
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from wine_session import Standin, WineSession, windows_path  # noqa: E402

HOST = ROOT / "build" / "host"
WINDOWS = ROOT / "build" / "windows"


class Table:
    def __init__(self):
        self.rows = []

    def add(self, figure, value, floor, unit, goal=None):
        ratio = value / floor if floor else float("nan")
        verdict = "" if goal is None else ("met" if ratio <= goal else "MISSED")
        self.rows.append((figure, f"{value:.3g} {unit}", f"{floor:.3g} {unit}", f"{ratio:.2f}",
                          "" if goal is None else f"<= {goal}", verdict))

    def note(self, figure, value):
        self.rows.append((figure, value, "", "", "", ""))

    def print(self):
        print("| Figure | Value | Floor | Ratio | Goal | |")
        print("|---|---|---|---|---|---|")
        for row in self.rows:
            print("| " + " | ".join(row) + " |")


def host_benchmarks(table, smoke):
    env = dict(os.environ, VANTRELPAD_BENCH_MIB="1" if smoke else "64",
               VANTRELPAD_BENCH_ARGS="100" if smoke else "10000")
    repetitions = "1" if smoke else "5"
    out = subprocess.run(
        [str(HOST / "bench" / "host_bench"), "--benchmark_format=json",
         f"--benchmark_repetitions={repetitions}", "--benchmark_min_time=0.05" if smoke else
         "--benchmark_min_time=0.5"],
        env=env, capture_output=True, text=True, check=True).stdout
    medians = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("run_type") == "aggregate" and entry["aggregate_name"] != "median":
            continue
        medians[entry["run_name"]] = entry["real_time"]
    size = env["VANTRELPAD_BENCH_MIB"] + " MiB"
    table.add(f"capture_stdin over {size} (median ms)", medians["capture"],
              medians["capture_floor"], "ms", 2.0)
    table.add(f"walk over {env['VANTRELPAD_BENCH_ARGS']} file arguments (median us)",
              medians["walk"], medians["walk_floor"], "us", 1.5)

    massif_out = HOST / "massif.out"
    subprocess.run(["valgrind", "--tool=massif", f"--massif-out-file={massif_out}",
                    str(HOST / "bench" / "host_bench"), "--peak-heap"],
                   env=env, check=True, capture_output=True)
    text = massif_out.read_text()
    peak = max(int(a) + int(b) for a, b in
               re.findall(r"mem_heap_B=(\d+)\nmem_heap_extra_B=(\d+)", text))
    input_bytes = int(env["VANTRELPAD_BENCH_MIB"]) << 20
    mib = 1 << 20
    table.add(f"peak heap capturing {size} (MiB; goal 1.3 x input + 1 MiB)", peak / mib,
              input_bytes / mib, "MiB", round(1.3 + 1 / (input_bytes / mib), 3))


def median_us(runs):
    return statistics.median(runs)


def wine_benchmarks(table, smoke):
    session = WineSession(WINDOWS).open()
    try:
        rounds = 3 if smoke else 15
        commonest_road(session, table, rounds)
        delivery(session, table, 100 if smoke else 10000, 1 if smoke else 5)
        for count in ([10] if smoke else [10, 100, 1000]):
            probe(session, table, count, 3 if smoke else 20)
    finally:
        session.close()


def commonest_road(session, table, rounds):
    Standin(session, "road").start()
    program, idle = [], []
    for _ in range(rounds):  # alternating, so that noise hits both
        outcome = session.run("Vantrelpad.exe notes.txt")
        assert outcome.exit_code == 0 and not outcome.boxes, outcome
        program.append(outcome.us)
        idle.append(session.run("bench_idle_gui.exe", program=WINDOWS / "bench_idle_gui.exe").us)
    session.stop_standins()
    table.add("commonest road under wine, start to exit (median ms)", median_us(program) / 1000,
              median_us(idle) / 1000, "ms", 1.15)


def delivery(session, table, lines, rounds):
    piped = session.work / "delivery.txt"
    piped.write_bytes(b"".join(b"line %d of the piped text\n" % i for i in range(lines - 1)))
    commands = session.work / "delivery.commands"
    expected = [b"menucommand:101"] + [b"insert:line %d of the piped text\\n" % i
                                       for i in range(lines - 1)]
    commands.write_bytes(b"\n".join(expected))
    program, floor = [], []
    for _ in range(rounds):
        editor = Standin(session, "delivery").start()
        outcome = session.run("Vantrelpad.exe -s", stdin=piped)
        assert outcome.exit_code == 0 and editor.received() == expected, outcome
        program.append(outcome.us)
        session.stop_standins()
        editor = Standin(session, "delivery").start()
        outcome = session.run(f"bench_sender.exe {windows_path(commands)}",
                              program=WINDOWS / "bench_sender.exe")
        assert outcome.exit_code == 0 and editor.received() == expected, outcome
        floor.append(outcome.us)
        session.stop_standins()
    table.add(f"delivery of {lines} commands under wine, start to exit (median ms)",
              median_us(program) / 1000, median_us(floor) / 1000, "ms", 1.2)


def probe(session, table, count, rounds):
    Standin(session, f"farm{count}", role="silent", extra_windows=count).start()
    text = session.wine([str(WINDOWS / "bench_probe.exe"), str(rounds)])
    session.stop_standins()
    fields = dict(re.findall(r"^(\w+)(?: us=| )([\d.]+)$", text, re.M))
    table.add(f"one probe over {fields['windows']} top-level windows (us)",
              float(fields["probe"]), float(fields["raw"]), "us", 1.1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--smoke", action="store_true")
    options = parser.parse_args()
    table = Table()
    host_benchmarks(table, options.smoke)
    wine_benchmarks(table, options.smoke)
    size = (WINDOWS / "Vantrelpad.exe").stat().st_size
    dlls = sorted({line.split(":", 1)[1].strip() for line in subprocess.run(
        ["i686-w64-mingw32-objdump", "-p", str(WINDOWS / "Vantrelpad.exe")],
        capture_output=True, text=True, check=True).stdout.splitlines() if "DLL Name:" in line})
    table.note("size of Vantrelpad.exe", f"{size} bytes; imports {', '.join(dlls)}")
    if options.smoke:
        print("smoke run: tiny sizes, so the ratios say nothing about the goals")
    table.print()


if __name__ == "__main__":
    main()
