#!/usr/bin/env python3
"""Measures how far past its own time budget each move line arrives, from the request
(TURN or BOARD written) to the move line read through the pipe.

Self-play games from the opening lists on 15x15, 20x20 and 24x24 boards, with per-move
limits of 100 ms, 1 s and 5 s, each once with a generous time_left and once with a
time_left small enough to set the budget (a third of it). Each configuration plays
games until it has its quota of moves. Moves are told apart as threat (the last stone
made a row of three or more) or quiet.

  tools/time_discipline.py --engine build/release/pbrain-korvane --json before.json
"""

import argparse
import json
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pbrain  # noqa: E402
from soak import DEFAULT_ENGINE  # noqa: E402

# Per-move limit -> moves measured per (size, binding) configuration.
QUOTAS = {100: 40, 1000: 10, 5000: 4}
SIZES = (15, 20, 24)
TARGET_MS = 30


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--engine", default=DEFAULT_ENGINE)
    p.add_argument("--limits", default="100,1000,5000", help="per-move limits in ms")
    p.add_argument("--scale", type=float, default=1.0, help="multiplies the move quotas")
    p.add_argument("--max-memory", type=int, default=None, help="INFO max_memory for every game")
    p.add_argument("--openings", default=pbrain.DEFAULT_OPENINGS)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--json", help="write every move record to this file")
    return p.parse_args(argv)


def measure(args, turn_ms, size, binding, openings, rng):
    """Plays until the quota is met; the move records of this configuration."""
    tally = pbrain.Tally()
    quota = max(1, int(QUOTAS.get(turn_ms, 10) * args.scale))
    fitting = [s for s in (pbrain.place_opening(o, size) for o in openings) if s]
    players = [pbrain.EngineProcess(args.engine, "engine%d" % i) for i in (1, 2)]
    while len(tally.records) < quota:
        settings = {"size": size, "rule": 0, "turn_ms": turn_ms, "match_ms": 1000 * turn_ms,
                    "max_memory": args.max_memory, "margin_ms": 10 ** 9,
                    "time_left_ms": 3 * turn_ms // 2 if binding else None, "memory_limit_kib": None,
                    "move_cap": min(quota - len(tally.records), 12)}
        tally.games += 1
        # Later stones of a game come after a few moves: varied, often tactical positions.
        if pbrain.Game(settings, players[0], players[1], rng.choice(fitting), tally).play() is None:
            print("engine failure: %s" % tally.faults[-1:], file=sys.stderr)
            players = [pbrain.EngineProcess(args.engine, "engine%d" % i) for i in (1, 2)]
    for p in players:
        p.close()
    for r in tally.records:
        r.update(binding=binding, overrun_ms=r["elapsed_ms"] - r["budget_ms"])
    return tally.records


def describe(records):
    overruns = sorted(r["overrun_ms"] for r in records)
    p95 = overruns[min(len(overruns) - 1, int(0.95 * len(overruns)))]
    return "n=%3d  max %+7.1f ms  p95 %+7.1f ms  over target %d" % (
        len(overruns), overruns[-1], p95, sum(1 for o in overruns if o > TARGET_MS))


def main(argv):
    args = parse_args(argv)
    openings = pbrain.load_openings(args.openings)
    rng = random.Random(args.seed)
    records = []
    began = time.monotonic()
    for turn_ms in [int(v) for v in args.limits.split(",")]:
        for size in SIZES:
            for binding in (False, True):
                found = measure(args, turn_ms, size, binding, openings, rng)
                records += found
                print("turn %5d ms  size %2d  %-8s %s" % (turn_ms, size, "binding" if binding else "free",
                                                          describe(found)), flush=True)
    for kind in (False, True):
        chosen = [r for r in records if r["threat"] == kind]
        if chosen:
            print("%-7s moves: %s" % ("threat" if kind else "quiet", describe(chosen)))
    print("all     moves: %s  (%.0f s)" % (describe(records), time.monotonic() - began))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(records, f)
    return 1 if any(r["overrun_ms"] > TARGET_MS for r in records) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
