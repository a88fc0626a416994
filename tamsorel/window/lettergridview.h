#pragma once

#include <unordered_map>

#include <QLineEdit>
#include <QStaticText>
#include <QWidget>

#include "engine/lettergrid.h"
#include "ui/accessiblegrid.h"

namespace tamsorel {

// The letter cells of the solver as one custom-painted widget: cell n is drawn at its place in
// rows of cells of one size, with its own colours and one centred character. A single in-place
// editor sits on the current cell, in the cell's colours with a focus frame; it takes one typed
// character (replacing the cell's letter) and reports it. The widget is as large as the grid and
// lives in a scroll area. A screen reader reads it as a table of cells (see cellName), and the
// editor by the name of the cell it stands on.
class LetterGridView : public QWidget {
    Q_OBJECT
  public:
    // Shows grid, whose changes its window reports through gridReset() and cellsChanged().
    LetterGridView(const LetterGrid& grid, QSize cellSize, QWidget* parent = nullptr);
    ~LetterGridView() override;

    // The grid was created or removed: resize to it and start at cell 1.
    void gridReset();
    // The cells changed their text or colours: repaints those that can be seen, and only
    // them. Cells scrolled out of sight are painted as they are when they come into sight.
    void cellsChanged(const std::vector<int>& cells);

    // The rectangle of cell n in this widget's coordinates (cell 1 at the origin).
    QRect cellRect(int n) const;
    // The cell that has the editor, 0 without a grid.
    int currentCell() const { return current_; }
    void setCurrentCell(int n);

    // What a screen reader reads for cell n: "Cell 6, row 2, column 3, G, found"; an empty
    // cell reads "empty" in place of its letter, and a cell that is not found says nothing more.
    QString cellName(int n) const;
    // Tells a screen reader that cells changed their letters or colours.
    void cellsChangedForScreenReaders();

  signals:
    // The user typed or erased the current cell's text in the editor. A typed key is reported
    // even when the cell already holds that letter.
    void cellEdited(int n, const QString& text);
    // The current cell moved; its rectangle is given so a scroll area can show it.
    void currentCellMoved(const QRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The rectangle of the cell in column col and row row, both counted from 0.
    QRect rectAt(int col, int row) const;
    // The cell under a point of this widget, or 0.
    int cellAt(const QPoint& p) const;
    // Moves the editor onto the current cell and reports the move.
    void syncEditor();
    // Gives the editor the current cell's text and colours.
    void showCurrentCell();
    void moveBy(int dcol, int drow);
    void paintCells(QPainter& painter, const QRect& area);
    // The laid-out glyph of one letter in the widget's font, made once per letter.
    const QStaticText& letter(QChar c);

    // The cells as a screen reader reads them.
    class CellsDescription final : public ui::GridDescription {
      public:
        explicit CellsDescription(const LetterGridView& view) : view_(view) {}
        QString gridName() const override;
        int rowCount() const override { return view_.grid_.gridRows(); }
        int columnCount() const override { return view_.grid_.gridCols(); }
        QString cellName(int row, int column) const override;
        QRect cellRect(int row, int column) const override { return view_.rectAt(column, row); }
        bool cellFound(int row, int column) const override;
        bool cellSelected(int, int) const override { return false; }
        int focusRow() const override;
        int focusColumn() const override;

      private:
        int cell(int row, int column) const { return row * columnCount() + column + 1; }
        const LetterGridView& view_;
    };

    const LetterGrid& grid_;
    const QSize cellSize_;
    CellsDescription description_{*this};
    QLineEdit* editor_;
    int current_ = 0;
    bool editorSyncQueued_ = false;
    int pendingCellUpdates_ = 0;
    bool wholeUpdatePending_ = false;
    std::unordered_map<char16_t, QStaticText> letters_;
};

}  // namespace tamsorel
