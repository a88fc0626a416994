#include <QMetaObject>

#include "ui/commandline.h"
#include "ui/services.h"
#include "window/solverwindow.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(
        QStringLiteral("tamsorel"), QStringLiteral("Finds words in a letter grid."),
        QStringLiteral("A .tam script to load at start, as \"Load\" does."));
    if (auto status = commandLine.parse(argc, argv)) return *status;

    ui::Application app(argc, argv, QStringLiteral("Tamsorel"));
    tamsorel::SolverWindow window;
    window.show();
    // The script loads once the window runs, so that its log lines show as they come.
    if (const QString file = commandLine.file(); !file.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&window, file] { window.openScript(file); }, Qt::QueuedConnection);
    return app.exec();
}
