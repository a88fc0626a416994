#pragma once

#include <QString>
#include <QStringList>

#include "core/eventpump.h"

namespace pindral {

// An entry overwritten by removeContainedWords: 1000 lowercase "x". It keeps the indexes of
// the word list unchanged and is never placed.
const QString& removalMarker();

// Overwrites with the removal marker every entry that occurs within another entry, with the
// result of comparing every ordered pair (i, j), i != j, in the order i = 0.., j = 0.., and
// testing the entries as they stand at that moment (so a marker written earlier takes part in
// later tests). An empty entry occurs in every non-empty entry; nothing occurs in an empty
// entry; comparisons are case-sensitive. Runs in time about linear in the total text, with the
// pump run now and then; when it asks to stop, the words stay as they were and false is
// returned.
bool removeContainedWords(QStringList& words, core::EventPump& pump = core::noEventPump());

}  // namespace pindral
