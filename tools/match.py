#!/usr/bin/env python3
"""Match: two pbrain- engines play each other through the protocol; this tool judges.

  tools/match.py --engine1 build/release/pbrain-korvane-pro --engine2 build/release/pbrain-korvane \\
      --time1 200 --time2 200 --size 15 --symmetries --concurrency 2
  tools/match.py --engine1 NEW --engine2 OLD --symmetries --sprt 0 20 0.05 0.05

Games. Every opening of the list that fits the board is played twice, each engine black
once; --symmetries first expands every opening into its distinct images under the eight
symmetries of the board. --games caps the count (opening 1 both ways, opening 2 both ways,
..., then the second image of each). Each engine gets a fresh process per game, as a
manager that restarts its engines does: START size (answered OK), then INFO timeout_turn,
timeout_match (0, no limit, without a match time), max_memory (only with --max-memory),
rule. When an engine is first to move it gets BOARD with every stone so far (field 1 its
own, 2 the opponent's); every later request is TURN with the opponent's last stone. With
a match time, INFO time_left comes before every request.

Judging. The tool keeps the board and does not trust the engines: five in a row wins
under free-style (rule 0), exactly five under rule 1 (six or more wins nothing), a full
board is a draw. The engine at fault loses at once when it plays an occupied point or off
the board (illegal), sends no move within its limit plus 1 s (timeout; the limit is
timeout_turn, or the match time left when that is less), exits (crash), or writes a line
that is neither a move nor a MESSAGE or DEBUG line (bad-line).

Figures. Elo comes from the mean score with a 95% interval of +-1.96 standard errors.
Each opening pair (the same stones, colours swapped) is one sample of the pentanomial
model: that cancels the colour's advantage, which in Gomoku dwarfs most strength
differences. Where a game lacks its partner (an odd --games, a stopped match) the
trinomial model of single game scores is used instead; the summary says which.

SPRT (--sprt elo0 elo1 alpha beta): the generalised SPRT with the normal approximation, on
the game scores taken pair by pair (pentanomial): LLR = n (s1 - s0) (2 m - s0 - s1) / (2 v) over n complete pairs
of mean score m and variance v, where s0 and s1 are the logistic scores of elo0 and elo1.
The match stops when LLR reaches log((1 - beta) / alpha) (H1: elo1 or more) or falls to
log(beta / (1 - alpha)) (H0: elo0 or less); games still running then are saved as aborted
and not counted. While every pair has scored the same, the variance is 0 and LLR stays 0.
Ctrl-C stops a match the same way, with the summary of the games played.
"""

import argparse
import json
import math
import os
import shlex
import shutil
import statistics
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pbrain  # noqa: E402
from soak import DEFAULT_ENGINE  # noqa: E402

GRACE_MS = 1000
START_LIMIT_S = 10  # START to OK: process start-up, tables, a launcher such as wine
KINDS = ("illegal", "timeout", "crash", "bad-line")
SYMMETRIES = ((1, 0, 0, 1), (-1, 0, 0, 1), (1, 0, 0, -1), (-1, 0, 0, -1),
              (0, 1, 1, 0), (0, -1, 1, 0), (0, 1, -1, 0), (0, -1, -1, 0))


class Player:
    def __init__(self, name, command, turn_ms, match_ms=None):
        self.name, self.command, self.turn_ms, self.match_ms = name, command, turn_ms, match_ms


def judge(board, x, y, exact):
    """After the stone on (x, y): "five" when it won, "full board" for a draw, None to go on."""
    if board.makes_five(x, y, exact):
        return "five"
    return "full board" if board.full() else None


def images(opening):
    """The opening's distinct images under the board's symmetries, itself first."""
    seen, found = set(), []
    for a, b, c, d in SYMMETRIES:
        image = [(a * dx + b * dy, c * dx + d * dy) for dx, dy in opening]
        key = (frozenset(image[0::2]), frozenset(image[1::2]))
        if key not in seen:
            seen.add(key)
            found.append(image)
    return found


