#!/usr/bin/env python3
"""The proof search behind the tactical suites, on positions small enough to check by hand."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import tactics  # noqa: E402


def stones(black, white):
    return [(x, y, 1) for x, y in black] + [(x, y, 2) for x, y in white]


def cells(size, found):
    return sorted((c % size, c // size) for c in found)


# Black: a closed three on row 6 (white at 3,6) and 7,8 7,9 on column 7. 7,6 makes a four
# and a broken three; after the forced 8,6, 7,7 makes two fives at once.
FOUR_THREE = ([(4, 6), (5, 6), (6, 6), (7, 8), (7, 9)], [(3, 6)])


class SolverTest(unittest.TestCase):
    def test_vcf_and_every_first_move(self):
        self.assertEqual(tactics.solve(15, stones(*FOUR_THREE), 1, False, 8), (2, [(7, 6)]))

    def test_counter_four_of_the_forced_block_refutes(self):
        # White's forced 8,6 completes 8,6-8,9 (8,10 is black's): black must take 8,5,
        # which makes no four, so the fours run out.
        black, white = FOUR_THREE
        position = stones(black + [(8, 10)], white + [(8, 7), (8, 8), (8, 9)])
        self.assertIsNone(tactics.solve(15, position, 1, False, 8))

    def test_vct_by_two_open_threes(self):
        position = stones([(5, 7), (6, 7), (7, 5), (7, 6)], [])
        self.assertIsNone(tactics.solve(15, position, 1, False, 8))
        length, wins = tactics.solve(15, position, 1, True, 5)
        self.assertEqual(length, 2)
        self.assertIn((7, 7), wins)

    def test_moves_outside_the_lists(self):
        # FOUR_THREE has threes to spare: even a wasted stone in the corner still wins.
        rich = {"size": 15, "colour": 1, "stones": stones(*FOUR_THREE)}
        self.assertTrue(tactics.proves_win(rich, (0, 0)))
        self.assertFalse(tactics.proves_win(rich, (4, 6)))  # occupied
        poor = {"size": 15, "colour": 1, "stones": stones([(4, 6), (5, 6), (6, 6)], [(3, 6)])}
        self.assertFalse(tactics.proves_win(poor, (7, 6)))  # a four, blocked, and nothing after

    def test_blocks_of_a_three(self):
        # Open on both sides: only the two ends stop it; a far end leaves an open four.
        lone = tactics.Solver(15, stones([(5, 7), (6, 7), (7, 7)], []), True)
        self.assertEqual(cells(15, lone.blocks(1)), [(4, 7), (8, 7)])
        # Broken and closed on one side: the gap and both ends, but not the far end 10,7.
        broken = tactics.Solver(15, stones([(5, 7), (7, 7), (8, 7)], [(3, 7)]), True)
        self.assertEqual(cells(15, broken.blocks(1)), [(4, 7), (6, 7), (9, 7)])
        self.assertIsNone(tactics.Solver(15, stones([(5, 7), (6, 7)], []), True).blocks(1))


class SuiteFileTest(unittest.TestCase):
    def test_line_round_trip_and_bad_stones(self):
        p = {"size": 20, "colour": 2, "stones": [(10, 10, 1), (0, 19, 2), (11, 10, 1)], "wins": [(3, 4), (19, 0)], "also": [(5, 5)],
             "length": 3, "from": "20-0007@3"}
        self.assertEqual(tactics.parse_position(tactics.format_position(p)), p)
        for bad in (dict(p, stones=[(20, 1, 1)]), dict(p, stones=[(1, 1, 1), (1, 1, 2)])):
            with self.assertRaises(ValueError):
                tactics.parse_position(tactics.format_position(bad))

    def test_images_share_a_key(self):
        position = [(1, 2, 1), (3, 2, 2), (4, 5, 1)]
        mirrored = [(14 - x, y, c) for x, y, c in position]
        self.assertEqual(tactics.canonical(15, position, 2), tactics.canonical(15, mirrored, 2))
        self.assertNotEqual(tactics.canonical(15, position, 2), tactics.canonical(15, position, 1))


if __name__ == "__main__":
    unittest.main()
