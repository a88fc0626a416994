#include <QFileInfo>
#include <QTimer>

#include "pindral/window/gamewindow.h"
#include "pindral/window/messages.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(
        QStringLiteral("pindral"),
        QStringLiteral("The word-find game: find the entries of a word list hidden in a board "
                       "of letters."),
        QStringLiteral("a word list, one entry a line, to start a new game from"));
    if (const std::optional<int> status = commandLine.parse(argc, argv)) return *status;

    ui::Application app(argc, argv, pindral::kProgramTitle);
    pindral::GameWindow window;
    window.show();
    // As chosen in the open dialog, which answers with a whole path; from the event loop, so
    // that the window shows first and closing it ends the program even during a long game.
    if (const QString file = commandLine.file(); !file.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, path = QFileInfo(file).absoluteFilePath()] {
            window.newGameFrom(path);
        });
    }
    return app.exec();
}