def schedule(openings, size, symmetries, cap):
    """The games in order: dicts of opening number, image, offsets, stones and black (0 for
    engine1, 1 for engine2). With symmetries the images are taken round by round (the
    first image of every opening, then the second ...), so that a capped match still
    samples every opening."""
    rounds, seen = [], set()
    for number, opening in enumerate(openings, 1):
        kept = 0
        for image_no, image in enumerate(images(opening) if symmetries else [opening]):
            stones = pbrain.place_opening(image, size)
            key = (frozenset(stones[0::2]), frozenset(stones[1::2])) if stones else None
            if stones is None or (symmetries and key in seen):
                continue
            seen.add(key)
            if kept == len(rounds):
                rounds.append([])
            rounds[kept].extend({"opening": number, "image": image_no, "offsets": image, "stones": stones,
                                 "black": black} for black in (0, 1))
            kept += 1
    games = [game for games_of_round in rounds for game in games_of_round]
    return games[:cap] if cap is not None else games


def is_chatter(line, arrival):
    return line.startswith(("MESSAGE", "DEBUG"))


def await_ok(engine):
    """Reads up to the OK of START: None, or (kind, line) as read_move gives them."""
    deadline = time.monotonic() + START_LIMIT_S
    while True:
        arrival, line = engine.read_line(max(0.0, deadline - time.monotonic()))
        if line is None or line is pbrain.TIMEOUT:
            return ("crash" if line is None else "timeout"), None
        if line.strip() == "OK":
            return None
        if not is_chatter(line, arrival):
            return "line", line


def play_game(players, size, rule, stones, max_memory=None, stop=None):
    """One game; players maps colour (1 black, 2 white) to Player. Returns a dict: winner
    (colour, 0 for a draw, None when stopped), reason, fault (kind, colour, detail) or None,
    moves [(x, y, colour, ms)]."""
    board = pbrain.Board(size, stones)
    procs, moves, used_ms = {}, [], {1: 0.0, 2: 0.0}
    outcome = {"winner": None, "reason": "match stopped", "fault": None, "moves": moves}

    def fault(colour, kind, detail):
        outcome.update(winner=3 - colour, reason="%s by %s: %s" % (kind, players[colour].name, detail),
                       fault=(kind, colour, detail))
        return outcome

    def failure(colour, kind, value, limit_s):
        if kind == "crash":
            return fault(colour, "crash", "the process exited")
        if kind == "timeout":
            return fault(colour, "timeout", "nothing within %.1f s" % limit_s)
        return fault(colour, "bad-line", repr(value[:200]))

    try:
        for colour, player in players.items():
            try:
                procs[colour] = engine = pbrain.EngineProcess(player.command, player.name, sample_ms=None,
                                                              new_session=True)
            except OSError as e:
                return fault(colour, "crash", "cannot start: %s" % e)
            if engine.send("START %d" % size) is None:
                return fault(colour, "crash", "input closed")
            refused = await_ok(engine)
            if refused:
                return failure(colour, refused[0], "START %d: %s" % (size, refused[1]), START_LIMIT_S)
            engine.send(*pbrain.info_lines(rule, player.turn_ms, player.match_ms or 0, max_memory))
        told = set()
        while stop is None or not stop.is_set():
            colour = board.to_move()
            player, engine = players[colour], procs[colour]
            lines, limit_ms = [], player.turn_ms
            if player.match_ms:
                left = max(0, int(player.match_ms - used_ms[colour]))
                lines.append("INFO time_left %d" % left)
                limit_ms = min(limit_ms, left)
            lines += board.board_command(colour) if colour not in told else ["TURN %d,%d" % board.stones[-1]]
            told.add(colour)
            sent = engine.send(*lines)
            if sent is None:
                return fault(colour, "crash", "input closed")
            limit_s = (limit_ms + GRACE_MS) / 1000.0
            kind, value, arrival = pbrain.read_move(engine, sent + limit_s, is_chatter)
            if kind != "move":
                return failure(colour, kind, value, limit_s)
            x, y = value
            ms = (arrival - sent) * 1000.0
            used_ms[colour] += ms
            moves.append((x, y, colour, ms))
            if not board.is_free(x, y):
                on_board = 0 <= x < size and 0 <= y < size
                return fault(colour, "illegal", "%d,%d %s" % (x, y, "occupied" if on_board else "off the board"))
            board.place(x, y)
            ending = judge(board, x, y, rule != 0)
            if ending:
                outcome.update(winner=colour if ending == "five" else 0, reason=ending)
                return outcome
        return outcome
    finally:
        for engine in procs.values():
            engine.close(timeout=2)


