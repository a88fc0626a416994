#include "ui/commandline.h"
#include "ui/services.h"
#include "window/creatorwindow.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("osterfane"),
                                QStringLiteral("make word-search puzzles"),
                                QStringLiteral("a text file of words, one per line"));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    ui::Application app(argc, argv, QStringLiteral("Osterfane"));
    osterfane::CreatorWindow window;
    window.show();
    return app.exec();
}
