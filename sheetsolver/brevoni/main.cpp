#include "brevoni/sheetwindow.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, QStringLiteral("Brevoni"));
    brevoni::SheetWindow window;
    window.show();
    return app.exec();
}
