#include "ui/services.h"
#include "window/solverwindow.h"

int main(int argc, char** argv) {
    ui::Application app(argc, argv, QStringLiteral("Tamsorel"));
    tamsorel::SolverWindow window;
    window.show();
    return app.exec();
}
