#pragma once

#include <QApplication>
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

// The program's title, as given to Application.
QString programTitle();

// Makes the suite's fonts available: the Tahoma that fonts-wine ships outside fontconfig's
// folders is registered when present. A missing font falls back silently.
void registerFonts();

// The application object of every program: names the program and registers the fonts.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv, const QString& title);
};

}  // namespace ui
