#pragma once

#include <optional>

#include <QStringView>
#include <QtGlobal>

namespace core {

// Reads the whole text as a number, as a user would type it: surrounding spaces, a sign,
// digits, decimal and group separators of the user's locale (or of the C locale) and an
// exponent. Returns nothing for text that is not a finite number ("", "abc", "1x", "inf").
std::optional<double> parseNumber(QStringView text);

// Reads the longest leading number of the text and ignores the rest: leading spaces, a sign,
// digits and one '.' decimal point, then an optional exponent. "12abc" gives 12, "abc" and ""
// give 0, " -3.5e2x" gives -350. Never fails.
double leadingNumber(QStringView text);

// Rounds to the nearest whole number, an exact half to the even neighbour (2.5 gives 2).
double roundHalfEven(double value);

}  // namespace core
