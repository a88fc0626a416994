#include "solver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include <QFileInfo>

#include "core/numbers.h"
#include "core/textfile.h"

namespace tamsorel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The cell number of a con line, rounded half to even, or nothing for text that is no number.
// The writer writes plain digits, read here directly; other text goes through the locale-aware
// reading of the dimension boxes, which gives plain digits the same value, only slower.
std::optional<double> cellNumber(QStringView token) {
    constexpr qsizetype kMaxPlainDigits = 9;
    if (!token.isEmpty() && token.size() <= kMaxPlainDigits &&
        std::all_of(token.begin(), token.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        int value = 0;
        for (QChar c : token)
            value = value * 10 + (c.unicode() - u'0');
        return double(value);
    }
    const auto number = core::parseNumber(token);
    if (!number) return std::nullopt;
    return core::roundHalfEven(*number);
}

// A whole number as the platform writes it: plain digits, exponent form when very large.
QString numberText(double value) {
    if (std::fabs(value) < 1e15) return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 15);
}

}  // namespace

QString msg::loading(int cols, int rows) {
    return QStringLiteral("Loading %1x%2 cases..").arg(cols).arg(rows);
}

QString msg::tooManyCells(int cols, int rows) {
    return (kRefusedDimensions +
            QStringLiteral(" %1x%2 makes %3 cases; a grid holds at most %4 cases."))
        .arg(cols)
        .arg(rows)
        .arg(qint64(cols) * rows)
        .arg(kMaxCells);
}

QString msg::saving(const QString& path) {
    return QStringLiteral("Saving to '") + path + QStringLiteral("'..");
}

QString msg::saveFailed(const QString& path, const QString& reason) {
    return QStringLiteral("Save failed: could not write '") + path + QStringLiteral("': ") + reason;
}

QString msg::loadingScript(const QString& path) {
    return QStringLiteral("Loading '") + path + QStringLiteral("'..");
}

QString msg::loadFailed(const QString& path, const QString& reason) {
    return QStringLiteral("Load failed: could not read '") + path + QStringLiteral("': ") + reason;
}

QString directionKeyword(Direction d) {
    switch (d) {
        case Direction::HorFront:
            return QStringLiteral("horfront");
        case Direction::HorBack:
            return QStringLiteral("horback");
        case Direction::VertFront:
            return QStringLiteral("vertfront");
        case Direction::VertBack:
            return QStringLiteral("vertback");
        case Direction::DiagFront:
            return QStringLiteral("diagfront");
        case Direction::DiagBack:
            return QStringLiteral("diagback");
    }
    return QString();
}

StateChanges Solver::takeStateChanges() {
    return std::exchange(changes_, StateChanges{});
}

void Solver::addLog(const QString& message) {
    log_.add(message);
    // Only a search run can be long enough to end early; the other operations finish.
    pump_.pumpEvents();
}

void Solver::resetSolver() {
    log_.clear();
    words_.clear();
    changes_.words = true;
    addLog(msg::kResetCleared);
    grid_.destroy();
    addLog(msg::kResetDone);
}

bool Solver::loadDimensions() {
    const auto vertical = core::parseNumber(vertical_);
    const auto horizontal = core::parseNumber(horizontal_);
    if (!vertical || !horizontal) {
        addLog(msg::kInvalidDimensions);
        return false;
    }
    // The boxes show the whole number that is used: 2.7 becomes 2 and -2.5 becomes 3.
    const double rows = std::fabs(std::floor(*vertical));
    const double cols = std::fabs(std::floor(*horizontal));
    vertical_ = numberText(rows);
    horizontal_ = numberText(cols);
    changes_.dimensions = true;
    if (rows > kMaxCells || cols > kMaxCells || rows < kMinDimension || cols < kMinDimension) {
        addLog(msg::kInvalidDimensions);
        return false;
    }
    if (rows * cols > kMaxCells) {
        addLog(msg::tooManyCells(int(cols), int(rows)));
        return false;
    }
    addLog(msg::loading(int(cols), int(rows)));
    grid_.create(int(cols), int(rows));
    addLog(msg::kLoadDone);
    return true;
}

std::vector<WordCount> Solver::searchWords() {
    std::vector<WordCount> counts;
    tamsorel::searchWords(grid_, words_, ticked_, log_, pump_, &counts);
    return counts;
}

QStringList Solver::scriptLines() const {
    QStringList lines;
    lines.reserve(grid_.cellCount() + 16);
    lines << QStringLiteral("reset");
    lines << QStringLiteral("dim %1 %2").arg(grid_.gridCols()).arg(grid_.gridRows());
    for (Direction d : kAllDirections)
        if (isTicked(d)) lines << directionKeyword(d);
    for (int n = 1; n <= grid_.cellCount(); ++n)
        lines << QStringLiteral("con ") + QString::number(n) + u' ' + grid_.cellText(n);
    if (!words_.isEmpty()) {
        QStringList wordLines = splitWords(words_);
        // A final line end ends the last word; it starts no empty word, so saving a loaded
        // script writes the same file again.
        if (wordLines.size() > 1 && words_.endsWith(kCrLf)) wordLines.removeLast();
        for (const QString& w : wordLines)
            lines << QStringLiteral("word ") + w;
    }
    return lines;
}

bool Solver::saveScript(const QString& path) {
    addLog(msg::saving(path));
    const QString error = core::writeFileAtomically(path, core::joinCrLfUtf8(scriptLines()));
    if (!error.isEmpty()) {
        addLog(msg::saveFailed(path, error));
        return false;
    }
    addLog(msg::kSaveDone);
    return true;
}

bool Solver::loadScript(const QString& path) {
    addLog(msg::loadingScript(path));
    const core::TextFileResult file = core::readTextFile(path);
    if (!file.ok) {
        addLog(msg::loadFailed(path, file.error));
        return false;
    }
    core::LineReader lines(file.text);
    for (QStringView line; lines.next(&line);)
        executeScriptLine(line);
    return true;
}

void Solver::executeScriptLine(QStringView line) {
    const QList<QStringView> tokens = line.split(u' ');
    const QString keyword = tokens[0].toString().toUpper();
    const qsizetype count = tokens.size();

    if (keyword == u"RESET") {
        resetSolver();
    } else if (keyword == u"DIM") {
        if (count < 3) return;
        // A script without a reset line replaces the grid it finds.
        if (grid_.exists()) grid_.destroy();
        horizontal_ = tokens[1].toString();
        vertical_ = tokens[2].toString();
        changes_.dimensions = true;
        loadDimensions();
    } else if (keyword == u"CON") {
        if (count < 3) return;
        const auto number = cellNumber(tokens[1]);
        if (!number) return;
        const double n = *number;
        if (n < 1 || n > grid_.cellCount()) return;
        grid_.setCellText(int(n), tokens[2]);
    } else if (keyword == u"WORD") {
        if (count < 2) return;
        words_ += line.mid(tokens[0].size() + 1).toString() + kCrLf;
        changes_.words = true;
    } else {
        for (Direction d : kAllDirections) {
            if (keyword == directionKeyword(d).toUpper()) {
                ticked_[size_t(d)] = true;
                changes_.ticks = true;
                return;
            }
        }
    }
}

qint16 fileStatus(const QString& path) {
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?')) return -1;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return -1;
    return info.size() > 0 ? 1 : 0;
}

}  // namespace tamsorel
