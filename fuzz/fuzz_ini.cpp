// A settings file through LoadSettings, then SaveSettings over it. Every loaded setting must be
// within its range, and a saved file must load back to the same settings.
#include <QFile>
#include <QTemporaryDir>

#include "pindral/engine/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    pindral::mINI ini(path);
    ini.LoadSettings();
    const pindral::Settings& s = ini.settings;
    if (s.SquareSize < 1 || s.SquareCount < 1 ||
        qint64(s.SquareSize) * s.SquareCount > pindral::kMaxBoardPixels)
        __builtin_trap();
    if (!ini.SaveSettings().isEmpty()) return 0;
    pindral::mINI again(path);
    again.LoadSettings();
    if (!(again.settings == s)) __builtin_trap();
    return 0;
}
