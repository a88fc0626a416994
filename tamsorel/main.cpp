#include "ui/commandline.h"
#include "ui/services.h"
#include "window/solverwindow.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("tamsorel"),
                                QStringLiteral("find words in a letter grid"),
                                QStringLiteral("a .tam script to load"));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    ui::Application app(argc, argv, QStringLiteral("Tamsorel"));
    tamsorel::SolverWindow window;
    window.show();
    return app.exec();
}
