#include "puzzledrawing.h"

#include <algorithm>

#include <QHash>

#include "core/numbers.h"
#include "ui/services.h"

namespace osterfane {

namespace {

int pitchOf(int side, int n) {
    return n > 0 ? side / n : 0;
}

int nearest(double value) {
    return int(core::roundHalfEven(value));
}

}  // namespace

int letterPointSize(int n) {
    return std::max(6, nearest((10.0 - n) * 2 + 10));
}

int gridExtent(int side, int n) {
    return std::min(side, n * pitchOf(side, n) + 1);
}

void drawGrid(ui::Surface& surface, int n) {
    const int side = surface.width();
    const int height = surface.height();
    const int pitch = pitchOf(side, n);
    for (int k = 1; k <= n; ++k) {
        surface.line(k * pitch, 0, k * pitch, height);
        surface.line(0, k * pitch, side, k * pitch);
    }
}

// A puzzle has thousands of cells and a few dozen distinct letters: each letter's text is made
// and measured once, in the one font the loop draws in.
void drawContents(ui::Surface& surface, const Puzzle& puzzle) {
    struct Letter {
        QString text;
        int width = 0;
        int height = 0;
    };
    QHash<char16_t, Letter> letters;
    const int n = puzzle.size();
    const int pitch = pitchOf(surface.width(), n);
    surface.setFontSize(letterPointSize(n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const char16_t code = puzzle.letterAt(x, y);
            if (code == 0) continue;
            auto letter = letters.constFind(code);
            if (letter == letters.cend()) {
                const QString text{QChar(code)};
                letter = letters.insert(code, {text, nearest(surface.textWidth(text)),
                                               nearest(surface.textHeight(text))});
            }
            surface.setCurrentX(x * pitch + pitch / 2 - letter->width / 2);
            surface.setCurrentY(y * pitch + pitch / 2 - letter->height / 2);
            surface.print(letter->text);
        }
    }
}

void drawSolution(ui::Surface& surface, const Puzzle& puzzle) {
    const int pitch = pitchOf(surface.width(), puzzle.size());
    const auto centre = [pitch](qint16 cell) { return qint16(cell * pitch + pitch / 2); };
    surface.setForeColour(core::kRed);
    for (const Solution& s : puzzle.solutions()) {
        surface.line(centre(s.x1), centre(s.y1), centre(s.x2), centre(s.y2));
    }
    surface.setForeColour(core::kBlack);
}

void drawPuzzle(ui::Surface& surface, const Puzzle& puzzle, bool withSolutions) {
    surface.clear();
    drawGrid(surface, puzzle.size());
    drawContents(surface, puzzle);
    if (withSolutions) drawSolution(surface, puzzle);
}

ui::Picture puzzlePicture(ui::Picture surface, const Puzzle& puzzle, bool withSolutions) {
    surface.draw = [&puzzle, withSolutions](ui::Surface& s) {
        drawPuzzle(s, puzzle, withSolutions);
    };
    const int side = gridExtent(surface.size.width(), puzzle.size());
    surface.extent = QSize(side, side);
    return surface;
}

ui::Picture creatorSurface() {
    ui::Picture surface;
    surface.size = QSize(kSurfaceSide, kSurfaceSide);
    surface.font = ui::designFont(kSurfaceFontPoints);
    surface.fontDpi = 96;
    surface.foreColor = core::kBlack;
    surface.fillColor = core::kBlack;
    surface.backColor = core::kWhite;
    return surface;
}

}  // namespace osterfane
