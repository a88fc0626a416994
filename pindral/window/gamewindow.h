#pragma once

#include <memory>

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "core/eventpump.h"
#include "core/random.h"
#include "pindral/engine/game.h"
#include "pindral/engine/settingsfile.h"

class QKeyEvent;
class QPushButton;
class QTreeWidget;

namespace ui {
class GridDescription;
class PictureBox;
class PictureMenu;
class Surface;
struct DocumentPage;
}  // namespace ui

namespace pindral {

class CursorFrame;
class SettingsWindow;

// The contrast between two colours as the Web Content Accessibility Guidelines measure it,
// from 1 (none) to 21 (black on white). Text needs 4.5 or more to stay legible.
double contrastRatio(const QColor& a, const QColor& b);

// The folder where the open dialog starts: the shipped word lists, found in "wordlists" beside
// the program as built, or in "pindral/wordlists" of the installed data folder; the program's
// folder when neither exists.
QString shippedListFolder(const QString& programFolder);

// The dark band of the keyboard cursor's frame. White lines on both sides of it keep the frame
// visible on every fill, the selecting and solution colours included.
QColor cursorColour();

// The game window ("fGame"): the word tree, the board and the two buttons. It owns the game
// and the settings file for the program's lifetime, turns the pointer on the board into the
// game's drags and shows what they changed.
//
// The board plays from the keyboard too: once Tab has brought the focus to it, a frame marks
// the cursor square. The arrow keys move the cursor; Space or Enter acts as a press on the
// cursor square, arrows then as moves of the pointer to the squares they reach, and Space or
// Enter again as the release; Escape drops a selection without a release. A screen reader
// reads the board as a table of squares and hears each find and the win.
//
// While a new game is made, the window's events are let in every few milliseconds, with
// the two buttons, the board's menu and the settings window disabled; closing the window ends
// the work.
class GameWindow : public QWidget, private core::EventPump {
    Q_OBJECT
  public:
    // The program's own window: settings beside the program (or, where that folder is not
    // writable, in "pindral" of the user's configuration folder), the open dialog in the
    // shipped word lists (shippedListFolder).
    GameWindow();
    // settingsPath: where the settings are read and saved; listFolder: where the open dialog
    // starts.
    GameWindow(const QString& settingsPath, const QString& listFolder, QWidget* parent = nullptr);
    ~GameWindow() override;

    const Game& game() const { return game_; }
    // The keyboard's square on the board.
    CellPos cursor() const { return cursor_; }
    const SettingsFile& settingsFile() const { return settingsFile_; }

    // The action of cmdPlay: choose a word list and start a new game from it.
    void newGame();
    // A new game from the word list at path, exactly as newGame goes on once that list is
    // chosen: the program's file argument opens so. An unreadable file gets the same message.
    void newGameFrom(const QString& path);
    // The action of cmdSettings: shows the settings window, or brings the open one forward.
    void openSettings();
    // Called by the settings window after OK: shows the new size and colours in a running game.
    void settingsApplied();
    // The room the board has, in pixels: the available area of the window's screen less the
    // window's parts around the board and, once the window is shown, its frame.
    QSize boardArea() const;

    // A pointer position in board pixels as a whole number: nearest, halves to the even one,
    // kept within 16 bits.
    static qint16 boardPixel(double value);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The board's keys and focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Sizes board, tree and window for m squares of the current square size.
    void sizeFor(int m);
    // Sizes board, tree and window for the running game and sets the letters' size.
    void resizeBoard();
    // The whole board drawn anew and shown; false when the pump asked to stop.
    bool drawBoard(core::EventPump& pump = core::noEventPump());
    // One square on any surface the board's size: filled in the selecting colour, the
    // solution colour or white, framed, with its letter centred as a capital.
    void drawSquare(ui::Surface& surface, qint16 x, qint16 y, bool selected) const;
    // One row of squares, not selected.
    void paintRow(ui::Surface& surface, qint16 y) const;
    // The whole board on any surface the board's size, as an export draws it.
    void paintBoard(ui::Surface& surface) const;
    // The board as it stands, with the placed entries.
    ui::DocumentPage boardPage() const;

    // The square under a pointer position in board pixels, on the board or not.
    CellPos squareUnder(qint16 x, qint16 y) const;
    // Shows a drag's highlight as it changed.
    void showChanges(const QList<SquareChange>& changes);
    // The release of a drag: a found entry turns plain in the tree, the last one closes the
    // game with its message, and the board shows without the highlight.
    void endSelection();
    // newGame from the chosen list on: read it, then set up, list, draw and start the game.
    void startGame(const QString& path);
    // The pump of a new game's long steps: the window's events every 5 milliseconds.
    bool pumpEvents() override;
    // Disables, or enables again, what must wait while a new game is made.
    void setMaking(bool making);
    // Keyboard play on the board; returns whether the key is one of the board's.
    bool boardKey(const QKeyEvent& key);
    // Moves the cursor by a step, staying on the board; a selection in progress follows it.
    void moveCursor(int dx, int dy);
    // Frames the cursor square while the board has the keyboard focus and a puzzle to show.
    void showCursor();
    // Tells a screen reader that the cursor moved to another square.
    void announceCursor();
    // The tree row of a found entry (its index among the placed entries) turns plain and
    // grey, and is scrolled into view.
    void markEntryFound(qsizetype entry);

    SettingsFile settingsFile_;
    core::RandomSource random_;
    Game game_;
    QString listFolder_;

    QPushButton* playButton_;
    QPushButton* settingsButton_;
    QTreeWidget* wordTree_;
    ui::PictureBox* board_;
    ui::PictureMenu* boardMenu_;
    CursorFrame* cursorFrame_;
    CellPos cursor_;
    std::unique_ptr<ui::GridDescription> boardDescription_;
    QPointer<SettingsWindow> settingsWindow_;
    bool shown_ = false;    // a game's board has been drawn: the board's menu has a picture
    bool making_ = false;   // a new game is being made
    bool closing_ = false;  // the window closed while it was
    QElapsedTimer pumpClock_;
};

}  // namespace pindral
