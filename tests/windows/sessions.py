#!/usr/bin/env python3
"""Scripted protocol sessions against one engine executable, compared line by line.

The executable is copied into throw-away folders (one with an eval.txt beside it, one
without) and started from a third folder that holds a decoy eval.txt, so the weight file
must be found beside the executable, not in the working directory. Replies are compared
exactly, except the engine's own searched moves, which must be legal points. With
--same-as, a fixed-depth search must also print what the native engine prints.

  tests/windows/sessions.py --exe build/release/pbrain-korvane
  tests/windows/sessions.py --exe build/windows/pbrain-korvane64.exe --launcher wine \
      --windows-paths --same-as build/release/pbrain-korvane

Exits 1 when any session fails.
"""

import argparse
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT_S = 60
WEIGHTS_BESIDE = "3 1 4 1 5 9 2 6 5 3"
WEIGHTS_ARGUMENT = "-1 0\n2\t7 100 12 15 21 30 40"
WEIGHTS_DECOY = "7 7 7 7 7 7 7 7 7 7"
ABOUT = re.compile(r'name="Korvane",author="Tolmaren",version="2\.0",'
                   r'country="[^"]*",email="[^"]*"')
MOVE = re.compile(r"(-?\d+),(-?\d+)")
QUIET = "IS_SHOW_MESSAGE 0\nSET_DEPTH 2\n"
# An opening that a search to the default depth could not finish within the turn limit.
OPENING = [(7, 7), (8, 8), (7, 8), (8, 7), (6, 6), (9, 9)]
TURN_LIMIT_MS = 300
# The limit, plus start-up of the process under Wine on a loaded machine.
TURN_BOUND_S = 5

Session = collections.namedtuple("Session",
                                 "name folder arguments input expected max_seconds bare",
                                 defaults=[None, False])


class Move:
    """Expects a move line: a free point of a size x size board."""

    def __init__(self, size, taken=()):
        self.size, self.taken = size, set(taken)

    def check(self, line):
        m = MOVE.fullmatch(line)
        if not m:
            return False
        x, y = int(m.group(1)), int(m.group(2))
        return 0 <= x < self.size and 0 <= y < self.size and (x, y) not in self.taken

    def __str__(self):
        return f"<free point of {self.size}x{self.size} outside {sorted(self.taken)}>"


class Pattern:
    def __init__(self, regex):
        self.regex = regex

    def check(self, line):
        return self.regex.fullmatch(line) is not None

    def __str__(self):
        return f"<{self.regex.pattern}>"


class Native:
    """Expects the native engine's line; search report rows may differ in their columns of
    time, speed and branching factor."""

    def __init__(self, line):
        self.line = line

    @staticmethod
    def masked(line):
        fields = line.split("\t")
        if line.startswith("MESSAGE ") and len(fields) == 7:
            fields[3] = fields[5] = fields[6] = "*"
        return fields

    def check(self, line):
        return self.masked(line) == self.masked(self.line)

    def __str__(self):
        return repr(self.line)


def matches(expected, line):
    return expected.check(line) if hasattr(expected, "check") else expected == line


def five_in_row_input():
    """Colour 1 on 0..4,0 and colour 2 on 0..3,5, alternating, by PLAY."""
    moves = []
    for x in range(4):
        moves += [f"PLAY {x},0", f"PLAY {x},5"]
    return "\n".join(moves + ["PLAY 4,0"]) + "\n"


def opening_board():
    stones = "".join(f"{x},{y},{i % 2 + 1}\n" for i, (x, y) in enumerate(OPENING))
    return f"BOARD\n{stones}DONE\n"


