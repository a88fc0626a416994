#include "ui/services.h"
#include "window/creatorwindow.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, QStringLiteral("Osterfane"));
    osterfane::CreatorWindow window;
    window.show();
    return app.exec();
}
