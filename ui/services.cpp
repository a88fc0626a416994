#include "services.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QTime>

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

QString programTitle() {
    return QCoreApplication::applicationName();
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

Application::Application(int& argc, char** argv, const QString& title) : QApplication(argc, argv) {
    setApplicationName(title);
    registerFonts();
}

}  // namespace ui
