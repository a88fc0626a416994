#include "ui/services.h"
#include "window/frmtamsorel.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, QStringLiteral("Tamsorel"));
    frmTamsorel window;
    window.show();
    return app.exec();
}
