#include "pindral/window/gamewindow.h"
#include "pindral/window/messages.h"
#include "ui/services.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, pindral::kProgramTitle);
    pindral::GameWindow window;
    window.show();
    return app.exec();
}
