#!/usr/bin/env python3
"""Tactical suites: positions won by fours (VCF) or by threes (VCT), and an engine's score on them.

  tools/tactics.py harvest --engine build/release/pbrain-korvane --time 100 --minutes 15
  tools/tactics.py harvest --games-dir build/tactics/games-20250101-120000
  tools/tactics.py run --engine build/release/pbrain-korvane-pro --time 1000 --json out.json

harvest plays self-play games (or reads game files that match.py or harvest saved), looks at
every position near each game's end and keeps those where the side to move wins by a forced
sequence that the slow proof search below confirms. run asks an engine for its move on each
position (a fresh process: START, INFO timeout_turn, BOARD) and counts it solved when the
move is one of the recorded winning first moves, or when the search proves that the move
wins all the same (deeper threats, or a quiet move after which every reply still loses):
many positions can be won in more ways than the suite lists, and calling such a move a
failure would misreport the engine. Both counts are printed. The line format is described
in data/tactics/README.md.

The proof search is deliberately plain: a board with per-window stone counts, every threat
found by scanning all windows of five, AND-OR search with a depth bound and a cache. Rules:
free-style (five or more in a row wins). A four is a move after which its side has a cell
that makes five; the opponent must take that cell. A winning four leaves two or more such
cells. An open three (VCT only) is a move after which one more stone on the same line makes
a winning four in that line. Against threes the defender may take any cell after which no
winning four is left (the gaps, the ends and, beside a wall, the far end), or make a four
of its own, which the attacker must take before anything else. A five of the defender ends
the line as a failure.
"""

import argparse
import json
import os
import re
import shlex
import shutil
import sys
import threading
import time
import types

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import match  # noqa: E402
import pbrain  # noqa: E402
from soak import DEFAULT_ENGINE  # noqa: E402

SUITES = os.path.join(pbrain.REPO_ROOT, "data", "tactics")
VCF_DEPTH, VCT_DEPTH = 8, 5
RUN_DEPTH = 7  # threats when an engine's move outside the lists is checked
MIN_VCF, MIN_VCT = 3, 3  # shorter wins show after a glance at each move
_WINDOWS = {}


class OutOfBudget(Exception):
    pass


def windows_of(size):
    """Every run of five cells (as cell indices y * size + x) and, per cell, the runs through it."""
    if size not in _WINDOWS:
        runs = []
        for y in range(size):
            for x in range(size):
                for dx, dy in pbrain.DIRECTIONS:
                    ex, ey = x + 4 * dx, y + 4 * dy
                    if 0 <= ex < size and 0 <= ey < size:
                        runs.append(tuple((y + k * dy) * size + x + k * dx for k in range(5)))
        through = [[] for _ in range(size * size)]
        for number, run in enumerate(runs):
            for cell in run:
                through[cell].append(number)
        _WINDOWS[size] = (runs, through)
    return _WINDOWS[size]


