"""Drives pbrain- engines through the Gomocup protocol the way tournament managers do.

Shared by soak.py (many self-play games, every reply checked), time_discipline.py (how
far past its budget each move arrives) and match.py (two engines against each other,
judged here). Python 3 standard library only.
"""

import os
import queue
import re
import shlex
import subprocess
import threading
import time

MOVE_LINE = re.compile(r"^(-?\d+),(-?\d+)$")
REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The repository's own lists, so that a fresh clone needs nothing beside it.
DEFAULT_OPENINGS = os.path.join(REPO_ROOT, "data", "openings")
DIRECTIONS = ((1, 0), (0, 1), (1, 1), (1, -1))
# What read_line gives when nothing came in time; no line an engine writes can equal it.
TIMEOUT = object()


class EngineProcess:
    """One engine child process: lines in (CR LF ended), lines out with their arrival time,
    and its resident memory sampled in the background (sample_ms None: not sampled).
    new_session keeps the terminal's Ctrl-C away from it, so that the caller can end its
    game in order."""

    def __init__(self, command, name, sample_ms=10, new_session=False):
        self.name = name
        self.command = command
        self.proc = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, bufsize=0, start_new_session=new_session)
        self.lines = queue.Queue()
        self.peak_rss_kib = 0
        self.sent_max_memory = False
        self._stop = threading.Event()
        threading.Thread(target=self._read, daemon=True).start()
        if sample_ms:
            threading.Thread(target=self._sample, args=(sample_ms / 1000.0,), daemon=True).start()

    def _read(self):
        for raw in iter(self.proc.stdout.readline, b""):
            self.lines.put((time.monotonic(), raw.decode("latin-1").rstrip("\r\n")))
        self.lines.put((time.monotonic(), None))  # end of output
        self.proc.stdout.close()

    def _sample(self, period):
        while not self._stop.is_set():
            rss = self.memory().get("VmRSS", 0)
            self.peak_rss_kib = max(self.peak_rss_kib, rss)
            time.sleep(period)

    def memory(self):
        """VmRSS and VmHWM in KiB from /proc; empty when the process is gone."""
        values = {}
        try:
            with open("/proc/%d/status" % self.proc.pid) as status:
                for line in status:
                    key, _, rest = line.partition(":")
                    if key in ("VmRSS", "VmHWM"):
                        values[key] = int(rest.split()[0])
        except (OSError, ValueError, IndexError):
            pass
        return values

    def reset_peak(self):
        self.peak_rss_kib = self.memory().get("VmRSS", 0)

    def send(self, *lines):
        """Writes the lines; returns the time the last one was written, or None when the
        process no longer reads."""
        try:
            self.proc.stdin.write("".join(line + "\r\n" for line in lines).encode())
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError):
            return None
        return time.monotonic()

    def read_line(self, timeout):
        """(arrival time, line); line None at the end of output, TIMEOUT when nothing came."""
        try:
            return self.lines.get(timeout=timeout)
        except queue.Empty:
            return time.monotonic(), TIMEOUT

    def close(self, timeout=10):
        """Sends END and waits; the exit code, or None when it had to be killed."""
        self.send("END")
        try:
            self.proc.stdin.close()
        except OSError:
            pass
        try:
            code = self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            code = None
        self._stop.set()
        return code


def load_opening_file(path):
    """The openings of one list: lists of (dx, dy) offsets from the centre, black's stone
    first. Lines without an even count of numbers are not openings."""
    openings = []
    with open(path) as f:
        for line in f:
            numbers = [int(n) for n in re.findall(r"-?\d+", line)]
            if numbers and len(numbers) % 2 == 0:
                openings.append(list(zip(numbers[0::2], numbers[1::2])))
    return openings


def load_openings(folder):
    """Every opening of the *.txt files in folder."""
    return [opening for name in sorted(os.listdir(folder)) if name.endswith(".txt")
            for opening in load_opening_file(os.path.join(folder, name))]


def default_opening_file(size):
    """The list made for the board: the 15 x 15 one keeps only lines that fit it."""
    name = "piskvork_openings_15.txt" if size == 15 else "piskvork_openings.txt"
    return os.path.join(DEFAULT_OPENINGS, name)


def place_opening(opening, size):
    """The opening's stones in wire coordinates on a size x size board, or None when one
    falls outside it."""
    centre = size // 2
    stones = [(centre + dx, centre + dy) for dx, dy in opening]
    if len(set(stones)) != len(stones):
        return None
    if all(0 <= x < size and 0 <= y < size for x, y in stones):
        return stones
    return None