def score_of_elo(elo):
    return 1.0 / (1.0 + 10.0 ** (-elo / 400.0))


def elo_of_score(score):
    if score <= 0:
        return -math.inf
    if score >= 1:
        return math.inf
    return -400.0 * math.log10(1.0 / score - 1.0)


def elo_interval(samples):
    """(elo, low, high) of the 95% interval from scores in 0..1: one per game (trinomial)
    or one mean per opening pair (pentanomial)."""
    n = len(samples)
    mean = sum(samples) / n
    error = math.sqrt(statistics.pvariance(samples, mean) / n)
    return elo_of_score(mean), elo_of_score(mean - 1.96 * error), elo_of_score(mean + 1.96 * error)


def sprt_llr(pairs, elo0, elo1):
    """The normal-approximation LLR over the mean scores of complete opening pairs."""
    if len(pairs) < 2:
        return 0.0
    mean = sum(pairs) / len(pairs)
    variance = statistics.pvariance(pairs, mean)
    if variance == 0:
        return 0.0
    s0, s1 = score_of_elo(elo0), score_of_elo(elo1)
    return len(pairs) * (s1 - s0) * (2 * mean - s0 - s1) / (2 * variance)


class Match:
    """Runs the schedule, keeps the counts and writes the files; shared by the workers."""

    def __init__(self, args, players, games):
        self.args, self.players, self.games = args, players, games
        self.lock = threading.Lock()
        self.stop = threading.Event()
        self.next = 0
        self.done = {}  # game index -> record
        self.decision = None
        self.llr = 0.0
        self.bounds = None
        if args.sprt:
            _, _, alpha, beta = args.sprt
            self.bounds = (math.log(beta / (1 - alpha)), math.log((1 - beta) / alpha))

    def take(self):
        with self.lock:
            if self.stop.is_set() or self.next >= len(self.games):
                return None
            self.next += 1
            return self.next - 1

    def work(self, end):
        try:
            while self.play_next():
                pass
        finally:
            end.set()

    def play_next(self):
        index = self.take()
        if index is None:
            return False
        game = self.games[index]
        by_colour = {1: self.players[game["black"]], 2: self.players[1 - game["black"]]}
        try:
            outcome = play_game(by_colour, self.args.size, self.args.rule, game["stones"],
                                self.args.max_memory, self.stop)
        except Exception as e:  # a fault of this tool: the match goes on without this game
            outcome = {"winner": None, "reason": "tool error: %r" % e, "fault": None, "moves": []}
        self.finish(index, game, by_colour, outcome)
        return True

    def finish(self, index, game, by_colour, outcome):
        winner = outcome["winner"]
        record = dict(game, index=index + 1, black_name=by_colour[1].name, white_name=by_colour[2].name,
                      winner=winner, reason=outcome["reason"], moves=outcome["moves"],
                      result={None: "aborted", 0: "1/2-1/2", 1: "1-0", 2: "0-1"}[winner],
                      score1=None if winner is None else 0.5 if winner == 0 else
                      float((winner == 1) == (game["black"] == 0)))
        if outcome["fault"]:
            kind, colour, detail = outcome["fault"]
            record["fault"] = {"kind": kind, "engine": by_colour[colour].name, "detail": detail}
        with self.lock:
            # A game that ends after the decision would move the figures away from the LLR
            # that made it: kept on disk, not counted.
            record["counted"] = winner is not None and not self.decision
            if winner is not None and self.decision:
                record["reason"] += " (after the SPRT decision, not counted)"
            self.done[index] = record
            write_game(self.args.out, record, self)
            with open(os.path.join(self.args.out, "results.txt"), "a") as f:
                f.write(result_line(record) + "\n")
            if self.bounds and not self.decision:
                self.llr = sprt_llr(pair_scores(self.counted())[0], *self.args.sprt[:2])
                if not self.bounds[0] < self.llr < self.bounds[1]:
                    self.decision = "H1" if self.llr >= self.bounds[1] else "H0"
                    self.stop.set()
            if not self.args.quiet:
                print(progress_line(self, record), file=sys.stderr, flush=True)

    def counted(self):
        return [self.done[i] for i in sorted(self.done) if self.done[i]["counted"]]


