"""The texts the program shows, written out for the end-to-end tests on their
own, so that a change to the program's copy shows as a failure."""

HELP_LINES = [
    "Vantrelpad [file] options", "",
    "Command line interface to scite. Opens the specified file",
    "in the current SciTe window.", "", "OPTIONS", "",
    "  -h          Print this help text.",
    "  -l line     Go to line number line in the file.",
    "  -f text     Find the text text in the file.",
    "  -i text     Insert text in the file.",
    "  -n          Create a new empty window.",
    "  -s          Open a new window with STDIN content.",
    "  -d path     Path to SciTE executable.",
    "  -c cmd      Raw scite command.",
]


def help_text():
    """The 900-byte help text: each line padded with blanks to 59 characters."""
    return "".join(line.ljust(59) + "\n" for line in HELP_LINES).encode()
