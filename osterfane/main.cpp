#include "ui/commandline.h"
#include "ui/services.h"
#include "window/creatorwindow.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("osterfane"),
                                QStringLiteral("Make word-search puzzles."),
                                QStringLiteral("A text file with one word a line for the list."));
    if (auto status = commandLine.parse(argc, argv)) return *status;

    ui::Application app(argc, argv, QStringLiteral("Osterfane"));
    osterfane::CreatorWindow window;
    window.show();
    if (!commandLine.file().isEmpty()) window.openWordFile(commandLine.file());
    return app.exec();
}
