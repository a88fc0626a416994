#pragma once

#include <functional>
#include <optional>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include "core/eventpump.h"
#include "engine/sheetsearch.h"
#include "ui/geometry.h"

class QLineEdit;
class QListWidget;
class QSlider;
class QTextEdit;
class QWidget;

namespace sheetsolver {
class CellTable;
}

// What the windows of both sheet solvers share besides the cell table: the sheet text box and
// its RTF files, the sorted list of strings and the Find run that yields to the window.
namespace sheetsolver {

// The font of both versions' windows.
void setSheetWindowFont(QWidget* window);

// The delay slider "sldDelay": 0..5000, small change 1, large change 5, value 0.
QSlider* createDelaySlider(QWidget* parent, const ui::TwipsRect& rect);

// Every character upper-cased on its own, so the text keeps its length ("ß" stays "ß").
QString upperCased(QStringView text);

// The sheet text box's plain text: paragraphs separated by "\n", non-breaking spaces kept.
QString sheetText(const QTextEdit* box);
void setSheetText(QTextEdit* box, const QString& text);

// The filter both file dialogs show.
QString rtfFileFilter();

// Largest file "Load from File" reads, in bytes.
inline constexpr qint64 kMaxSheetFileBytes = 64 * 1024 * 1024;

// "Load from File": asks for an existing RTF file and puts its plain text into box. A
// cancelled dialog, an unreadable or too large file and a file that is not RTF end the action
// silently and leave box unchanged.
void loadSheetFile(QWidget* parent, QTextEdit* box);

// "Save to File": asks for a file name, new or existing, and writes box's text to it as RTF,
// replacing an existing file only once the new content is complete. Cancel or failure ends
// the action silently.
void saveSheetFile(QWidget* parent, QTextEdit* box);

// Adds an entry at its alphabetical place, as a sorted list box does: ignoring case first,
// then by character codes; an equal entry goes after those already there. Returns its row.
int addSorted(QListWidget* list, const QString& entry);
// Removes exactly the selected entries and leaves no entry selected, so a second call removes
// nothing; with none selected, nothing happens.
void removeSelected(QListWidget* list);
QStringList listEntries(const QListWidget* list);

// "Add": the string box's text, upper-cased, goes into the sorted list; the box is emptied.
void addFromBox(QListWidget* list, QLineEdit* box);

// The start-up content of both versions: the demonstration sheet and its strings.
void showDemoPuzzle(QTextEdit* box, QListWidget* list);

// Runs the Find run of a window, yielding to the window as the delay slider says. Before the
// first yield the window's controls that could change the sheet or the list are disabled
// (through setControlsEnabled(false)); they are enabled again when the run ends. At delay 0
// the run never yields, so nothing can interleave and nothing is disabled. The slider stays
// live and is read at every start cell.
class FindRunner : private core::EventPump {
  public:
    // delay gives the slider's current value.
    FindRunner(std::function<int()> delay, std::function<void(bool enabled)> setControlsEnabled);

    // Returns what the keyword label shows, or nothing when requestStop() ended the run.
    std::optional<QString> run(CellTable& cells, const QStringList& words, SearchMode mode,
                               bool timed);
    bool isRunning() const { return running_; }
    // Ends a yielding run at its next yield (the window is closing).
    void requestStop() { stopRequested_ = true; }
    // Seconds from any fixed point, never going backwards; a monotonic clock by default.
    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }

  private:
    // Shows the colours found so far, locks the controls before the first yield and lets the
    // window process its events. False once the window asked to stop.
    bool pumpEvents() override;

    std::function<int()> delay_;
    std::function<void(bool)> setControlsEnabled_;
    std::function<double()> clock_;
    QElapsedTimer monotonic_;
    CellTable* cells_ = nullptr;
    const Sheet* sheet_ = nullptr;
    bool locked_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace sheetsolver
