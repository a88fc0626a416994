#!/usr/bin/env python3
"""Builds the demonstration puzzle of the sheet solvers and writes it as C++ source.

The puzzle: a 20 x 15 sheet of capitals in which every word of WORDS occurs exactly once
(counting all eight reading directions), every direction is used, and the letters of the cells
that no word covers, read in cell order, spell KEYWORD. Since every word occurs once, colouring
every occurrence and colouring only the first occurrence leave the same cells white.

Usage: make_demo_puzzle.py [seed] > ../engine/demopuzzle.cpp
Tries seeds from the given one (default 1) until one succeeds, and prints the C++ file on
stdout with that seed in its header comment. The committed puzzle is `make_demo_puzzle.py 97`
(about a minute and a half from seed 1).
"""
import random
import sys

COLUMNS, ROWS = 20, 15
CELLS = COLUMNS * ROWS
KEYWORD = "WEAREALLMADEOFSTARDUST"

# Astronomy, 51 words: none is part of another word, forwards or backwards, and none reads
# the same backwards.
WORDS = """
ALBEDO APHELION APOGEE ASTEROID ATLAS AURORA AXIS CERES COMET CORONA COSMOS CRATER DENEB
DWARF ECLIPSE EQUINOX FLARE GALAXY GRAVITY HALO HORIZON HUBBLE JUPITER KUIPER LUNAR MARS
MERCURY METEOR MILKYWAY MOON NADIR NEBULA NEPTUNE ORBIT ORION PARSEC PERIGEE PLANET PLUTO
PULSAR QUASAR RIGEL SATURN SOLSTICE TELESCOPE TITAN URANUS VEGA VENUS ZENITH ZODIAC
""".split()

# The eight directions as (column step, row step), in the engine's order: rightward,
# leftward, downward, upward, up-left, down-right, up-right, down-left.
DIRECTIONS = [(1, 0), (-1, 0), (0, 1), (0, -1), (-1, -1), (1, 1), (1, -1), (-1, 1)]


def cells_of(col, row, step, length):
    dc, dr = step
    out = []
    for k in range(length):
        c, r = col + dc * k, row + dr * k
        if not (0 <= c < COLUMNS and 0 <= r < ROWS):
            return None
        out.append(r * COLUMNS + c)
    return out


def occurrences(sheet, word):
    """Every (start, direction) at which word reads in the sheet."""
    found = []
    for start in range(CELLS):
        row, col = divmod(start, COLUMNS)
        for d, step in enumerate(DIRECTIONS):
            cells = cells_of(col, row, step, len(word))
            if cells and all(sheet[i] == ch for i, ch in zip(cells, word)):
                found.append((start, d))
    return found


class Builder:
    """Depth-first placement with a node budget: words longest first, each tried at a few of
    its best-scored places, pruned when the free cells can no longer come out right."""

    def __init__(self, rng, budget):
        self.rng = rng
        self.budget = budget
        self.sheet = [None] * CELLS
        self.used_dirs = [0] * 8
        self.order = sorted(WORDS, key=lambda w: (-len(w), rng.random()))
        self.lines = {}

    def lines_of(self, length):
        if length not in self.lines:
            out = []
            for start in range(CELLS):
                row, col = divmod(start, COLUMNS)
                for d, step in enumerate(DIRECTIONS):
                    cells = cells_of(col, row, step, length)
                    if cells:
                        out.append((cells, d))
            self.lines[length] = out
        return self.lines[length]

    def options(self, word, remaining, free):
        # The crossings still needed per remaining letter so that exactly len(KEYWORD)
        # cells stay free at the end.
        wanted = len(word) * (remaining - (free - len(KEYWORD))) / remaining
        sheet = self.sheet
        out = []
        for cells, d in self.lines_of(len(word)):
            overlap = 0
            for i, ch in zip(cells, word):
                cell = sheet[i]
                if cell is None:
                    continue
                if cell != ch:
                    break
                overlap += 1
            else:
                if overlap < len(word):
                    score = -2 * abs(overlap - wanted) - 0.7 * self.used_dirs[d]
                    out.append((score + self.rng.random() * 1.5, overlap, cells, d))
        out.sort(key=lambda o: -o[0])
        return out[:3]

    def place(self, k, remaining, free):
        if k == len(self.order):
            return free == len(KEYWORD) and min(self.used_dirs) >= 3
        if free - remaining > len(KEYWORD) or free < len(KEYWORD):
            return False
        self.budget -= 1
        if self.budget < 0:
            return False
        word = self.order[k]
        for _, overlap, cells, d in self.options(word, remaining, free):
            before = [self.sheet[i] for i in cells]
            for i, ch in zip(cells, word):
                self.sheet[i] = ch
            self.used_dirs[d] += 1
            if self.place(k + 1, remaining - len(word), free - (len(word) - overlap)):
                return True
            self.used_dirs[d] -= 1
            for i, ch in zip(cells, before):
                self.sheet[i] = ch
        return False


def try_build(rng):
    builder = Builder(rng, 3000)
    if not builder.place(0, sum(len(w) for w in WORDS), CELLS):
        return None
    sheet = builder.sheet
    free = [i for i in range(CELLS) if sheet[i] is None]
    for i, ch in zip(free, KEYWORD):
        sheet[i] = ch
    for word in WORDS:
        if len(occurrences(sheet, word)) != 1:
            return None
    return "".join(sheet), builder.used_dirs


def check_words():
    for a in WORDS:
        assert a != a[::-1], a
        for b in WORDS:
            if a != b:
                assert a not in b and a[::-1] not in b, (a, b)
    assert len(WORDS) == 51 and len(set(WORDS)) == 51


def main():
    check_words()
    seed = int(sys.argv[1]) if len(sys.argv) > 1 else 1
    while True:
        result = try_build(random.Random(seed))
        if result:
            break
        print('seed %d failed' % seed, file=sys.stderr)
        seed += 1
    sheet, used_dirs = result
    rows = [sheet[r * COLUMNS:(r + 1) * COLUMNS] for r in range(ROWS)]
    print("// Generated by tools/make_demo_puzzle.py (seed %d); do not edit by hand." % seed)
    print("// Words per direction (right, left, down, up, up-left, down-right, up-right,")
    print("// down-left): %s." % ", ".join(str(n) for n in used_dirs))
    print('#include "demopuzzle.h"')
    print()
    print("namespace sheetsolver {")
    print()
    print("QString demoSheet() {")
    print("    return QStringLiteral(")
    for r in rows:
        print('        "%s"' % r)
    print("    );")
    print("}")
    print()
    print("QStringList demoStrings() {")
    print("    return {")
    line = "       "
    for w in sorted(WORDS):
        item = ' QStringLiteral("%s"),' % w
        if len(line) + len(item) > 99:
            print(line)
            line = "       "
        line += item
    print(line)
    print("    };")
    print("}")
    print()
    print("QString demoKeyword() {")
    print('    return QStringLiteral("%s");' % KEYWORD)
    print("}")
    print()
    print("}  // namespace sheetsolver")


if __name__ == "__main__":
    main()