def pair_scores(records):
    """Mean engine1 scores of the complete opening pairs, and the games without a partner."""
    by_opening = {}
    for r in records:
        by_opening.setdefault((r["opening"], r["image"]), []).append(r["score1"])
    pairs = [sum(s) / 2 for s in by_opening.values() if len(s) == 2]
    return pairs, sum(1 for s in by_opening.values() if len(s) == 1)


def tally(records, players):
    """W/L/D per engine and colour, faults by kind, move times."""
    out = {}
    for i, p in enumerate(players):
        wld = {"all": [0, 0, 0], "black": [0, 0, 0], "white": [0, 0, 0]}
        faults = dict.fromkeys(KINDS, 0)
        times = []
        for r in records:
            colour = 1 if r["black"] == i else 2
            times += [m[3] for m in r["moves"] if m[2] == colour]
            if r.get("fault") and r["fault"]["engine"] == p.name:
                faults[r["fault"]["kind"]] += 1
            slot = 2 if r["winner"] == 0 else 0 if r["winner"] == colour else 1
            for key in ("all", "black" if colour == 1 else "white"):
                wld[key][slot] += 1
        out[p.name] = {"command": p.command, "turn_ms": p.turn_ms, "match_ms": p.match_ms,
                       "wins_losses_draws": wld, "faults": faults,
                       "median_ms": round(statistics.median(times), 1) if times else None,
                       "slowest_ms": round(max(times), 1) if times else None}
    return out


def figures(match, seconds):
    records = match.counted()
    players = match.players
    result = {"games": len(records), "scheduled": len(match.games), "size": match.args.size,
              "rule": match.args.rule, "seconds": round(seconds, 1), "out": match.args.out,
              "engines": tally(records, players)}
    if records:
        pairs, single = pair_scores(records)
        model = "pentanomial" if pairs and not single else "trinomial"
        samples = pairs if model == "pentanomial" else [r["score1"] for r in records]
        elo, low, high = elo_interval(samples)
        result["score1"] = sum(r["score1"] for r in records) / len(records)
        result["elo"] = {"difference": finite(elo), "low": finite(low), "high": finite(high), "model": model,
                         "samples": len(samples)}
    if match.args.sprt:
        elo0, elo1, alpha, beta = match.args.sprt
        result["sprt"] = {"elo0": elo0, "elo1": elo1, "alpha": alpha, "beta": beta, "llr": round(match.llr, 3),
                          "lower": round(match.bounds[0], 3), "upper": round(match.bounds[1], 3),
                          "decision": match.decision}
    return result


def finite(value):
    return round(value, 1) + 0.0 if math.isfinite(value) else ("+inf" if value > 0 else "-inf")


def signed(value):
    return value if isinstance(value, str) else "%+.1f" % value


def progress_line(match, record):
    scores = [r["score1"] for r in match.counted()]
    text = "game %d/%d (opening %d.%d, %s black): %s, %d moves | %s +%d -%d =%d %.1f%%" % (
        record["index"], len(match.games), record["opening"], record["image"] + 1, record["black_name"],
        verdict(record), len(record["moves"]), match.players[0].name, scores.count(1.0),
        scores.count(0.0), scores.count(0.5), 100.0 * sum(scores) / len(scores) if scores else 0.0)
    if match.bounds:
        text += " | LLR %.2f (%.2f, %.2f)" % (match.llr, match.bounds[0], match.bounds[1])
    return text


