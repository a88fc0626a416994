#include "solver.h"

#include <cmath>

#include <QFileInfo>

#include "core/numbers.h"
#include "core/textfile.h"

namespace tamsorel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A whole number as the platform writes it: plain digits, exponent form when very large.
QString numberText(double value) {
    if (std::fabs(value) < 1e15) return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 15);
}

}  // namespace

int designedWindowHeight(int gridRows) {
    if (gridRows <= 0) return kHeightWithoutGrid;
    return kFirstCellTop + gridRows * kCellHeight + kMarginBelowGrid;
}

QString msg::loading(int cols, int rows) {
    return QStringLiteral("Loading %1x%2 cases..").arg(cols).arg(rows);
}

QString msg::tooManyCells(int cols, int rows) {
    return QStringLiteral(
               "You have inputed invalid dimensions. %1x%2 makes %3 cases; a grid "
               "holds at most %4 cases.")
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

void Solver::resetSolver() {
    controls_.clearLog();
    controls_.clearWords();
    controls_.addLog(msg::kResetCleared);
    grid_.destroy();
    controls_.addLog(msg::kResetDone);
    controls_.gridChanged();
}

bool Solver::loadDimensions() {
    const auto vertical = core::parseNumber(controls_.dimensionText(Axis::Vertical));
    const auto horizontal = core::parseNumber(controls_.dimensionText(Axis::Horizontal));
    if (!vertical || !horizontal) {
        controls_.addLog(msg::kInvalidDimensions);
        return false;
    }
    // The boxes show the whole number that is used: 2.7 becomes 2 and -2.5 becomes 3.
    const double rows = std::fabs(std::floor(*vertical));
    const double cols = std::fabs(std::floor(*horizontal));
    controls_.setDimensionText(Axis::Vertical, numberText(rows));
    controls_.setDimensionText(Axis::Horizontal, numberText(cols));
    if (rows > kMaxCells || cols > kMaxCells || rows < kMinDimension || cols < kMinDimension) {
        controls_.addLog(msg::kInvalidDimensions);
        return false;
    }
    if (rows * cols > kMaxCells) {
        controls_.addLog(msg::tooManyCells(int(cols), int(rows)));
        return false;
    }
    controls_.addLog(msg::loading(int(cols), int(rows)));
    grid_.create(int(cols), int(rows));
    controls_.gridChanged();
    controls_.addLog(msg::kLoadDone);
    return true;
}

void Solver::searchWords() {
    DirectionFlags flags{};
    for (int i = 0; i < kDirectionCount; ++i)
        flags[size_t(i)] = controls_.isTicked(kAllDirections[size_t(i)]);
    tamsorel::searchWords(grid_, controls_.wordsText(), flags,
                          [this](const QString& m) { controls_.addLog(m); });
}

QStringList Solver::scriptLines() const {
    QStringList lines;
    lines.reserve(grid_.cellCount() + 16);
    lines << QStringLiteral("reset");
    lines << QStringLiteral("dim %1 %2").arg(grid_.gridCols()).arg(grid_.gridRows());
    for (Direction d : kAllDirections)
        if (controls_.isTicked(d)) lines << directionKeyword(d);
    for (int n = 1; n <= grid_.cellCount(); ++n)
        lines << QStringLiteral("con ") + QString::number(n) + u' ' + grid_.cellText(n);
    const QString words = controls_.wordsText();
    if (!words.isEmpty()) {
        QStringList wordLines = splitWords(words);
        // A final line end ends the last word; it starts no empty word, so saving a loaded
        // script writes the same file again.
        if (wordLines.size() > 1 && words.endsWith(kCrLf)) wordLines.removeLast();
        for (const QString& w : wordLines)
            lines << QStringLiteral("word ") + w;
    }
    return lines;
}

bool Solver::saveScript(const QString& path) {
    controls_.addLog(msg::saving(path));
    const QString error = core::writeFileAtomically(path, core::joinCrLfUtf8(scriptLines()));
    if (!error.isEmpty()) {
        controls_.addLog(msg::saveFailed(path, error));
        return false;
    }
    controls_.addLog(msg::kSaveDone);
    return true;
}

bool Solver::loadScript(const QString& path) {
    controls_.addLog(msg::loadingScript(path));
    const core::TextFileResult file = core::readTextFile(path);
    if (!file.ok) {
        controls_.addLog(msg::loadFailed(path, file.error));
        return false;
    }
    for (const QString& line : core::splitLines(file.text))
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
        if (grid_.exists()) {
            grid_.destroy();
            controls_.gridChanged();
        }
        controls_.setDimensionText(Axis::Horizontal, tokens[1].toString());
        controls_.setDimensionText(Axis::Vertical, tokens[2].toString());
        loadDimensions();
    } else if (keyword == u"CON") {
        if (count < 3) return;
        const auto number = core::parseNumber(tokens[1]);
        if (!number) return;
        const double n = core::roundHalfEven(*number);
        if (n < 1 || n > grid_.cellCount()) return;
        grid_.setCellText(int(n), tokens[2]);
    } else if (keyword == u"WORD") {
        if (count < 2) return;
        controls_.appendWords(line.mid(tokens[0].size() + 1).toString() + kCrLf);
    } else {
        for (Direction d : kAllDirections) {
            if (keyword == directionKeyword(d).toUpper()) {
                controls_.tick(d);
                return;
            }
        }
    }
}

qint16 Solver::fileStatus(const QString& path) {
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?')) return -1;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return -1;
    return info.size() > 0 ? 1 : 0;
}

}  // namespace tamsorel
