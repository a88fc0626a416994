#pragma once

#include <functional>
#include <optional>
#include <variant>

#include <QByteArray>
#include <QString>

namespace ui {
class CommandLine;
}

// Puzzles built from the command line, without a window and without a display:
//   osterfane --words FILE --size N [--inverted] [--solutions] [--count K] [--seed S]
//             --output FILE
namespace osterfane {

enum class SheetFormat { Pdf, Png, Svg, Script };

// Most puzzles one command builds.
inline constexpr int kMaxSheetCount = 1000;

struct WorksheetRequest {
    QString wordsPath;
    int size = 0;
    bool includeInverted = false;  // as "Include inverted"
    bool showSolutions = false;    // as "Show solutions", for PNG and SVG pictures
    int count = 1;
    // The random source's start; without one every run differs.
    std::optional<quint64> seed;
    QString output;
    SheetFormat format = SheetFormat::Pdf;
};

// Adds --words, --size, --inverted, --solutions, --count, --seed and --output.
void addWorksheetOptions(ui::CommandLine& commandLine);

// Whether any of those options was given: the command then builds puzzles and opens no window.
bool asksForWorksheets(const ui::CommandLine& commandLine);

// The request the options give, or a sentence saying what is wrong with them.
std::variant<WorksheetRequest, QString> worksheetRequest(const ui::CommandLine& commandLine);

// Where puzzle i (from 1) of count goes: the output itself for a PDF or a single puzzle, else
// the output's name numbered before its extension: "name-01.png", "name-02.png", and with
// more than 99 puzzles as many digits as count has.
QString numberedPath(const WorksheetRequest& request, int i);

// Removes the creation date from a PDF written by Qt, keeping every byte offset, so the same
// pages give the same file.
QByteArray withoutCreationDate(QByteArray pdf);

// Reads the words, builds request.count puzzles from one random source and writes them: a PDF
// holds every puzzle on its own page with its words, then every answer key, as "Print..."
// lays them out; the other formats get one file a puzzle. Words that the list would not take,
// and the messages "Draw" would show, go to `report`, one line each; they do not stop the
// run. Files are written directly, not synced one by one, and an existing file is replaced.
// Returns 0, or 2 after a message when the word file cannot be read or a file cannot be
// written. Drawing needs a QGuiApplication; scripts need only a QCoreApplication.
int writeWorksheets(const WorksheetRequest& request,
                    const std::function<void(const QString&)>& report);

// The whole command after its options were parsed: checks them, creates the application on the
// offscreen platform, so no display is needed, writes the puzzles and reports on standard
// error as "osterfane: ...". Returns the exit status.
int runWorksheets(const ui::CommandLine& commandLine, int& argc, char** argv);

}  // namespace osterfane