def verdict(r):
    if r["winner"] in (1, 2):
        return "%s %s wins, %s" % (r["result"], r["black_name"] if r["winner"] == 1 else r["white_name"], r["reason"])
    return "%s, %s" % (r["result"], r["reason"])


def result_line(r):
    return "%d opening %d.%d black %s white %s: %s, %d moves" % (
        r["index"], r["opening"], r["image"] + 1, r["black_name"], r["white_name"], verdict(r), len(r["moves"]))


def write_game(folder, r, match):
    p = {pl.name: pl for pl in match.players}
    lines = ["game %d, size %d, rule %d" % (r["index"], match.args.size, match.args.rule)]
    for colour, name in (("black", r["black_name"]), ("white", r["white_name"])):
        pl = p[name]
        lines.append("%s: %s (%s), %d ms/move%s" % (colour, name, pl.command, pl.turn_ms,
                                                     ", match %d ms" % pl.match_ms if pl.match_ms else ""))
    lines.append("opening %d.%d (offsets from the centre): %s" % (
        r["opening"], r["image"] + 1, " ".join("%d,%d" % o for o in r["offsets"])))
    lines.append("opening stones: %s" % " ".join("%d,%d" % s for s in r["stones"]))
    lines.append("moves (x,y colour ms):")
    first = len(r["stones"]) + 1
    lines += ["%4d. %d,%d %s %.0f" % (first + i, x, y, "black" if c == 1 else "white", ms)
              for i, (x, y, c, ms) in enumerate(r["moves"])]
    lines.append("result: %s" % verdict(r))
    with open(os.path.join(folder, "game-%04d.txt" % r["index"]), "w") as f:
        f.write("\n".join(lines) + "\n")


def summary_text(fig, match):
    names = [p.name for p in match.players]
    lines = ["%d games (of %d scheduled), size %d, rule %d, %.0f s; files in %s" % (
        fig["games"], fig["scheduled"], fig["size"], fig["rule"], fig["seconds"], fig["out"])]
    for name in names:
        e = fig["engines"][name]
        w = e["wins_losses_draws"]
        faults = ", ".join("%s %d" % (k, n) for k, n in e["faults"].items() if n) or "none"
        lines.append("%s (%s, %d ms/move%s): +%d -%d =%d; black +%d -%d =%d; white +%d -%d =%d" % (
            name, e["command"], e["turn_ms"], ", match %d ms" % e["match_ms"] if e["match_ms"] else "",
            *w["all"], *w["black"], *w["white"]))
        lines.append("  abnormal endings: %s; move time median %s ms, slowest %s ms" % (
            faults, e["median_ms"], e["slowest_ms"]))
    if "elo" in fig:
        elo = fig["elo"]
        unit = "opening pairs" if elo["model"] == "pentanomial" else "games"
        lines.append("score %s: %.1f%%; Elo %s - %s: %s, 95%% interval [%s, %s] (%s, %d %s)" % (
            names[0], 100 * fig["score1"], names[0], names[1], signed(elo["difference"]), signed(elo["low"]),
            signed(elo["high"]), elo["model"], elo["samples"], unit))
    if "sprt" in fig:
        s = fig["sprt"]
        verdict = {"H1": "H1 accepted (elo >= %g)" % s["elo1"], "H0": "H0 accepted (elo <= %g)" % s["elo0"],
                   None: "no decision"}[s["decision"]]
        lines.append("SPRT elo0 %g elo1 %g alpha %g beta %g: LLR %.2f, bounds [%.2f, %.2f]: %s" % (
            s["elo0"], s["elo1"], s["alpha"], s["beta"], s["llr"], s["lower"], s["upper"], verdict))
    return "\n".join(lines)


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--engine1", default=os.path.normpath(DEFAULT_ENGINE), help="command of the first engine")
    p.add_argument("--engine2", default=os.path.normpath(DEFAULT_ENGINE), help="command of the second engine")
    p.add_argument("--name1", help="label of engine 1 (default: its file name)")
    p.add_argument("--name2", help="label of engine 2")
    p.add_argument("--time1", type=int, default=1000, help="ms per move of engine 1 (timeout_turn)")
    p.add_argument("--time2", type=int, default=1000, help="ms per move of engine 2")
    p.add_argument("--match1", type=int, help="ms per game of engine 1 (timeout_match, time_left)")
    p.add_argument("--match2", type=int, help="ms per game of engine 2")
    p.add_argument("--size", type=int, default=15)
    p.add_argument("--rule", type=int, choices=(0, 1), default=0, help="0 free-style, 1 exact five")
    p.add_argument("--max-memory", type=int, help="INFO max_memory in bytes (default: not sent)")
    p.add_argument("--openings", help="opening list (default: the repository's list for the size)")
    p.add_argument("--symmetries", action="store_true", help="play every distinct image of each opening")
    p.add_argument("--games", type=int, help="at most this many games")
    p.add_argument("--concurrency", type=int, choices=(1, 2), default=1)
    p.add_argument("--sprt", type=float, nargs=4, metavar=("ELO0", "ELO1", "ALPHA", "BETA"))
    p.add_argument("--out", help="folder for the games (default build/matches/<time>)")
    p.add_argument("--json", help="write the figures to this file")
    p.add_argument("--quiet", action="store_true", help="no progress lines")
    args = p.parse_args(argv)
    if min(args.time1, args.time2) < 1 or any(m is not None and m < 1 for m in (args.match1, args.match2)):
        p.error("times must be positive")
    if args.sprt and not (0 < args.sprt[2] < 1 and 0 < args.sprt[3] < 1 and args.sprt[0] < args.sprt[1]):
        p.error("--sprt needs elo0 < elo1 and alpha, beta in (0, 1)")
    for command in (args.engine1, args.engine2):
        words = shlex.split(command)
        if not words or not shutil.which(words[0]):
            p.error("cannot run %r" % command)
    return args


