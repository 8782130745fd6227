#include "app/MainWindow.h"
#include "app/Startup.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("zentavo: no display to open a window on (DISPLAY is not set)\n", stderr);
        return 1;
    }
    prepareProcessEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentavo"));
    registerFontSubstitutes();

    TfrmMain mainWindow;
    mainWindow.show();
    return app.exec();
}
