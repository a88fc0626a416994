#include "kallowit/loadwindow.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(
        QStringLiteral("kallowit"),
        QStringLiteral("Finds the first occurrence of each string of a list on a sheet of 300 "
                       "letters, timed, and shows the keyword."),
        QStringLiteral("An RTF sheet to load into the first window's sheet text, as \"Load from "
                       "File\" does."));
    if (const std::optional<int> status = commandLine.parse(argc, argv)) return *status;

    ui::Application app(argc, argv, QStringLiteral("Kallowit"));
    kallowit::LoadWindow window;
    if (!commandLine.file().isEmpty()) window.loadSheetFile(commandLine.file());
    window.show();
    return app.exec();
}
