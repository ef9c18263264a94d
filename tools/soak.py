#!/usr/bin/env python3
"""Soak test: many games of the engine against a second instance of itself through the
real protocol, one process per player for many games, as tournament managers run them.

Every reply is checked: a legal move on an empty point within the turn limit plus a
margin, no line other than moves and MESSAGE lines, no crash or hang, and the resident
memory under the limit of the game (INFO max_memory, or 40 MiB when none was sent).
Exits 1 when anything failed.

  tools/soak.py --games 500 --sizes 9-24 --turn-ms 100
  tools/soak.py --engine1 build/release/pbrain-korvane --engine2 "wine pbrain-korvane.exe"
"""

import argparse
import json
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pbrain  # noqa: E402

DEFAULT_ENGINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "release", "pbrain-korvane")
NO_INFO_LIMIT_KIB = 40 * 1024


def int_list(text):
    """"9-24" or "9,15,20" (memory values may be "none")."""
    values = []
    for part in text.split(","):
        if part == "none":
            values.append(None)
        elif "-" in part[1:]:
            low, high = part.split("-")
            values.extend(range(int(low), int(high) + 1))
        else:
            values.append(int(part))
    return values


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--games", type=int, default=32)
    p.add_argument("--sizes", type=int_list, default=int_list("9-24"))
    p.add_argument("--rules", type=int_list, default=[0, 1])
    p.add_argument("--turn-ms", type=int, default=100)
    p.add_argument("--match-ms", type=int, default=0, help="timeout_match; 0: 300 turns' worth")
    p.add_argument("--margin-ms", type=int, default=30, help="allowed delay past the turn limit")
    p.add_argument("--max-memory", type=int_list, default=[None],
                   help="settings in order, each for an equal block of games, e.g. none,1073741824,67108864")
    p.add_argument("--engine", default=DEFAULT_ENGINE, help="command of both players")
    p.add_argument("--engine1", help="command of player 1 (default --engine)")
    p.add_argument("--engine2", help="command of player 2 (default --engine)")
    p.add_argument("--openings", default=pbrain.DEFAULT_OPENINGS, help="folder of opening lists")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--json", help="write the figures to this file")
    p.add_argument("--quiet", action="store_true")
    return p.parse_args(argv)


class Players:
    """The two engine processes; replaced when one fails or when a game needs a fresh one."""

    def __init__(self, commands):
        self.commands = commands
        self.procs = [pbrain.EngineProcess(c, "engine%d" % (i + 1)) for i, c in enumerate(commands)]
        self.exit_codes = []

    def renew(self, i):
        self.exit_codes.append(self.procs[i].close(timeout=2))
        self.procs[i] = pbrain.EngineProcess(self.commands[i], "engine%d" % (i + 1))

    def close(self):
        self.exit_codes += [p.close() for p in self.procs]


def schedule(args, index):
    """Size, rule and memory setting of game `index`: sizes cycle fastest, then rules; the
    memory settings split the games into consecutive blocks."""
    size = args.sizes[index % len(args.sizes)]
    rule = args.rules[index // len(args.sizes) % len(args.rules)]
    memory = args.max_memory[index * len(args.max_memory) // args.games]
    return size, rule, memory


def settings_for(args, size, rule, memory):
    return {"size": size, "rule": rule, "turn_ms": args.turn_ms,
            "match_ms": args.match_ms or 300 * args.turn_ms, "max_memory": memory,
            "margin_ms": args.margin_ms, "time_left_ms": None,
            "memory_limit_kib": NO_INFO_LIMIT_KIB if memory is None else memory // 1024}


def prepare_players(players, rule, memory, last_rule):
    """Fresh processes where the engine could not honour the game's settings otherwise: no
    max_memory after one was sent (the table stays), and the free-style rule after another
    rule (INFO RULE 0 leaves the tables of the last nonzero rule)."""
    for i, proc in enumerate(players.procs):
        if (memory is None and proc.sent_max_memory) or (rule == 0 and last_rule not in (None, 0)):
            players.renew(i)


def run(args):
    openings = pbrain.load_openings(args.openings)
    players = Players([args.engine1 or args.engine, args.engine2 or args.engine])
    tally = pbrain.Tally()
    rng = random.Random(args.seed)
    last_rule = None
    for index in range(args.games):
        size, rule, memory = schedule(args, index)
        prepare_players(players, rule, memory, last_rule)
        last_rule = rule
        fitting = [s for s in (pbrain.place_opening(o, size) for o in openings) if s]
        stones = rng.choice(fitting) if fitting else []
        black, white = players.procs if index % 2 == 0 else players.procs[::-1]
        tally.games += 1
        game = pbrain.Game(settings_for(args, size, rule, memory), black, white, stones, tally)
        result = game.play()
        game.check_memory()
        tally.results[{None: "aborted", 0: "draw", 1: "black", 2: "white"}[result]] += 1
        if result is None:
            for i, proc in enumerate(players.procs):
                players.renew(i)
        if not args.quiet:
            print("game %d: size %d rule %d, %d stones, %s" % (index + 1, size, rule, len(game.board.stones),
                                                            {None: "aborted", 0: "draw", 1: "black wins",
                                                             2: "white wins"}[result]), flush=True)
    players.close()
    return tally, players.exit_codes


def summary(tally, exit_codes, seconds):
    overruns = [r["elapsed_ms"] - r["turn_ms"] for r in tally.records]
    return {
        "games": tally.games,
        "moves": tally.moves,
        "results": tally.results,
        "illegal_moves": tally.count("illegal"),
        "overruns_past_margin": tally.count("overrun"),
        "max_overrun_ms": round(max(overruns), 1) if overruns else None,
        "max_reply_ms": round(max(r["elapsed_ms"] for r in tally.records), 1) if tally.records else None,
        "crashes": tally.count("crash"),
        "hangs": tally.count("hang"),
        "memory_over_limit": tally.count("memory"),
        "peak_rss_kib": tally.peak_rss_kib,
        "unexpected_lines": len(tally.unexpected),
        "exit_codes": sorted(set(str(c) for c in exit_codes)),
        "seconds": round(seconds, 1),
    }


def main(argv):
    args = parse_args(argv)
    began = time.monotonic()
    tally, exit_codes = run(args)
    figures = summary(tally, exit_codes, time.monotonic() - began)
    for kind, text in tally.faults:
        print("FAULT %s: %s" % (kind, text))
    for line in tally.unexpected[:20]:
        print("UNEXPECTED %s" % line)
    print(json.dumps(figures, indent=1))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(figures, f, indent=1)
    failed = tally.faults or tally.unexpected or any(c != "0" for c in figures["exit_codes"])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
