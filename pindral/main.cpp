#include "pindral/window/gamewindow.h"
#include "pindral/window/messages.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("pindral"), QStringLiteral("word-find game"),
                                QStringLiteral("a word list to start a game from"));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    ui::Application app(argc, argv, pindral::kProgramTitle);
    pindral::GameWindow window;
    window.show();
    return app.exec();
}
