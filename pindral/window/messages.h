#pragma once

#include <QString>

namespace pindral {

// The program's title: the caption of its message boxes.
inline const QString kProgramTitle = QStringLiteral("pZorbeck!");

// The closing message, shown when the last entry of a game is found.
inline const QString kClosingMessage =
    QStringLiteral("You win.\r\n\r\nThat's all.\r\n\r\nThank you, come again.");

}  // namespace pindral
