#pragma once

#include <QWidget>

#include "core/colour.h"
#include "pindral/engine/settingsfile.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pindral {

class fGame;

// The settings window: square size, squares across, the two colours and the backwards
// option. It is made anew at each opening, starts from the stored settings, and stores,
// saves and applies them on OK; Cancel or the close box drops every change.
class fSettings : public QWidget {
    Q_OBJECT
  public:
    fSettings(SettingsFile& ini, fGame* game);

    // The colours the swatches show now, 0 for the selecting colour, 1 for the solution one.
    core::Colour swatchColour(int index) const { return colours_[index]; }

    // The action of cmdOK. Returns false, with a message, when the window must stay open.
    bool accept();
    // The action of a click on swatch i: the player picks its colour.
    void chooseColour(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape acts as Cancel

  private:
    void showSwatch(int index);
    // The largest number a box takes, so that the board check's product cannot overflow;
    // the board check refuses far smaller ones.
    static constexpr qint64 kLargestTyped = 999999999;
    // The number in a box rounded to a whole one from 1 to kLargestTyped, or nothing (with a
    // message naming it) when it is not such a number.
    std::optional<int> wholeNumberIn(QLineEdit* box, const QString& what);

    SettingsFile& ini_;
    fGame* game_;
    core::Colour colours_[2];

    QLineEdit* txtSize_;
    QLineEdit* txtCount_;
    QLabel* lblColor_[2];
    QCheckBox* chkBack_;
    QPushButton* cmdCancel_;
    QPushButton* cmdOK_;
};

}  // namespace pindral