def same_search_session(native):
    """Two searches to a fixed depth, with report, board pictures and pattern counts, must
    come out as from the native engine: same keys, move order, scores and node counts."""
    text = "START 15\nSET_DEPTH 6\nSHOW_BOARD 1\n" + opening_board() + "TURN 10,10\nEND\n"
    reference = Runner(native, "", False)
    try:
        code, lines, errors, _ = reference.run("bare", [], text)
    finally:
        reference.close()
    if code != 0 or len(lines) < 10:
        raise RuntimeError(f"native engine {native}: exit code {code}, {lines}, {errors}")
    return Session("a fixed-depth search matches the native engine's", "bare", [], text,
                   [Native(line) for line in lines])


def sessions():
    """Every session; the folder is "bare" (no eval.txt beside the executable) or "weights"."""
    game = (
        "START 15\nABOUT\n" + QUIET + "BEGIN\nPLAY 8,8\nPLAY 8,8\nTURN 7,7\n"
        "TAKEBACK 0,0\nTAKEBACK 0,0\nTAKEBACK 3,4\nhello\nSTART 8\nSTART 20\n"
        "TURN 19,19\nTURN 20,20\nRESTART\n" + five_in_row_input() + "IS_WIN\nEND\n")
    game_replies = [
        "MESSAGE READ CFG False.", "OK", Pattern(ABOUT), "7,7", "ERROR PLAY MOVE",
        "ERROR COORDINATE", "OK", "OK", "INVALID POS:3,4", 'ERROR Command "HELLO" not support',
        "ERROR:NOT SUPPORT<8>", "OK", Move(20, [(19, 19)]), "ERROR COORDINATE", "OK", "1"]
    board = ("START 15\n" + QUIET + "BOARD\n7,7,2\n8,8,1\ndone\nIS_WIN\n"
             "BOARD\n3,3,1\n3,3,2\n4,4,1\nDONE\nEND\n").replace("\n", "\r\n")
    board_replies = [
        "MESSAGE READ CFG False.", "OK", Move(15, [(7, 7), (8, 8)]), "0",
        "ERROR BOARD POS:3,3,2", Move(15, [(3, 3)])]
    timed = (f"START 15\nINFO timeout_turn {TURN_LIMIT_MS}\nINFO timeout_match 100000\n"
             f"IS_SHOW_MESSAGE 0\n" + opening_board() + "END\n")
    return [
        Session("game commands", "bare", [], game, game_replies),
        Session("BOARD blocks with CRLF line ends", "bare", [], board, board_replies),
        Session("eval.txt beside the executable", "weights", [], "GET_EVALS\nEND\n",
                ["MESSAGE READ CFG OK.", "3 1 4 1 5 9 2 6 "]),
        Session("weight file named by the argument", "bare", ["@custom"], "GET_EVALS\nEND\n",
                ["MESSAGE READ CFG OK.", "-1 0 2 7 100 12 15 21 "]),
        Session("eval.txt beside an executable started by its bare name", "weights", [],
                "GET_EVALS\nEND\n", ["MESSAGE READ CFG OK.", "3 1 4 1 5 9 2 6 "], bare=True),
        Session("missing file named by the argument", "weights", ["@missing"],
                "GET_EVALS\nEND\n", ["MESSAGE READ CFG False.", "0 0 1 2 4 12 15 21 "]),
        Session("end of input ends the session after the move", "bare", [],
                "START 15\nBEGIN\n", ["MESSAGE READ CFG False.", "OK", "7,7"]),
        Session(f"a full-depth search stops at the turn limit of {TURN_LIMIT_MS} ms", "bare", [],
                timed, ["MESSAGE READ CFG False.", "OK", Move(15, OPENING)], TURN_BOUND_S),
    ]


def write(path, text):
    with open(path, "w", newline="") as f:
        f.write(text)