class Board:
    """The stones of a game in the order played: black (1) first, then alternating."""

    def __init__(self, size, stones=()):
        self.size = size
        self.cells = [[0] * size for _ in range(size)]
        self.stones = []
        for x, y in stones:
            self.place(x, y)

    def to_move(self):
        return 1 if len(self.stones) % 2 == 0 else 2

    def is_free(self, x, y):
        return 0 <= x < self.size and 0 <= y < self.size and self.cells[y][x] == 0

    def full(self):
        return len(self.stones) == self.size * self.size

    def place(self, x, y):
        self.cells[y][x] = self.to_move()
        self.stones.append((x, y))

    def run_length(self, x, y, dx, dy):
        """Stones of the colour on (x, y) in an unbroken row through it along (dx, dy)."""
        colour = self.cells[y][x]
        run = 1
        for sign in (1, -1):
            cx, cy = x + sign * dx, y + sign * dy
            while 0 <= cx < self.size and 0 <= cy < self.size and self.cells[cy][cx] == colour:
                run += 1
                cx, cy = cx + sign * dx, cy + sign * dy
        return run

    def makes_five(self, x, y, exact):
        """True when the stone on (x, y) completes five in a row (exactly five under exact:
        a row of six or more then wins nothing)."""
        runs = [self.run_length(x, y, dx, dy) for dx, dy in DIRECTIONS]
        return any(run == 5 or (run > 5 and not exact) for run in runs)

    def last_run(self):
        """The longest row through the last stone, 0 on an empty board."""
        if not self.stones:
            return 0
        x, y = self.stones[-1]
        return max(self.run_length(x, y, dx, dy) for dx, dy in DIRECTIONS)

    def board_command(self, colour):
        """The BOARD command that tells the engine playing colour every stone: field 1 its
        own, 2 the opponent's, in the order played."""
        return ["BOARD"] + ["%d,%d,%d" % (x, y, 1 if (i % 2 == 0) == (colour == 1) else 2)
                            for i, (x, y) in enumerate(self.stones)] + ["DONE"]


def info_lines(rule, turn_ms, match_ms, max_memory):
    """The INFO keys of a new game (max_memory None: not sent, the engine's default)."""
    lines = ["INFO timeout_turn %d" % turn_ms, "INFO timeout_match %d" % match_ms]
    if max_memory is not None:
        lines.append("INFO max_memory %d" % max_memory)
    return lines + ["INFO rule %d" % rule]


def read_move(engine, deadline, skip):
    """Reads the engine's lines up to its move line or the deadline (monotonic seconds).
    skip(line, arrival) tells whether a line that is not a move may come before the move.
    Returns (kind, value, arrival): ("move", (x, y)), ("crash", None) at the end of its
    output, ("timeout", None), or ("line", text) for a line that skip refused."""
    while True:
        arrival, line = engine.read_line(max(0.0, deadline - time.monotonic()))
        if line is None:
            return "crash", None, arrival
        if line is TIMEOUT:
            return "timeout", None, arrival
        match = MOVE_LINE.match(line)
        if match:
            return "move", (int(match.group(1)), int(match.group(2))), arrival
        if not skip(line, arrival):
            return "line", line, arrival


