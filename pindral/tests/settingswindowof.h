#pragma once

// Finding the settings window that a game window opened, as a user finds it on screen.

#include "pindral/window/gamewindow.h"
#include "pindral/window/settingswindow.h"

namespace pindral {

// The settings window ("fSettings") of the game window: the one on screen, else one that was
// closed and is not deleted yet, else null.
inline SettingsWindow* settingsWindowOf(const GameWindow& game) {
    SettingsWindow* found = nullptr;
    for (SettingsWindow* w : game.findChildren<SettingsWindow*>(QStringLiteral("fSettings")))
        if (!found || w->isVisible()) found = w;
    return found;
}

}  // namespace pindral