class Solver:
    """Proof search for one position; stones are (x, y, colour) with colour 1 or 2."""

    def __init__(self, size, stones, threes, budget=200000):
        self.size, self.threes, self.budget = size, threes, budget
        self.runs, self.through = windows_of(size)
        self.cells = bytearray(size * size)
        self.count = {1: [0] * len(self.runs), 2: [0] * len(self.runs)}
        self.nodes = 0
        self.proved, self.refuted = {}, {}  # (cells, node) -> least winning / most failing depth
        for x, y, colour in stones:
            self.place(y * size + x, colour)

    def place(self, cell, colour):
        self.cells[cell] = colour
        for run in self.through[cell]:
            self.count[colour][run] += 1

    def take(self, cell):
        colour, self.cells[cell] = self.cells[cell], 0
        for run in self.through[cell]:
            self.count[colour][run] -= 1

    def runs_with(self, colour, stones):
        """The runs holding exactly that many of colour's stones and none of the other's."""
        own, other = self.count[colour], self.count[3 - colour]
        return [r for r in range(len(self.runs)) if own[r] == stones and other[r] == 0]

    def empty(self, run):
        return [cell for cell in self.runs[run] if not self.cells[cell]]

    def fives(self, colour):
        """The cells where colour would make five."""
        return {cell for run in self.runs_with(colour, 4) for cell in self.empty(run)}

    def fours(self, colour):
        """The moves that make a four, while colour has no five to make."""
        return {cell for run in self.runs_with(colour, 3) for cell in self.empty(run)}

    def winning_fours(self, colour):
        """Move -> its five cells, for the moves that leave two or more. With no five before,
        every five cell after the move lies on a run through it."""
        found = {}
        for move in self.fours(colour):
            own, other = self.count[colour], self.count[3 - colour]
            fives = {cell for run in self.through[move] if own[run] == 3 and other[run] == 0
                     for cell in self.empty(run) if cell != move}
            if len(fives) > 1:
                found[move] = fives
        return found

    def open_threes(self, colour):
        """Moves after which one more stone on their line makes a winning four on that line."""
        found = set()
        for run in self.runs_with(colour, 2):
            gaps = self.empty(run)
            for move in gaps:
                if move in found:
                    continue
                for second in gaps:
                    if second != move and self.line_fives(colour, move, second) > 1:
                        found.add(move)
                        break
        return found

    def line_fives(self, colour, move, second):
        """Five cells on the runs through both stones once both are played; two cells share
        at most one line, so these runs are that line's."""
        self.place(move, colour)
        self.place(second, colour)
        shared = set(self.through[move]) & set(self.through[second])
        own, other = self.count[colour], self.count[3 - colour]
        cells = {cell for run in shared if own[run] == 4 and other[run] == 0 for cell in self.empty(run)}
        self.take(second)
        self.take(move)
        return len(cells)

    def blocks(self, colour):
        """The defender's cells after which colour has no winning four; None when it has none
        to stop. Taking the move itself stops a winning four, and so does taking one of its
        two five cells (with three or more, only the move does)."""
        answer = None
        for move, fives in self.winning_fours(colour).items():
            stops = {move} | (fives if len(fives) == 2 else set())
            answer = stops if answer is None else answer & stops
        return answer

    def tick(self):
        self.nodes += 1
        if self.nodes > self.budget:
            raise OutOfBudget()

    def cached(self, node, depth, search):
        key = (bytes(self.cells), node)
        if self.proved.get(key, depth + 1) <= depth:
            return True
        if self.refuted.get(key, -1) >= depth:
            return False
        result = search()
        if result:
            self.proved[key] = min(depth, self.proved.get(key, depth))
        else:
            self.refuted[key] = max(depth, self.refuted.get(key, depth))
        return result

    def attack(self, colour, depth):
        """Colour to move: does it win with at most depth threats before its five?"""
        self.tick()
        if self.fives(colour):
            return True
        forced = self.fives(3 - colour)
        if len(forced) > 1 or depth == 0:
            return False
        return self.cached(("attack", colour), depth, lambda: any(
            self.try_move(colour, move, depth) for move in self.attacks(colour, depth, forced)))

    def attacks(self, colour, depth, forced):
        if forced:
            return sorted(forced)
        if depth == 1:  # only a winning four can still be followed by a five
            return sorted(self.winning_fours(colour))
        fours = self.fours(colour)
        threes = self.open_threes(colour) - fours if self.threes else set()
        return sorted(fours) + sorted(threes)

    def try_move(self, colour, move, depth):
        self.place(move, colour)
        try:
            return self.defend(colour, depth - 1)
        finally:
            self.take(move)

    def defend(self, colour, depth):
        """The opponent of colour to move after colour's threat: does every answer lose?"""
        self.tick()
        other = 3 - colour
        if self.fives(other):
            return False
        need = self.fives(colour)
        if len(need) > 1:
            return True
        if not need:
            if not self.threes or depth == 0:
                return False
            need = self.blocks(colour)
            if need is None:
                return False
            need = need | self.fours(other)
        return self.cached(("defend", colour), depth, lambda: all(
            self.try_answer(colour, answer, depth) for answer in sorted(need)))

    def try_answer(self, colour, answer, depth):
        self.place(answer, 3 - colour)
        try:
            return self.attack(colour, depth)
        finally:
            self.take(answer)

    def first_moves(self, colour, depth):
        """Every first move that wins within depth."""
        return [m for m in self.attacks(colour, depth, self.fives(3 - colour)) if self.try_move(colour, m, depth)]


