#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace ui {

// What a drawn grid (a board, a cell grid, a puzzle picture) tells a screen reader: its name,
// its size and, for each cell, a name and whether it is found or selected. Cells count from 0.
class GridDescription {
  public:
    virtual ~GridDescription() = default;
    // The grid's name as read out: "Board, 15 by 15".
    virtual QString gridName() const = 0;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // What a cell reads: "Row 2, column 3, E, found".
    virtual QString cellName(int row, int column) const = 0;
    // The cell's rectangle in the widget's coordinates.
    virtual QRect cellRect(int row, int column) const = 0;
    virtual bool cellFound(int row, int column) const = 0;
    virtual bool cellSelected(int row, int column) const = 0;
    // The cell with the keyboard focus, or row -1 when none has it.
    virtual int focusRow() const { return -1; }
    virtual int focusColumn() const { return -1; }
};

// Makes widget read as a table of cells described by description, for as long as the widget
// lives. The description must outlive the widget's accessible interface (own it together).
void describeGridForScreenReaders(QWidget* widget, const GridDescription* description);

// Tells a screen reader that cells of the grid changed state (found, selected, focus).
void gridCellsChanged(QWidget* widget);

// Announces a message, such as a find or a win, to a screen reader through an alert event
// from widget, whose accessible description becomes the message.
void announce(QWidget* widget, const QString& message);

}  // namespace ui
