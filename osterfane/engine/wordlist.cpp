#include "wordlist.h"

#include <QSet>

#include "core/letters.h"

namespace osterfane {

bool endsAnEntry(QChar c) {
    return c.isLetter();
}

qsizetype keptLength(QStringView composed) {
    qsizetype keep = composed.size();
    while (keep > 0 && !endsAnEntry(composed[keep - 1]))
        --keep;
    return keep;
}

// The field ends in a letter after every key, and a typed character can only compose with the
// characters from the last one of combining class 0 on, so only that tail is composed again:
// the result is the field's after each key, in time linear in the text. No character below
// U+0300 composes with the one before it.
QString typedEntry(QStringView text) {
    QString field;
    for (const QChar c : text) {
        if (c.unicode() < 0x300) {
            if (endsAnEntry(c)) field += c;
            continue;
        }
        qsizetype tail = field.size();
        while (tail > 0 && field[tail - 1].combiningClass() != 0)
            --tail;
        if (tail > 0) --tail;
        const QString composed = core::composedWord(field.mid(tail) + c);
        field.truncate(tail);
        field += composed.left(keptLength(composed));
    }
    return field;
}

bool isListable(QStringView entry) {
    return entry.size() >= 2 && core::fitsOneCharPerSquare(entry);
}

WordFileLines entriesFromLines(const QStringList& lines, const QStringList& listed) {
    WordFileLines result;
    QSet<QString> known;
    for (const QString& entry : listed)
        known.insert(entry.toLower());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString entry = typedEntry(lines[i]);
        if (entry.isEmpty()) continue;
        const int line = int(i + 1);
        if (!isListable(entry)) {
            result.leftOut.append({line, entry, WordFileLines::Reason::TooShort});
        } else if (known.contains(entry.toLower())) {
            result.leftOut.append({line, entry, WordFileLines::Reason::Duplicate});
        } else {
            known.insert(entry.toLower());
            result.entries << entry;
        }
    }
    return result;
}

}  // namespace osterfane
