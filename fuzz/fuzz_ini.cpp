// A settings file through loadSettings, then saveSettings over it. Every loaded setting must be
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
    pindral::SettingsFile ini(path);
    ini.loadSettings();
    const pindral::Settings& s = ini.settings();
    if (s.squareSize < 1 || s.squareCount < 1 ||
        qint64(s.squareSize) * s.squareCount > pindral::kMaxBoardPixels)
        __builtin_trap();
    if (!ini.saveSettings().isEmpty()) return 0;
    pindral::SettingsFile again(path);
    again.loadSettings();
    if (!(again.settings() == s)) __builtin_trap();
    return 0;
}
