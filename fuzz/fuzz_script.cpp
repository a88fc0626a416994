// A .tam script: the whole file through loadScript, then every line once more through
// executeScriptLine, then a search run and a save, and the file solved as `tamsorel --solve`
// solves it. Nothing may crash, hang or leak.
#include <QFile>
#include <QTemporaryDir>

#include "core/textfile.h"
#include "engine/solvecommand.h"
#include "engine/solver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("input.tam");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(bytes);
    }
    tamsorel::Solver solver;
    solver.loadScript(path);
    for (const QString& line : core::splitLines(core::decodeText(bytes)))
        solver.executeScriptLine(line);
    solver.searchWords();
    solver.saveScript(dir.filePath("output.tam"));
    tamsorel::solveScript(path);
    return 0;
}
