#include "ui/commandline.h"
#include "ui/services.h"
#include "window/creatorwindow.h"
#include "window/worksheets.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("osterfane"),
                                QStringLiteral("Make word-search puzzles, in the window or, with "
                                               "--words, --size and --output, without one."),
                                QStringLiteral("A text file with one word a line for the list."));
    osterfane::addWorksheetOptions(commandLine);
    if (auto status = commandLine.parse(argc, argv)) return *status;
    if (osterfane::asksForWorksheets(commandLine))
        return osterfane::runWorksheets(commandLine, argc, argv);

    ui::Application app(argc, argv, QStringLiteral("Osterfane"));
    osterfane::CreatorWindow window;
    window.show();
    if (!commandLine.file().isEmpty()) window.openWordFile(commandLine.file());
    return app.exec();
}