def solve(size, stones, colour, threes, depth, budget=200000):
    """(length of the shortest win, every winning first move as (x, y)) for colour to move,
    or None when it has none within depth. Raises OutOfBudget past budget nodes."""
    solver = Solver(size, stones, threes, budget)
    shortest = next((d for d in range(1, depth + 1) if solver.attack(colour, d)), None)
    if shortest is None:
        return None
    return shortest, [(m % size, m // size) for m in solver.first_moves(colour, depth)]


def classify(size, stones, colour, budget):
    """("vcf" or "vct", shortest, wins) for a position worth keeping, else None. Kept: no five
    to make or to stop, no win a glance at each move shows, and for VCT no VCF at all."""
    solver = Solver(size, stones, False)
    if solver.fives(colour) or solver.fives(3 - colour) or solver.winning_fours(colour):
        return None
    if not solver.fours(colour) and not solver.open_threes(colour):
        return None
    try:
        vcf = solve(size, stones, colour, False, VCF_DEPTH, budget)
        if vcf:
            return ("vcf",) + vcf if vcf[0] >= MIN_VCF else None
        vct = solve(size, stones, colour, True, VCT_DEPTH, budget)
    except OutOfBudget:
        return None
    return ("vct",) + vct if vct and vct[0] >= MIN_VCT else None


def complete(p, budget):
    """Fills in also (for VCF: the further first moves that win with threes) and tells whether
    the position asks for a move at all."""
    if wins_after_pass(p["size"], p["stones"], p["colour"], budget):
        return False
    p["also"] = []
    if p["kind"] == "vcf":
        try:
            threes = solve(p["size"], p["stones"], p["colour"], True, VCT_DEPTH, budget)
            p["also"] = [m for m in threes[1] if m not in p["wins"]] if threes else []
        except OutOfBudget:
            pass  # no list then: also only widens what counts as solved
    return True


def wins_after_pass(size, stones, colour, budget):
    """Whether colour still wins by threats when the opponent gets a free move first: then
    nearly any move wins, and the position asks nothing. Out of budget counts as yes."""
    solver = Solver(size, stones, True, budget)
    try:
        return all(answer(solver, 3 - colour, cell, lambda: solver.attack(colour, VCT_DEPTH))
                   for cell in near_first(solver))
    except OutOfBudget:
        return True


def answer(solver, colour, cell, then):
    solver.place(cell, colour)
    try:
        return then()
    finally:
        solver.take(cell)


def near_first(solver):
    """The empty cells, those nearest to a stone first: a refutation is usually among them."""
    size = solver.size
    stones = [(c % size, c // size) for c in range(size * size) if solver.cells[c]]
    return sorted((c for c in range(size * size) if not solver.cells[c]),
                  key=lambda c: min((max(abs(c % size - x), abs(c // size - y)) for x, y in stones), default=0))


def proves_win(p, move, budget=300000):
    """Whether the move wins, proved here past the suite's bounds: by threats within
    RUN_DEPTH, or as a quiet move after which every reply still loses."""
    size, colour = p["size"], p["colour"]
    x, y = move
    solver = Solver(size, p["stones"], True, budget)
    if not (0 <= x < size and 0 <= y < size) or solver.cells[y * size + x]:
        return False
    try:
        if solver.try_move(colour, y * size + x, RUN_DEPTH):
            return True
        solver.place(y * size + x, colour)
        return not solver.fives(3 - colour) and every_reply_loses(solver, colour, 3)
    except OutOfBudget:
        return False


def every_reply_loses(solver, colour, fours):
    """The opponent of colour moves freely: after each reply colour wins by threats, or the
    reply is a four, whose block hands the opponent another free move (at most fours times)."""
    other = 3 - colour
    for cell in near_first(solver):
        solver.place(cell, other)
        try:
            forced = solver.fives(other)
            if not forced or solver.fives(colour):
                won = solver.attack(colour, VCT_DEPTH) or solver.attack(colour, RUN_DEPTH)
            elif len(forced) > 1 or not fours:
                won = False
            else:
                block = forced.pop()
                won = answer(solver, colour, block, lambda: every_reply_loses(solver, colour, fours - 1))
        finally:
            solver.take(cell)
        if not won:
            return False
    return True


# --- Suite files -------------------------------------------------------------------------

def format_position(p):
    stones = " ".join("%d,%d%s" % (x, y, "bw"[c - 1]) for x, y, c in p["stones"])
    wins = " ".join("%d,%d" % w for w in p["wins"])
    also = "".join(" also " + " ".join("%d,%d" % w for w in p["also"]) if p.get("also") else "")
    return "size %d move %s stones %s wins %s%s length %d from %s" % (
        p["size"], "bw"[p["colour"] - 1], stones, wins, also, p["length"], p["from"])


POSITION = re.compile(r"^size (\d+) move ([bw]) stones ((?:\d+,\d+[bw] ?)+) wins ((?:\d+,\d+ ?)+)"
                      r"(?:also ((?:\d+,\d+ ?)+))?length (\d+) from (\S+)$")


def parse_position(line):
    m = POSITION.match(line.strip())
    if not m:
        raise ValueError("not a position: %r" % line[:80])
    stones = [(int(x), int(y), "bw".index(c) + 1) for x, y, c in re.findall(r"(\d+),(\d+)([bw])", m.group(3))]
    size = int(m.group(1))
    if any(not (0 <= x < size and 0 <= y < size) for x, y, _ in stones) or len({s[:2] for s in stones}) < len(stones):
        raise ValueError("stones off the board or on one cell: %r" % line[:80])
    def points(text):
        return [tuple(map(int, w.split(","))) for w in (text or "").split()]
    return {"size": size, "colour": "bw".index(m.group(2)) + 1, "stones": stones, "wins": points(m.group(4)),
            "also": points(m.group(5)), "length": int(m.group(6)), "from": m.group(7)}


def load_suite(path):
    """(line number, position) for every line that is not blank or a comment."""
    with open(path) as f:
        return [(n, parse_position(line)) for n, line in enumerate(f, 1) if line.strip() and not line.startswith("#")]


def canonical(size, stones, colour):
    """The same key for a position and its images under the eight symmetries, colours named
    by who is to move."""
    def image(t):
        a, b, c, d = t
        m = size - 1
        return tuple(sorted(((a * (x - m / 2) + b * (y - m / 2) + m / 2, c * (x - m / 2) + d * (y - m / 2) + m / 2,
                              s == colour) for x, y, s in stones)))
    return size, min(image(t) for t in match.SYMMETRIES)


# --- Games -------------------------------------------------------------------------------

def read_game_file(path):
    """(size, stones in play order as (x, y)) of a saved game, or None for exact-five games."""
    with open(path) as f:
        text = f.read()
    head = re.match(r"game \d+, size (\d+), rule (\d+)", text)
    opening = re.search(r"^opening stones:(.*)$", text, re.M)
    if not head or not opening or head.group(2) != "0":
        return None
    stones = [tuple(map(int, s.split(","))) for s in opening.group(1).split()]
    stones += [(int(x), int(y)) for x, y in re.findall(r"^\s*\d+\. (\d+),(\d+) (?:black|white)", text, re.M)]
    return int(head.group(1)), stones


def self_play(args, out):
    """Plays games until the time or the count runs out; yields (name, size, stones)."""
    players = {1: match.Player("black", args.engine, args.time), 2: match.Player("white", args.engine, args.time)}
    shim = types.SimpleNamespace(players=list(players.values()), args=types.SimpleNamespace(rule=0))
    games = []
    for size in args.sizes:
        openings = pbrain.load_opening_file(pbrain.default_opening_file(size))
        # The engines are alike, so each opening image is played once; images of one
        # opening come last, since their games tend to mirror each other.
        games += [dict(g, size=size) for g in match.schedule(openings, size, True, None) if g["black"] == 0]
    games.sort(key=lambda g: (g["image"], g["opening"], g["size"]))
    games = games[:args.games]
    finished, lock, stop = [], threading.Lock(), time.monotonic() + 60 * args.minutes
    queue_ = list(enumerate(games, 1))

    def work():
        while time.monotonic() < stop:
            with lock:
                if not queue_:
                    return
                index, game = queue_.pop(0)
            outcome = match.play_game(players, game["size"], 0, game["stones"])
            moves = outcome["moves"]
            record = dict(game, index=index, black_name="black", white_name="white", moves=moves,
                          winner=outcome["winner"], reason=outcome["reason"],
                          result={None: "aborted", 0: "1/2-1/2", 1: "1-0", 2: "0-1"}[outcome["winner"]])
            shim.args.size = game["size"]
            with lock:
                match.write_game(out, record, shim)
                finished.append(("%d-%04d" % (game["size"], index), game["size"],
                                 game["stones"] + [(x, y) for x, y, _, _ in moves]))

    threads = [threading.Thread(target=work, daemon=True) for _ in range(args.concurrency)]
    for t in threads:
        t.start()
    try:
        while any(t.is_alive() for t in threads) or finished:
            with lock:
                batch, finished[:] = finished[:], []
            yield from batch
            if not batch:
                time.sleep(0.2)
    finally:  # the suites are full: the games under way end, no new one starts
        with lock:
            queue_[:] = []
        for t in threads:
            t.join()


def saved_games(folders):
    for folder in folders:
        for name in sorted(os.listdir(folder)):
            if name.startswith("game-") and name.endswith(".txt"):
                game = read_game_file(os.path.join(folder, name))
                if game:
                    yield "%d-%s" % (game[0], name[5:-4]), game[0], game[1]


def harvest(args):
    out = args.save_games or os.path.join(pbrain.REPO_ROOT, "build", "tactics",
                                          "games-" + time.strftime("%Y%m%d-%H%M%S"))
    games = saved_games(args.games_dir) if args.games_dir else None
    if games is None:
        os.makedirs(out, exist_ok=True)
        print("self-play games go to %s" % out, file=sys.stderr)
        games = self_play(args, out)
    suites, seen = {"vcf": [], "vct": []}, set()
    stop = time.monotonic() + 60 * args.analysis_minutes
    for name, size, order in games:
        kept = analyse_game(name, size, order, args, seen)
        for p in kept:
            if len(suites[p["kind"]]) < args.max:
                suites[p["kind"]].append(p)
        print("%s: %d moves, %s | vcf %d vct %d" % (name, len(order), " ".join(
            "%s@%d" % (p["kind"], p["ply"]) for p in kept) or "-", len(suites["vcf"]), len(suites["vct"])),
            file=sys.stderr, flush=True)
        if time.monotonic() > stop or all(len(s) >= args.max for s in suites.values()):
            break
    os.makedirs(args.out, exist_ok=True)
    for kind, positions in suites.items():
        with open(os.path.join(args.out, kind + ".txt"), "w") as f:
            f.write("# %s positions: tools/tactics.py harvest; format in README.md\n" % kind.upper())
            f.writelines(format_position(p) + "\n" for p in positions)
        print("%d %s positions in %s" % (len(positions), kind, os.path.join(args.out, kind + ".txt")))
    return 0


def analyse_game(name, size, order, args, seen):
    """The kept positions of the game's last plies: per side and kind only the earliest (the
    longest win) that asks for a move, since the later ones are mostly the same attack a few
    moves on."""
    found = {}
    for ply in range(max(0, len(order) - args.plies), len(order)):
        colour = 1 if ply % 2 == 0 else 2
        stones = [(x, y, 1 if i % 2 == 0 else 2) for i, (x, y) in enumerate(order[:ply])]
        verdict = classify(size, stones, colour, args.budget)
        if verdict:
            kind, length, wins = verdict
            found.setdefault((kind, colour), []).append({
                "kind": kind, "size": size, "colour": colour, "stones": stones, "wins": wins, "length": length,
                "from": "%s@%d" % (name, ply), "ply": ply})
    kept = []
    for positions in found.values():
        for p in positions:
            key = canonical(size, p["stones"], p["colour"])
            if key not in seen and complete(p, args.budget):
                seen.add(key)
                kept.append(p)
                break
    return kept


# --- Running an engine on a suite --------------------------------------------------------

def engine_move(command, p, turn_ms):
    """(move or None, what went wrong or None, ms) of a fresh engine process on the position."""
    try:
        engine = pbrain.EngineProcess(command, "engine", sample_ms=None, new_session=True)
    except OSError as e:
        return None, "cannot start: %s" % e, 0.0
    try:
        engine.send("START %d" % p["size"])
        refused = match.await_ok(engine)
        if refused:
            return None, "START %d: %s" % (p["size"], " ".join(filter(None, refused))), 0.0
        engine.send(*pbrain.info_lines(0, turn_ms, 0, None))
        sent = engine.send("BOARD", *["%d,%d,%d" % (x, y, 1 if c == p["colour"] else 2) for x, y, c in p["stones"]],
                           "DONE")
        if sent is None:
            return None, "input closed", 0.0
        kind, value, arrival = pbrain.read_move(engine, sent + (turn_ms + match.GRACE_MS) / 1000.0,
                                                match.is_chatter)
        ms = (arrival - sent) * 1000.0
        if kind != "move":
            return None, " ".join(filter(None, (kind, value))), ms
        x, y = value
        taken = {(sx, sy) for sx, sy, _ in p["stones"]}
        if not (0 <= x < p["size"] and 0 <= y < p["size"]) or value in taken:
            return value, "illegal", ms
        return value, None, ms
    finally:
        engine.close(timeout=2)


def run(args):
    """Solved: the engine's move is a listed winning move, or (unless --listed-only) another
    move that proves_win shows to win; both counts are reported."""
    report = {"engine": args.engine, "time_ms": args.time, "suites": {}}
    for path in args.suite:
        name = os.path.splitext(os.path.basename(path))[0]
        positions, listed, other, failures = load_suite(path), 0, [], []
        for number, p in positions:
            move, problem, ms = engine_move(args.engine, p, args.time)
            entry = {"line": number, "from": p["from"], "move": "%d,%d" % move if move else None, "ms": round(ms)}
            if move in p["wins"] or move in p["also"]:
                listed += 1
            elif move and not args.listed_only and proves_win(p, move):
                other.append(entry)
            else:
                failures.append(dict(entry, problem=problem, wins=["%d,%d" % w for w in p["wins"] + p["also"]]))
        report["suites"][name] = {"file": path, "total": len(positions), "solved": listed + len(other),
                                  "listed": listed, "other_wins": other, "failures": failures}
    if args.json:
        with open(args.json, "w") as f:
            json.dump(report, f, indent=1)
    for name, s in report["suites"].items():
        print("%s: %d/%d solved at %d ms per move (%d listed moves, %d other moves proved to win)" % (
            name, s["solved"], s["total"], args.time, s["listed"], len(s["other_wins"])))
        for fail in s["failures"]:
            print("  line %d (%s): played %s%s, wins %s" % (
                fail["line"], fail["from"], fail["move"] or "nothing", " (%s)" % fail["problem"] if fail["problem"]
                else "", " ".join(fail["wins"])))
    return 0


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = p.add_subparsers(dest="command", required=True)
    h = sub.add_parser("harvest", help="make the suites from self-play or saved games")
    h.add_argument("--engine", default=os.path.normpath(DEFAULT_ENGINE), help="engine command for self-play")
    h.add_argument("--time", type=int, default=100, help="ms per move in self-play")
    h.add_argument("--concurrency", type=int, choices=(1, 2), default=2)
    h.add_argument("--sizes", type=lambda t: [int(s) for s in t.split(",")], default=[15, 20])
    h.add_argument("--games", type=int, help="at most this many self-play games")
    h.add_argument("--minutes", type=float, default=15, help="self-play stops taking games after this")
    h.add_argument("--analysis-minutes", type=float, default=30, help="stop reading games after this")
    h.add_argument("--games-dir", action="append", help="read saved game files instead of playing")
    h.add_argument("--save-games", help="folder for the self-play games (default build/tactics/games-<time>)")
    h.add_argument("--plies", type=int, default=24, help="positions looked at from each game's end")
    h.add_argument("--budget", type=int, default=100000, help="search nodes per proof before giving up")
    h.add_argument("--max", type=int, default=100, help="positions per suite")
    h.add_argument("--out", default=SUITES, help="folder for vcf.txt and vct.txt")
    r = sub.add_parser("run", help="score an engine on the suites")
    r.add_argument("--engine", default=os.path.normpath(DEFAULT_ENGINE), help="engine command")
    r.add_argument("--time", type=int, default=1000, help="ms per move (timeout_turn)")
    r.add_argument("--suite", action="append", help="suite file (default: vcf.txt and vct.txt)")
    r.add_argument("--json", help="write the results to this file")
    r.add_argument("--listed-only", action="store_true", help="count only the listed winning moves")
    args = p.parse_args(argv)
    words = shlex.split(args.engine)
    if (args.command == "run" or not getattr(args, "games_dir", None)) and not (words and shutil.which(words[0])):
        p.error("cannot run %r" % args.engine)
    if args.command == "run" and not args.suite:
        args.suite = [os.path.join(SUITES, "vcf.txt"), os.path.join(SUITES, "vct.txt")]
    return args


def main(argv):
    args = parse_args(argv)
    return harvest(args) if args.command == "harvest" else run(args)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
