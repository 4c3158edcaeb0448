// The program's start: the form engine, with frmVarnsel as its window.
#include "app/frmVarnsel.hpp"
#include "platform/qt/qt_engine.hpp"

int main(int argc, char** argv) {
    varnsel::platform::qt::QtFormEngine engine(argc, argv);
    varnsel::frmVarnsel form(engine);
    return engine.run(form);
}