class Runner:
    def __init__(self, exe, launcher, windows_paths):
        self.launcher = launcher.split()
        self.windows_paths = windows_paths
        self.root = tempfile.mkdtemp(prefix="korvane-sessions-")
        name = os.path.basename(exe)
        self.exes = {}
        for key in ("bare", "weights"):
            # A blank in the folder, as in "Program Files".
            folder = os.path.join(self.root, key + " engine")
            os.mkdir(folder)
            shutil.copy2(exe, folder)
            self.exes[key] = os.path.join(folder, name)
        write(os.path.join(os.path.dirname(self.exes["weights"]), "eval.txt"), WEIGHTS_BESIDE)
        self.files = {"@custom": os.path.join(self.root, "custom.txt"),
                      "@missing": os.path.join(self.root, "missing.txt")}
        write(self.files["@custom"], WEIGHTS_ARGUMENT)
        self.cwd = os.path.join(self.root, "elsewhere")
        os.mkdir(self.cwd)
        write(os.path.join(self.cwd, "eval.txt"), WEIGHTS_DECOY)

    def path(self, path):
        """A path as the engine sees it (drive Z: is the root of the host under Wine)."""
        return "Z:" + path.replace("/", "\\") if self.windows_paths else path

    def run(self, key, arguments, text, bare=False):
        """bare: the executable is found through the search path by its name alone, as
        argument 0 then names it."""
        args = [self.path(self.files.get(a, a)) for a in arguments]
        program, env = [self.path(self.exes[key])], None
        if bare:
            folder, name = os.path.split(self.exes[key])
            env = dict(os.environ, PATH=folder + os.pathsep + os.environ.get("PATH", ""),
                       WINEPATH=self.path(folder))
            # Under Wine through cmd: wine itself would pass the full path as argument 0.
            program = (["cmd", "/c"] if self.launcher else []) + [name]
        command = self.launcher + program + args
        started = time.monotonic()
        done = subprocess.run(command, input=text.encode(), cwd=self.cwd, env=env,
                              capture_output=True, timeout=TIMEOUT_S)
        seconds = time.monotonic() - started
        lines = done.stdout.decode(errors="replace").replace("\r\n", "\n").splitlines()
        return done.returncode, lines, done.stderr.decode(errors="replace"), seconds

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)


def compare(expected, lines):
    """The first difference as a message, or None."""
    for i, want in enumerate(expected):
        got = lines[i] if i < len(lines) else "<end of output>"
        if not matches(want, got):
            return f"line {i + 1}: expected {want}, got {got!r}"
    if len(lines) > len(expected):
        return f"line {len(expected) + 1}: unexpected {lines[len(expected)]!r}"
    return None


def main(argv):
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--exe", required=True, help="the engine executable")
    p.add_argument("--launcher", default="", help='command before the executable, e.g. "wine"')
    p.add_argument("--windows-paths", action="store_true",
                   help="hand the engine its paths in Windows form (Z:\\...)")
    p.add_argument("--same-as", metavar="NATIVE",
                   help="also compare a fixed-depth search with this native executable's")
    args = p.parse_args(argv)
    planned = sessions()
    if args.same_as:
        planned.append(same_search_session(os.path.abspath(args.same_as)))
    runner = Runner(os.path.abspath(args.exe), args.launcher, args.windows_paths)
    print(f"sessions of {' '.join(runner.launcher + [args.exe])}")
    failed = 0
    try:
        for session in planned:
            try:
                code, lines, errors, seconds = runner.run(session.folder, session.arguments,
                                                          session.input, session.bare)
                problem = compare(session.expected, lines)
                if code != 0:
                    problem = f"exit code {code}" + (f"; {problem}" if problem else "")
                if not problem and session.max_seconds and seconds > session.max_seconds:
                    problem = f"took more than {session.max_seconds} s"
            except subprocess.TimeoutExpired:
                problem, lines, errors, seconds = f"no exit within {TIMEOUT_S} s", [], "", 0
            print(f"{'FAIL' if problem else 'ok  '} {session.name} ({seconds:.2f} s)")
            if problem:
                failed += 1
                print(f"     {problem}\n     output: {lines}\n     stderr: {errors.strip()}")
    finally:
        runner.close()
    print(f"sessions: {len(planned) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
