#include "kallowit/loadwindow.h"
#include "ui/commandline.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::CommandLine commandLine(QStringLiteral("kallowit"),
                                QStringLiteral("find words on a 20 x 15 letter sheet, timed"),
                                QStringLiteral("an RTF sheet to load"));
    if (const auto status = commandLine.parse(argc, argv)) return *status;
    ui::Application app(argc, argv, QStringLiteral("Kallowit"));
    kallowit::LoadWindow window;
    window.show();
    return app.exec();
}
