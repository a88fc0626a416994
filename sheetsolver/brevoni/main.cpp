#include "brevoni/sheetwindow.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("brevoni"),
                                QStringLiteral("find words on a 20 x 15 letter sheet"),
                                QStringLiteral("an RTF sheet to load"));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    ui::Application app(argc, argv, QStringLiteral("Brevoni"));
    brevoni::SheetWindow window;
    window.show();
    return app.exec();
}
