#include "brevoni/sheetwindow.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(
        QStringLiteral("brevoni"),
        QStringLiteral("Finds a list of strings on a sheet of 300 letters and shows the keyword."),
        QStringLiteral("An RTF sheet to load into the sheet text, as \"Load from File\" does."));
    if (const std::optional<int> status = commandLine.parse(argc, argv)) return *status;

    ui::Application app(argc, argv, QStringLiteral("Brevoni"));
    brevoni::SheetWindow window;
    if (!commandLine.file().isEmpty()) window.loadSheetFile(commandLine.file());
    window.show();
    return app.exec();
}
