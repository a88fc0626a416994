#include "services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QPointer>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace ui {

void pumpEvents() {
    QCoreApplication::processEvents();
}

QString timeOfDayText() {
    // The locale's long time format, without the time zone that some locales append.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    format = format.trimmed();
    if (!format.contains(u's')) format = QStringLiteral("HH:mm:ss");
    return QLocale().toString(QTime::currentTime(), format);
}

double secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString installedDataFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + u'/' + QStringLiteral(WORDSEARCH_DATA_FROM_PROGRAM));
}

QString programTitle() {
    return QCoreApplication::applicationName();
}

QFont designFont(double points, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void registerFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    const char* const files[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                 "/usr/share/wine/fonts/tahomabd.ttf"};
    for (const char* file : files) {
        const QString path = QString::fromLatin1(file);
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
}

QIcon programIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/program-icon"));
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    return icon;
}

Application::Application(int& argc, char** argv, const QString& title) : QApplication(argc, argv) {
    setApplicationName(title);
    setDesktopFileName(QFileInfo(applicationFilePath()).completeBaseName().toLower());
    registerFonts();
    setWindowIcon(programIcon());
}

}  // namespace ui
