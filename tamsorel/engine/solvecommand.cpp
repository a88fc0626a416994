#include "solvecommand.h"

#include <QFileInfo>

#include "gridsearch.h"
#include "solver.h"

namespace tamsorel {

namespace {

// The width of a count in the word list, as "uniq -c" writes it.
constexpr int kCountWidth = 7;

}  // namespace

QString gridText(const LetterGrid& grid) {
    const int cols = grid.gridCols();
    QString text;
    text.reserve(qsizetype(grid.cellCount()) * 2);
    for (int n = 1; n <= grid.cellCount(); ++n) {
        const bool found = grid.isFound(n);
        const QString letter = grid.cellText(n);
        if (letter.isEmpty())
            text += found ? u'#' : u'.';
        else
            text += found ? letter[0].toUpper() : letter[0].toLower();
        text += n % cols == 0 ? u'\n' : u' ';
    }
    return text;
}

SolveReport solveScript(const QString& path) {
    SolveReport report;
    const QFileInfo info(path);
    if (info.isFile() && info.size() == 0) {
        report.status = 2;
        report.error = QStringLiteral("'%1' is empty.").arg(path);
        return report;
    }
    Solver solver;
    if (!solver.loadScript(path)) {
        report.status = 2;
        report.error = solver.log().lines().constLast();
        return report;
    }

    std::vector<WordCount> counts;
    if (solver.grid().exists()) {
        counts = solver.searchWords();
        report.output = gridText(solver.grid()) + u'\n';
    } else {
        for (const QString& word : splitWords(solver.wordsText()))
            if (!word.isEmpty()) counts.push_back({word, 0});
        report.status = 1;
        report.error = QStringLiteral("'%1' builds no grid to search.").arg(path);
        // The dimension check says why it refused the script's dimensions.
        for (const QString& line : solver.log().lines())
            if (line.startsWith(msg::kRefusedDimensions)) report.error += u' ' + line;
    }
    for (const WordCount& count : counts) {
        report.output +=
            QStringLiteral("%1 ").arg(count.occurrences, kCountWidth) + count.word + u'\n';
        if (count.occurrences == 0) report.status = 1;
    }
    return report;
}

}  // namespace tamsorel
