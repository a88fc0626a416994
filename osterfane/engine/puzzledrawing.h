#pragma once

#include "puzzle.h"
#include "ui/export.h"
#include "ui/picturebox.h"

namespace osterfane {

// Drawing of a puzzle on any surface: the window's picture box, or an image, PDF or SVG
// generator through ui::PainterSurface. The side S is the surface's width in pixels and the
// cell pitch is S / n, truncated. None of these clears the surface; the caller does.

// Point size of the letters of an n x n puzzle: 30 - 2n, at least 6.
int letterPointSize(int n);

// Pixels from a surface's left edge through the last grid line of an n x n puzzle, that line
// included: n * pitch + 1, no more than side. Exports end their picture there, so their frame
// lies on that line.
int gridExtent(int side, int n);

// Lines at k * pitch for k = 1 ... n, vertical then horizontal for each k, in the foreground
// colour. No line at 0: the surface's border closes the grid at the left and top.
void drawGrid(ui::Surface& surface, int n);

// Every cell's letter centred in its cell in the foreground colour, at letterPointSize. A cell
// that was never built (code 0) shows nothing.
void drawContents(ui::Surface& surface, const Puzzle& puzzle);

// A red line through the cell centres of every placed word; leaves the foreground black.
void drawSolution(ui::Surface& surface, const Puzzle& puzzle);

// The whole picture of a built puzzle, as the window shows it: the surface cleared, the grid,
// the letters, and the solution lines when withSolutions is set.
void drawPuzzle(ui::Surface& surface, const Puzzle& puzzle, bool withSolutions);

// The picture of a built puzzle on a surface like `surface` (its size, font and colours), with
// or without its solution lines, ending at the grid's last line. It draws the puzzle when it
// leaves the screen, so the puzzle must outlive it.
ui::Picture puzzlePicture(ui::Picture surface, const Puzzle& puzzle, bool withSolutions);

// The creator window's surface: its side in pixels, which is also the largest size it draws
// (one pixel a cell), and the window's font size in points.
inline constexpr int kSurfaceSide = 450;
inline constexpr double kSurfaceFontPoints = 8.25;

// The creator window's surface as its picture box gives it, for pictures made without a
// window: kSurfaceSide pixels square, white, black pen, the design font at kSurfaceFontPoints
// for 96 dots an inch.
ui::Picture creatorSurface();

}  // namespace osterfane
