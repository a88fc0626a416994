#pragma once

#include <optional>

#include <QWidget>

#include "core/colour.h"
#include "pindral/engine/settingsfile.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pindral {

class GameWindow;

// The settings window ("fSettings"): square size, squares across, the two colours and the
// backwards option. It is made anew at each opening, starts from the stored settings, and
// stores, saves and applies them on OK; Cancel or the close box drops every change.
class SettingsWindow : public QWidget {
    Q_OBJECT
  public:
    // settingsFile: the settings shown and, on OK, stored and saved; game: the window that
    // shows them, or null.
    SettingsWindow(SettingsFile& settingsFile, GameWindow* game);

    // The action of cmdOK. Returns false, with a message, when the window must stay open.
    bool accept();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape acts as Cancel

  private:
    // The action of a click on swatch i: the player picks its colour.
    void chooseColour(int index);
    void showSwatch(int index);
    // The largest number a box takes, so that the board check's product cannot overflow;
    // the board check refuses far smaller ones.
    static constexpr qint64 kLargestTyped = 999999999;
    // The number in a box rounded to a whole one from 1 to kLargestTyped, or nothing (with a
    // message naming it) when it is not such a number.
    std::optional<int> wholeNumberIn(QLineEdit* box, const QString& what);

    SettingsFile& settingsFile_;
    GameWindow* game_;
    core::Colour colours_[2];  // the selecting colour, then the solution colour

    QLineEdit* sizeBox_;
    QLineEdit* countBox_;
    QLabel* swatches_[2];
    QCheckBox* backwardsBox_;
    QPushButton* cancelButton_;
    QPushButton* okButton_;
};

}  // namespace pindral
