#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/eventpump.h"
#include "core/textfile.h"
#include "engine/sheetsearch.h"
#include "ui/geometry.h"
#include "window/celltable.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTextEdit;
class QWidget;

// The sheet editor: the controls both versions' windows share and what they do. Its sheet-text
// part holds the sheet text with its RTF files and the sorted list of strings; its table part
// holds the cell table, the delay, "Find!" and the keyword. The first version's window has both
// parts; the second version has the sheet-text part in its load window and the table part in
// its sheet window.
namespace sheetsolver {

class ResultLabel;

// Where a window puts the sheet-text part, in twips.
struct SheetTextLayout {
    ui::TwipsRect sheetText;     // "rtbText", the sheet as one run of text
    ui::TwipsRect loadFromFile;  // "Command4", "Load from File"
    ui::TwipsRect saveToFile;    // "Command5", "Save to File"
    ui::TwipsRect strings;       // "lstStrings", the sorted list of strings to find
    ui::TwipsRect newString;     // "Text2", the string "Add" puts into the list
    ui::TwipsRect add;           // "Command6", "Add"
    ui::TwipsRect remove;        // "cmdRemoveListiem", "Remove"
};

// The controls of the sheet-text part, in their designed tab order.
struct SheetTextControls {
    QTextEdit* sheetText;
    QPushButton* loadFromFile;
    QPushButton* saveToFile;
    QListWidget* strings;
    QLineEdit* newString;
    QPushButton* add;
    QPushButton* remove;
};

// Where a window puts the table part, in twips. Cell (column c, row r) lies at
// left + pitchX * c, top + pitchY * r, and is width x height.
struct TableLayout {
    int left;
    int top;
    int pitchX;
    int pitchY;
    int width;
    int height;
    ui::TwipsRect delayCaption;  // "Label3", "Delay:"
    ui::TwipsRect delay;         // "sldDelay", the delay of the search, 0..5000
    ui::TwipsRect keyword;       // "lblword", the keyword or the result sentence
    ui::TwipsRect find;          // "cmdFind", "Find!"
};

// The focusable controls of the table part besides the cells, in their designed tab order.
struct TableControls {
    QSlider* delay;
    QPushButton* find;
};

// How "Find!" searches: the version's mode, where the strings come from and, for a timed run,
// the clock (seconds, never going backwards). An empty clock: the run is not timed.
struct FindRules {
    SearchMode mode;
    std::function<QStringList()> strings;
    std::function<double()> clock;
};

// A clock for FindRules: seconds since the call, from a monotonic timer.
std::function<double()> monotonicSeconds();

// The point size of the design font of both versions' windows.
inline constexpr double kWindowFontPoints = 8.25;

// Every character upper-cased on its own, so the text keeps its length ("ß" stays "ß").
QString upperCased(QStringView text);

// The sheet text box's plain text: paragraphs separated by "\n", non-breaking spaces kept.
QString sheetText(const QTextEdit* box);

// The filter both file dialogs show.
QString rtfFileFilter();

// A caption of several lines: a label that wraps its words and starts at its top left.
QLabel* createCaption(QWidget* parent, const char* name, const ui::TwipsRect& rect,
                      const QString& text);

// Largest file "Load from File" reads, in bytes.
inline constexpr qint64 kMaxSheetFileBytes = core::kMaxTextFileBytes;

// The entries of a list, in list order.
QStringList listEntries(const QListWidget* list);

// The sheet editor of one window. Its controls are children of that window; the window creates
// the parts it has, places its own controls and sets the tab order over both.
//
// The sheet-text part:
// - "Load from File" asks for an existing RTF file and puts its plain text into the sheet text
//   box. A cancelled dialog, an unreadable or too large file and a file that is not RTF end the
//   action silently and leave the box unchanged.
// - "Save to File" asks for a file name, new or existing, and writes the box's text to it as
//   RTF, replacing an existing file only once the new content is complete. Cancel or failure
//   ends the action silently.
// - "Add" puts the string box's text, upper-cased, at its alphabetical place in the list, as a
//   sorted list box does: ignoring case first, then by character codes, an equal entry after
//   those already there. The string box is emptied.
// - "Remove" removes exactly the selected entries and leaves no entry selected, so a second
//   click removes nothing; with none selected, nothing happens.
//
// The table part: "Find!" runs the Find run on the cells, yielding to the window as the delay
// slider says, shows what it gave in the keyword label and announces it to a screen reader
// after the keyword label's caption. Before the first yield the cells,
// "Find!", the buttons of the sheet-text part and the window's own controls named by
// lockDuringRuns() are disabled; they are enabled again when the run ends. At delay 0 the run
// never yields, so nothing can interleave and nothing is disabled. The slider stays live and is
// read at every start cell. Closing the window ends a yielding run at its next yield; the
// keyword label then keeps what it showed.
class SheetEditor final : public QObject, private core::EventPump {
  public:
    explicit SheetEditor(QWidget* window);
    ~SheetEditor() override;

    // Creates the sheet-text part, which starts with the demonstration sheet and its strings.
    SheetTextControls createSheetText(const SheetTextLayout& layout);
    QString sheetText() const;
    void setSheetText(const QString& text);
    // What "Load from File" does with the file chosen in its dialog: puts the plain text of
    // the RTF file at path into the sheet text box, or, for a file that cannot be read, is too
    // large or is not RTF, leaves the box as it is, silently.
    void loadSheetFile(const QString& path);
    // The entries of the list, in list order.
    QStringList strings() const;
    void clearStrings();

    // Creates the table part with cells 0..cellCount-1 (the others come with
    // createRemainingCells) and the delay, keyword and "Find!" controls. The controls of the
    // part that lie below the keyword label move down with it when a long result makes it
    // grow (see ResultLabel). keywordCaption is the window's caption of the keyword label,
    // which starts the sentence a screen reader hears when a run ends ("The keyword is:
    // WEAREALL..."). Call once the window has its size.
    TableControls createTable(const TableLayout& layout, int cellCount, FindRules rules,
                              const QLabel* keywordCaption);
    // Creates the cells not created yet, letting the window process its events after each.
    void createRemainingCells();
    CellTable& cells() { return cells_; }
    // Shows text in the keyword label.
    void showResult(const QString& text);
    // The window's own controls that are disabled while a run yields, besides the editor's.
    void lockDuringRuns(std::initializer_list<QWidget*> controls);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void loadFromFile();
    void saveToFile();
    void add();
    void remove();
    void find();
    // Shows the colours found so far, locks the controls before the first yield and lets the
    // window process its events. False once the window is closing.
    bool pumpEvents() override;
    void setLocked(bool locked);
    ui::TwipsRect cellRect(int i) const;

    QWidget* window_;
    QTextEdit* sheetText_ = nullptr;
    QListWidget* strings_ = nullptr;
    QLineEdit* newString_ = nullptr;
    CellTable cells_;
    TableLayout table_{};
    QSlider* delay_ = nullptr;
    ResultLabel* keyword_ = nullptr;
    const QLabel* keywordCaption_ = nullptr;
    QPushButton* find_ = nullptr;
    FindRules rules_;
    std::vector<QWidget*> locked_;  // besides the cells

    // The run in progress.
    const Sheet* runSheet_ = nullptr;
    bool controlsLocked_ = false;
    bool stopRequested_ = false;
};

}  // namespace sheetsolver
