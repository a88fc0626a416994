#pragma once

#include <QString>
#include <QStringView>

namespace core {

// A word as the suite stores it: composed to Unicode Normalization Form C, so that a letter
// typed or saved with a separate combining mark (N A I U+0308 V E) becomes the one character
// Unicode has for it (N A Ï V E).
QString composedWord(QStringView word);

// True when every QChar of the word can stand alone in one square of a grid: no half of a
// surrogate pair (emoji, historic scripts) and no combining mark left over after composition.
// Grids hold one QChar a square, so a word failing this cannot be placed or drawn.
bool fitsOneCharPerSquare(QStringView word);

// The QChars of the word in reverse order: "CAT" gives "TAC". Words the grids hold have one QChar
// a square (fitsOneCharPerSquare), so this is the word read backwards across the squares.
QString reversed(QStringView word);

}  // namespace core
