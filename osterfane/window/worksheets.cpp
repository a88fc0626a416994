#include "worksheets.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "core/random.h"
#include "core/textfile.h"
#include "engine/puzzle.h"
#include "engine/puzzledrawing.h"
#include "engine/puzzlescript.h"
#include "engine/wordlist.h"
#include "ui/commandline.h"
#include "ui/export.h"
#include "ui/services.h"

namespace osterfane {

namespace {

const QString kWords = QStringLiteral("words");
const QString kSize = QStringLiteral("size");
const QString kInverted = QStringLiteral("inverted");
const QString kSolutions = QStringLiteral("solutions");
const QString kCount = QStringLiteral("count");
const QString kSeed = QStringLiteral("seed");
const QString kOutput = QStringLiteral("output");

struct FormatSuffix {
    const char* suffix;
    SheetFormat format;
};
constexpr FormatSuffix kFormats[] = {{"pdf", SheetFormat::Pdf},
                                     {"png", SheetFormat::Png},
                                     {"svg", SheetFormat::Svg},
                                     {"tam", SheetFormat::Script}};

// A whole number from min to max, as typed: digits only, an optional sign.
std::optional<int> wholeNumber(const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < min || value > max) return std::nullopt;
    return value;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString leftOutLine(const QString& file, const WordFileLines::LeftOut& l) {
    const QString why = l.reason == WordFileLines::Reason::Duplicate
                            ? QStringLiteral("is in the list already")
                            : QStringLiteral("has fewer than two letters");
    return QStringLiteral("%1, line %2: '%3' %4; left out").arg(file).arg(l.line).arg(l.text, why);
}

// Writes one output file whole. The window's saves replace a file atomically and wait until it
// is on the disk; a run of a thousand puzzles cannot wait for each file (about 5 ms a file,
// nearly all of the run's time), so its files are written directly and one left half-written
// is removed. Returns an empty string, or a sentence for the user.
QString writeOutput(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) return QStringLiteral("The picture could not be drawn.");
    if (QFileInfo(path).isDir()) return QStringLiteral("It is a folder, not a file.");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString();
    if (file.write(bytes) == bytes.size() && file.flush()) return QString();
    const QString error = file.errorString();
    file.remove();
    return error;
}

quint64 seedFromTheSystem() {
    std::random_device device;
    return (quint64(device()) << 32) ^ quint64(device());
}

}  // namespace

void addWorksheetOptions(ui::CommandLine& commandLine) {
    commandLine.addOption(QCommandLineOption(
        kWords,
        QStringLiteral("Build puzzles without a window from the words in FILE, one a line, "
                       "each taken as the entry field takes it."),
        QStringLiteral("FILE")));
    commandLine.addOption(QCommandLineOption(
        kSize,
        QStringLiteral("The puzzles' size: N x N cells, 1 to %1 (2 to %2 for a .tam script).")
            .arg(kSurfaceSide)
            .arg(kMaxScriptSize),
        QStringLiteral("N")));
    commandLine.addOption(QCommandLineOption(
        kInverted, QStringLiteral("Place words reversed too, as \"Include inverted\" does.")));
    commandLine.addOption(QCommandLineOption(
        kSolutions, QStringLiteral("Draw the solution lines on PNG and SVG puzzles, as \"Show "
                                   "solutions\" does. A PDF always ends with the answer keys.")));
    commandLine.addOption(QCommandLineOption(
        kCount,
        QStringLiteral("Build K puzzles, 1 to %1 (default 1). A PDF holds them all; other "
                       "formats get one file each, numbered: name-01.png, name-02.png, ...")
            .arg(kMaxSheetCount),
        QStringLiteral("K")));
    commandLine.addOption(QCommandLineOption(
        kSeed,
        QStringLiteral("Start the random choices at S, a whole number from 0 to %1: the same "
                       "seed gives the same files. Without it every run differs.")
            .arg(std::numeric_limits<quint64>::max()),
        QStringLiteral("S")));
    commandLine.addOption(QCommandLineOption(
        kOutput,
        QStringLiteral("Write to FILE, by its extension: .pdf (pages to print), .png or .svg "
                       "(pictures) or .tam (scripts the solver tamsorel loads)."),
        QStringLiteral("FILE")));
}

