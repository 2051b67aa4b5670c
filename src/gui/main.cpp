#include "common/Resources.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::gui::initResources();
    return 0;
}
