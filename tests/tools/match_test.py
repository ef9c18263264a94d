#!/usr/bin/env python3
"""The match tool's judge and figures; faulty engines are small scripts written here."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import match  # noqa: E402
import pbrain  # noqa: E402

# scan: the first free point, after a MESSAGE and a DEBUG line; occupy: always 7,7;
# talk: a MESSAGE line, then a line that is no move.
FAKE_ENGINE = r'''
import sys
mode, taken, size, board = sys.argv[1], set(), 15, False
def say(*lines):
    sys.stdout.write("".join(line + "\n" for line in lines))
    sys.stdout.flush()
def move():
    if mode == "occupy":
        return say("7,7")
    if mode == "talk":
        return say("MESSAGE hi", "hello")
    x, y = next((x, y) for y in range(size) for x in range(size) if (x, y) not in taken)
    taken.add((x, y))
    say("MESSAGE thinking", "DEBUG 1", "%d,%d" % (x, y))
for line in sys.stdin:
    words = line.split()
    if words[0] == "START":
        size = int(words[1])
        say("OK")
    elif words[0] == "BOARD":
        board = True
    elif words[0] == "DONE":
        board = False
        move()
    elif board:
        taken.add(tuple(int(n) for n in words[0].split(",")[:2]))
    elif words[0] == "TURN":
        taken.add(tuple(int(n) for n in words[1].split(",")))
        move()
    elif words[0] == "END":
        break
'''


def row(colour_stones, other_stones):
    """Stones in play order: black's list and white's list interleaved, black first."""
    order = []
    for i in range(len(colour_stones)):
        order.append(colour_stones[i])
        if i < len(other_stones):
            order.append(other_stones[i])
    return order


class JudgeTest(unittest.TestCase):
    def test_five_wins_and_six_only_under_free_style(self):
        white = [(0, 9), (2, 9), (4, 9), (6, 9), (8, 9)]
        five = pbrain.Board(15, row([(0, 0), (1, 0), (2, 0), (3, 0), (4, 0)], white[:4]))
        self.assertEqual(match.judge(five, 4, 0, exact=True), "five")
        four = pbrain.Board(15, row([(0, 0), (1, 0), (3, 0), (4, 0)], white[:3]))
        self.assertIsNone(match.judge(four, 4, 0, exact=False))
        # The last stone joins two rows into six.
        six = pbrain.Board(15, row([(0, 0), (1, 0), (2, 0), (4, 0), (5, 0), (3, 0)], white))
        self.assertIsNone(match.judge(six, 3, 0, exact=True))
        self.assertEqual(match.judge(six, 3, 0, exact=False), "five")

    def test_full_board_draws_unless_the_last_stone_makes_five(self):
        # 5 x 5: black's last stone, on the last free point, completes the top row.
        pattern = ["BBBBB", "WBWBW", "BWWWB", "WBWBW", "BWWWB"]
        cells = {c: [(x, y) for y in range(1, 5) for x in range(5) if pattern[y][x] == c] for c in "BW"}
        board = pbrain.Board(5, row([(x, 0) for x in range(4)] + cells["B"] + [(4, 0)], cells["W"]))
        self.assertTrue(board.full())
        self.assertEqual(match.judge(board, 4, 0, exact=True), "five")
        board.cells[0][0] = 2  # the same last stone, but the top row is broken
        self.assertEqual(match.judge(board, 4, 0, exact=True), "full board")


class ScheduleTest(unittest.TestCase):
    def test_capped_symmetric_match_samples_every_opening_first(self):
        openings = [[(0, 0), (1, 0), (1, 3)], [(0, 0), (1, 1), (0, 3)]]
        games = match.schedule(openings, 15, True, 6)
        self.assertEqual([g["opening"] for g in games], [1, 1, 2, 2, 1, 1])
        self.assertEqual([g["black"] for g in games[:2]], [0, 1])
        self.assertEqual(len(match.schedule(openings, 15, True, None)), 2 * 2 * 8)


class FaultTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.script = os.path.join(cls.folder.name, "fake_engine.py")
        with open(cls.script, "w") as f:
            f.write(FAKE_ENGINE)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def play(self, black, white, size=15, stones=((7, 7), (8, 7), (8, 10))):
        players = {c: match.Player(mode, "%s %s %s" % (sys.executable, self.script, mode), 1000)
                   for c, mode in ((1, black), (2, white))}
        return match.play_game(players, size, 0, list(stones))

    def test_faulty_engine_loses_with_the_reason(self):
        illegal = self.play("scan", "occupy")
        self.assertEqual((illegal["winner"], illegal["fault"]), (1, ("illegal", 2, "7,7 occupied")))
        talk = self.play("scan", "talk")
        self.assertEqual((talk["winner"], talk["fault"]), (1, ("bad-line", 2, "'hello'")))

    def test_full_board_is_a_draw_and_chatter_is_skipped(self):
        game = self.play("scan", "scan", size=4, stones=())
        self.assertEqual((game["winner"], game["reason"], game["fault"], len(game["moves"])),
                         (0, "full board", None, 16))


class FiguresTest(unittest.TestCase):
    def test_elo_interval_of_a_known_score(self):
        elo, low, high = match.elo_interval([1.0] * 60 + [0.0] * 40)  # 60%, standard error 0.049
        self.assertAlmostEqual(elo, 70.44, places=2)
        self.assertAlmostEqual(low, 2.77, places=2)
        self.assertAlmostEqual(high, 143.91, places=2)
        self.assertEqual(match.elo_interval([1.0, 1.0])[0], float("inf"))


if __name__ == "__main__":
    unittest.main()