bool asksForWorksheets(const ui::CommandLine& commandLine) {
    for (const QString& option : {kWords, kSize, kInverted, kSolutions, kCount, kSeed, kOutput})
        if (commandLine.isSet(option)) return true;
    return false;
}

std::variant<WorksheetRequest, QString> worksheetRequest(const ui::CommandLine& commandLine) {
    if (!commandLine.file().isEmpty())
        return QStringLiteral("a FILE opens the window; give the words of --output with --words");
    for (const auto& [option, value] :
         {std::pair{kWords, "FILE"}, std::pair{kSize, "N"}, std::pair{kOutput, "FILE"}}) {
        if (!commandLine.isSet(option))
            return QStringLiteral("--%1 %2 is missing").arg(option, QLatin1String(value));
    }
    WorksheetRequest request;
    request.wordsPath = commandLine.value(kWords);
    request.output = commandLine.value(kOutput);
    request.includeInverted = commandLine.isSet(kInverted);
    request.showSolutions = commandLine.isSet(kSolutions);

    const QString suffix = QFileInfo(request.output).suffix();
    const auto format = std::find_if(std::begin(kFormats), std::end(kFormats), [&](auto f) {
        return suffix.compare(QLatin1String(f.suffix), Qt::CaseInsensitive) == 0;
    });
    if (format == std::end(kFormats))
        return QStringLiteral("--output must name a file ending in .pdf, .png, .svg or .tam");
    request.format = format->format;

    const bool script = request.format == SheetFormat::Script;
    const int minSize = script ? kMinScriptSize : 1;
    const int maxSize = script ? kMaxScriptSize : kSurfaceSide;
    const std::optional<int> size = wholeNumber(commandLine.value(kSize), minSize, maxSize);
    if (!size) {
        return QStringLiteral("--size must be a whole number from %1 to %2%3")
            .arg(minSize)
            .arg(maxSize)
            .arg(script ? QStringLiteral(" for a .tam script") : QString());
    }
    request.size = *size;

    if (commandLine.isSet(kCount)) {
        const std::optional<int> count = wholeNumber(commandLine.value(kCount), 1, kMaxSheetCount);
        if (!count)
            return QStringLiteral("--count must be a whole number from 1 to %1")
                .arg(kMaxSheetCount);
        request.count = *count;
    }
    if (commandLine.isSet(kSeed)) {
        bool ok = false;
        const QString text = commandLine.value(kSeed).trimmed();
        const quint64 seed = text.toULongLong(&ok, 10);
        if (!ok || text.startsWith(u'-') || text.startsWith(u'+')) {
            return QStringLiteral("--seed must be a whole number from 0 to %1")
                .arg(std::numeric_limits<quint64>::max());
        }
        request.seed = seed;
    }
    return request;
}

QString numberedPath(const WorksheetRequest& request, int i) {
    if (request.format == SheetFormat::Pdf || request.count == 1) return request.output;
    const int digits = std::max(2, int(QString::number(request.count).size()));
    const qsizetype dot = request.output.lastIndexOf(u'.');
    return request.output.left(dot) + QStringLiteral("-%1").arg(i, digits, 10, QChar(u'0')) +
           request.output.mid(dot);
}

QByteArray withoutCreationDate(QByteArray pdf) {
    static const QByteArray key = QByteArrayLiteral("/CreationDate (");
    const qsizetype start = pdf.indexOf(key);
    if (start < 0) return pdf;
    const qsizetype end = pdf.indexOf(')', start + key.size());
    if (end < 0) return pdf;
    std::fill(pdf.begin() + start, pdf.begin() + end + 1, ' ');
    return pdf;
}

