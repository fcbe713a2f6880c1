"""A virtual X display of its own for a test run."""

import os
import subprocess


def start_display():
    """Starts Xvfb on a free display; gives back the process and the display
    name, such as ":3"."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                "1024x768x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        number = reader.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return process, ":" + number
