#include <QCoreApplication>
#include <QMetaObject>

#include "engine/solvecommand.h"
#include "ui/commandline.h"
#include "ui/services.h"
#include "window/solverwindow.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(
        QStringLiteral("tamsorel"), QStringLiteral("Finds words in a letter grid."),
        QStringLiteral("A .tam script to load at start, as \"Load\" does."));
    commandLine.addOption(QCommandLineOption(
        QStringLiteral("solve"),
        QStringLiteral("Solve FILE without a window: print its grid with the found letters in "
                       "capitals and the others in lower case, then each word with its count of "
                       "occurrences. Exit status 0 when every word was found, 1 when one was "
                       "not, 2 when FILE cannot be read.")));
    if (auto status = commandLine.parse(argc, argv)) return *status;

    if (commandLine.isSet(QStringLiteral("solve"))) {
        if (commandLine.file().isEmpty())
            return commandLine.usageError(QStringLiteral("--solve needs a .tam script"));
        QCoreApplication app(argc, argv);
        const tamsorel::SolveReport report = tamsorel::solveScript(commandLine.file());
        ui::CommandLine::print(report.output);
        if (!report.error.isEmpty()) commandLine.printError(report.error);
        return report.status;
    }

    ui::Application app(argc, argv, QStringLiteral("Tamsorel"));
    tamsorel::SolverWindow window;
    window.show();
    // The script loads once the window runs, so that its log lines show as they come.
    if (const QString file = commandLine.file(); !file.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&window, file] { window.openScript(file); }, Qt::QueuedConnection);
    return app.exec();
}
