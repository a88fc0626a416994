#include "kallowit/loadwindow.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, QStringLiteral("Kallowit"));
    kallowit::LoadWindow window;
    window.show();
    return app.exec();
}