int writeWorksheets(const WorksheetRequest& request,
                    const std::function<void(const QString&)>& report) {
    const core::TextFileResult file = core::readTextFile(request.wordsPath);
    if (!file.ok) {
        report(QStringLiteral("cannot read the words from %1: %2")
                   .arg(native(request.wordsPath), file.error));
        return 2;
    }
    const QFileInfo folder(QFileInfo(request.output).absolutePath());
    if (!folder.isDir()) {
        report(QStringLiteral("cannot write %1: the folder %2 does not exist")
                   .arg(native(request.output), native(folder.filePath())));
        return 2;
    }
    const WordFileLines read = entriesFromLines(core::splitLines(file.text));
    for (const WordFileLines::LeftOut& l : read.leftOut)
        report(leftOutLine(QFileInfo(request.wordsPath).fileName(), l));
    const QStringList& words = read.entries;
    const auto write = [&report](const QString& path, const QByteArray& bytes) {
        const QString error = writeOutput(path, bytes);
        if (!error.isEmpty())
            report(QStringLiteral("cannot write %1: %2").arg(native(path), error));
        return error.isEmpty();
    };

    const int n = request.size;
    const qint16 tooLong = Puzzle::wordsTooLong(words, n);
    if (tooLong >= 0)
        report(outcomeMessage({PuzzleOutcome::Kind::TooLong, tooLong, words[tooLong]}));
    core::RandomSource random;
    random.reseed(request.seed.value_or(seedFromTheSystem()));
    Puzzle puzzle(n, [&random] { return random.nextRandom(); });
    // A PDF is written whole at the end; it keeps every puzzle until then.
    std::vector<Puzzle> built;
    std::vector<QStringList> builtWords;
    for (int i = 1; i <= request.count; ++i) {
        puzzle.clearPuzzle(n);
        const PuzzleOutcome outcome = puzzle.createPuzzle(words, n, request.includeInverted);
        if (outcome.kind == PuzzleOutcome::Kind::NoRoom) {
            const QString message = outcomeMessage(outcome);
            report(request.count > 1 ? QStringLiteral("puzzle %1: %2").arg(i).arg(message)
                                     : message);
        }
        puzzle.fillRemainingWithRandom();
        const QString path = numberedPath(request, i);
        const QStringList placed = placedWords(words, puzzle);
        // Only the pictures need the surface and its font; scripts are written without them.
        const auto picture = [&] {
            return puzzlePicture(creatorSurface(), puzzle, request.showSolutions);
        };
        bool written = true;
        switch (request.format) {
            case SheetFormat::Pdf:
                built.push_back(puzzle);
                builtWords.push_back(placed);
                break;
            case SheetFormat::Png:
                written = write(path, ui::pngBytes(picture()));
                break;
            case SheetFormat::Svg:
                written = write(path, ui::svgBytes(picture(), QFileInfo(path).completeBaseName()));
                break;
            case SheetFormat::Script:
                written = write(path, core::joinCrLfUtf8(
                                          puzzleScript(puzzle, placed, request.includeInverted)));
                break;
        }
        if (!written) return 2;
    }
    if (request.format != SheetFormat::Pdf) return 0;

    ui::Document document;
    for (size_t i = 0; i < built.size(); ++i)
        document.append({puzzlePicture(creatorSurface(), built[i], false), builtWords[i]});
    for (const Puzzle& p : built)
        document.append({puzzlePicture(creatorSurface(), p, true), {}});
    QByteArray pdf = ui::pdfBytes(document, QFileInfo(request.output).completeBaseName());
    if (request.seed) pdf = withoutCreationDate(pdf);
    return write(request.output, pdf) ? 0 : 2;
}

int runWorksheets(const ui::CommandLine& commandLine, int& argc, char** argv) {
    const std::variant<WorksheetRequest, QString> parsed = worksheetRequest(commandLine);
    if (const QString* error = std::get_if<QString>(&parsed)) return commandLine.usageError(*error);
    const WorksheetRequest& request = std::get<WorksheetRequest>(parsed);
    std::unique_ptr<QCoreApplication> app;
    if (request.format == SheetFormat::Script) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        ui::registerFonts();
    }
    QCoreApplication::setApplicationName(QStringLiteral("Osterfane"));
    return writeWorksheets(request,
                           [&commandLine](const QString& line) { commandLine.printError(line); });
}

}  // namespace osterfane
