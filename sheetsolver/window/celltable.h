#pragma once

#include <array>

#include <QObject>
#include <QString>

#include "engine/sheetsearch.h"
#include "ui/geometry.h"

class QLineEdit;
class QWidget;

namespace sheetsolver {

// The cell table of a sheet window: the control array Text1 (0..299) of one-letter boxes,
// named "Text1_<i>". A cell's text is its box's text and its colour the box's background.
// Cells that do not exist yet read as empty and white. The search runs on a snapshot of the
// table, whose colours the table then shows.
//
// Keys in a cell: a key that types one printable character writes it, upper-cased, into the
// cell and moves the focus on to the next cell with its letter selected (the last cell keeps
// the focus). Backspace and Delete empty the cell and leave the focus where it is. The arrow
// keys move the focus, with the letter selected: left and right one cell along the row and on
// into the row before or after, up and down one row (20 cells); at the edge of the sheet the
// focus stays, selecting its cell's letter. Every other key (Shift, Ctrl, function keys, Escape,
// shortcuts) writes nothing and keeps the focus, so a released modifier can never put a control
// character into the sheet.
//
// A screen reader reads a cell by its place as its name ("Row 3, column 7", rows and columns
// counted from 1), its letter as its text and "found" as its description while it has
// kFoundColour.
//
// The table is one stop in the window's tab order: only the cell that last had the focus (at
// first cell 0) takes it from Tab and Shift+Tab, and both keys leave the table for the next or
// previous control.
// The accessible name of cell i: "Row 3, column 7" for cell 46.
QString cellName(int i);

class CellTable final : public QObject {
  public:
    explicit CellTable(QObject* parent = nullptr);
    ~CellTable() override;

    // Creates cell i (once; a second call changes nothing) as a child of parent, shown, with
    // its text centred and at most one character long, in rect.
    QLineEdit* createCell(int i, QWidget* parent, const ui::TwipsRect& rect);
    bool hasCell(int i) const { return i >= 0 && i < kCellCount && cells_[i] != nullptr; }
    QLineEdit* cell(int i) const { return hasCell(i) ? cells_[i] : nullptr; }

    QString cellText(int i) const;
    Colour cellColour(int i) const;
    void setCellColour(int i, Colour colour);
    void setCellText(int i, const QString& text);

    // The cells' texts and colours as the search takes them.
    MemorySheet snapshot() const;
    // Gives every cell the colour it has in sheet.
    void showColours(const Sheet& sheet);

    // Character i of text goes to cell i; cells beyond the text are emptied, characters
    // beyond the last cell are ignored.
    void fillFrom(const QString& text);
    // The texts of all cells joined without separators.
    QString joinedText() const;

    // Enables or disables every cell (typing is locked out while a search yields).
    void setCellsEnabled(bool enabled);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int indexOf(const QObject* object) const;
    // Gives cell i the focus with its letter selected, so the next key typed replaces it.
    void focusCell(int i);
    void makeTabStop(int i);

    std::array<QLineEdit*, kCellCount> cells_{};
    std::array<Colour, kCellCount> colours_{};
    int tabStop_ = 0;
};

}  // namespace sheetsolver