def engine_names(args):
    """Labels: the given names, or the executables' file names (told apart when alike)."""
    names = [args.name1 or os.path.basename(shlex.split(args.engine1)[0]),
             args.name2 or os.path.basename(shlex.split(args.engine2)[0])]
    if names[0] == names[1]:
        names = [names[0] + "#1", names[1] + "#2"]
    return names


def main(argv):
    args = parse_args(argv)
    openings = pbrain.load_opening_file(args.openings or pbrain.default_opening_file(args.size))
    games = schedule(openings, args.size, args.symmetries, args.games)
    if not games:
        print("no opening of the list fits a %dx%d board" % (args.size, args.size), file=sys.stderr)
        return 2
    if not args.out:
        args.out = os.path.join(pbrain.REPO_ROOT, "build", "matches", time.strftime("%Y%m%d-%H%M%S"))
        while os.path.exists(args.out):
            args.out += "+"
    os.makedirs(args.out, exist_ok=True)
    names = engine_names(args)
    players = [Player(names[0], args.engine1, args.time1, args.match1),
               Player(names[1], args.engine2, args.time2, args.match2)]
    match = Match(args, players, games)
    if not args.quiet:
        print("%d games, %s against %s, files in %s" % (len(games), names[0], names[1], args.out), file=sys.stderr)
    began = time.monotonic()
    # Events rather than Thread.join: a join cut short by Ctrl-C may later return early.
    ends = [threading.Event() for _ in range(args.concurrency)]
    for end in ends:
        threading.Thread(target=match.work, args=(end,), daemon=True).start()
    interrupted = False
    try:
        for end in ends:
            while not end.wait(0.2):
                pass
    except KeyboardInterrupt:
        interrupted = True
        match.stop.set()  # running games end at their next move and are not counted
        for end in ends:
            end.wait()
    fig = figures(match, time.monotonic() - began)
    with open(os.path.join(args.out, "results.txt"), "w") as f:
        f.writelines(result_line(match.done[i]) + "\n" for i in sorted(match.done))
    print(summary_text(fig, match))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(fig, f, indent=1)
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
