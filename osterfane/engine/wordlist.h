#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The rules by which the creator's entry field and word list take words, for typed words and
// for words read from a file alike.
namespace osterfane {

// Whether a character may end an entry: a letter of any alphabet, so that words in Cyrillic,
// Greek or with accents can be typed. Digits, signs, spaces and marks are not.
bool endsAnEntry(QChar c);

// How much of a composed text the entry field keeps: its length up to and including its last
// character that ends an entry. Only the end is looked at, so "x1y" is kept whole.
qsizetype keptLength(QStringView composed);

// The text the entry field holds after text was typed into the empty field key by key: every
// character that is not a letter is taken off as soon as it is typed, and a combining mark
// joins the letter before it where Unicode has one character for both ("nai" U+0308 "ve" gives
// "naïve"). Space and Enter, which would add the word, are dropped like any other non-letter.
QString typedEntry(QStringView text);

// Whether the list takes an entry: at least two characters, each able to stand in one square.
bool isListable(QStringView entry);

// The lines of a word file as the list takes them: each line typed into the entry field
// (typedEntry) and added, in file order, unless the list already holds it ignoring case.
struct WordFileLines {
    // Why a line gave no new entry. Blank lines and lines without a letter are left out
    // without a reason.
    enum class Reason { TooShort, Duplicate };
    struct LeftOut {
        int line = 0;  // counted from 1
        QString text;  // the line's entry (typedEntry)
        Reason reason = Reason::TooShort;
    };

    QStringList entries;
    QList<LeftOut> leftOut;
};

// listed: the entries the list holds already.
WordFileLines entriesFromLines(const QStringList& lines, const QStringList& listed = {});

}  // namespace osterfane