def engine_budget_ms(turn_ms, time_left_ms):
    """The engine's own per-move budget for these settings."""
    return max(20, min(time_left_ms // 3, turn_ms))


class Tally:
    """What the games found: counts, figures and every fault with its context."""

    def __init__(self):
        self.games = 0
        self.moves = 0
        self.results = {"black": 0, "white": 0, "draw": 0, "aborted": 0}
        self.faults = []  # (kind, text)
        self.unexpected = []  # lines that are neither moves nor MESSAGE lines
        self.records = []  # one dict per engine move
        self.peak_rss_kib = {}  # memory setting -> highest VmRSS seen in its games

    def fault(self, kind, text):
        self.faults.append((kind, text))

    def count(self, kind):
        return sum(1 for k, _ in self.faults if k == kind)


class Game:
    """One game between two engine processes, checked move by move.

    settings: size, rule, turn_ms, match_ms, max_memory (None: not sent), margin_ms,
    time_left_ms (None: the match time still left), memory_limit_kib (None: no check)."""

    def __init__(self, settings, black, white, stones, tally):
        self.s = settings
        self.engines = {1: black, 2: white}
        self.size = settings["size"]
        self.board = Board(self.size, stones)
        self.time_used = {1: 0.0, 2: 0.0}
        self.tally = tally
        self.report = []

    def where(self, engine):
        return "%s game %d size %d rule %d move %d" % (engine.name, self.tally.games, self.size, self.s["rule"],
                                                        len(self.board.stones) + 1)

    def prepare(self, engine):
        """START and the INFO keys of a new game; False when the engine failed."""
        s = self.s
        lines = ["START %d" % self.size] + info_lines(s["rule"], s["turn_ms"], s["match_ms"], s["max_memory"])
        engine.sent_max_memory |= s["max_memory"] is not None
        # A key the engine does not know: ignored, nothing comes back.
        lines.append("INFO thread_num 1")
        if engine.send(*lines) is None:
            self.tally.fault("crash", self.where(engine) + ": input closed")
            return False
        return self.expect(engine, "OK")

    def expect(self, engine, prefix):
        while True:
            _, line = engine.read_line(10)
            if line is None or line is TIMEOUT:
                self.tally.fault("crash" if line is None else "hang",
                                 "%s: no reply starting %r" % (self.where(engine), prefix))
                return False
            if line.startswith(prefix):
                return True
            self.note_line(engine, line)

    def note_line(self, engine, line):
        if not line.startswith("MESSAGE"):
            self.tally.unexpected.append("%s: %r" % (self.where(engine), line[:200]))

    def time_left(self, colour):
        if self.s["time_left_ms"] is not None:
            return self.s["time_left_ms"]
        return max(0, int(self.s["match_ms"] - self.time_used[colour]))

    def request(self, colour, first):
        """Sends the move request; returns (time written, budget) or None."""
        engine = self.engines[colour]
        left = self.time_left(colour)
        lines = ["INFO time_left %d" % left]
        if first:
            lines += self.board.board_command(colour)
        else:
            lines.append("TURN %d,%d" % self.board.stones[-1])
        sent = engine.send(*lines)
        return None if sent is None else (sent, engine_budget_ms(self.s["turn_ms"], left))

    def await_move(self, colour, sent, budget):
        """Reads up to the move line: (x, y, elapsed ms) or None after a fault."""
        engine = self.engines[colour]
        self.report = []  # the search report of this move, shown when it came late

        def skip(line, arrival):
            self.note_line(engine, line)
            self.report.append("%.0f ms: %s" % ((arrival - sent) * 1000.0, line))
            return True

        kind, point, arrival = read_move(engine, sent + (self.s["turn_ms"] + 10000) / 1000.0, skip)
        if kind != "move":
            self.tally.fault("crash" if kind == "crash" else "hang", self.where(engine) + ": no move")
            return None
        return point[0], point[1], (arrival - sent) * 1000.0

    def check_move(self, colour, x, y, elapsed, budget):
        engine = self.engines[colour]
        s = self.s
        legal = self.board.is_free(x, y)
        self.tally.records.append({"engine": engine.name, "size": self.size, "turn_ms": s["turn_ms"],
                                   "budget_ms": budget, "elapsed_ms": elapsed, "stones": len(self.board.stones),
                                   "threat": self.board.last_run() >= 3})
        if not legal:
            self.tally.fault("illegal", "%s: %d,%d" % (self.where(engine), x, y))
        elif elapsed > s["turn_ms"] + s["margin_ms"]:
            self.tally.fault("overrun", "%s: %.1f ms for a %d ms turn\n    %s" % (
                self.where(engine), elapsed, s["turn_ms"], "\n    ".join(self.report)))
        return legal

    def check_memory(self):
        limit = self.s["memory_limit_kib"]
        key = str(self.s["max_memory"])
        for engine in self.engines.values():
            peak = engine.peak_rss_kib
            self.tally.peak_rss_kib[key] = max(self.tally.peak_rss_kib.get(key, 0), peak)
            if limit is not None and peak >= limit:
                self.tally.fault("memory", "%s: VmRSS %d KiB, limit %d KiB" % (self.where(engine), peak, limit))

    def play(self):
        """Plays to a five or a full board: 1 or 2 for the winner, 0 for a draw, None when
        an engine failed."""
        for engine in self.engines.values():
            engine.reset_peak()
            if not self.prepare(engine):
                return None
        told = set()
        exact = self.s["rule"] != 0
        cap = self.s.get("move_cap") or self.size * self.size
        for _ in range(cap):
            if self.board.full():
                return 0
            colour = self.board.to_move()
            request = self.request(colour, colour not in told)
            if request is None:
                self.tally.fault("crash", self.where(self.engines[colour]) + ": input closed")
                return None
            told.add(colour)
            reply = self.await_move(colour, *request)
            if reply is None:
                return None
            x, y, elapsed = reply
            self.tally.moves += 1
            self.time_used[colour] += elapsed
            if not self.check_move(colour, x, y, elapsed, request[1]):
                return None
            self.board.place(x, y)
            if self.board.makes_five(x, y, exact):
                return colour
        return 0  # a full board, or the move cap reached
