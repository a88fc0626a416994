#pragma once

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QString>

namespace ui {

// Lets the window process all pending events (repaints and input) once, then returns.
void pumpEvents();

// The time of day as text in the user's regional format, with seconds ("14:05:09").
QString timeOfDayText();

// Seconds since midnight, local time, with millisecond resolution.
double secondsSinceMidnight();

// The folder that holds the running program.
QString programFolder();

// The folder of the read-only files installed with a program that lies in programFolder:
// "<prefix>/share" for a program in "<prefix>/bin", whatever the prefix. Whether the folder
// exists is the caller's question (a program run from its build folder has none).
QString installedDataFolder(const QString& programFolder);

// The program's title, as given to Application.
QString programTitle();

// Makes the suite's fonts available: the Tahoma that fonts-wine ships outside fontconfig's
// folders is registered when present. A missing font falls back silently.
void registerFonts();

// The suite's design font: Tahoma (or the closest font there is) at a size in points, bold or
// not. Every window and drawing asks for its font here.
QFont designFont(double points, bool bold = false);

// The application object of every program: names the program, registers the fonts and gives
// every window the program's icon (the resource folder ":/program-icon" that the build compiles
// into each program). The program's menu entry is "<program file name in lower case>.desktop".
// The install tests watch an installed program's first window through a preloaded library
// (testing/firstwindow.cpp); nothing of that is in the program.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv, const QString& title);
};

// The icon compiled into the running program, or a null icon when it has none.
QIcon programIcon();

}  // namespace ui
