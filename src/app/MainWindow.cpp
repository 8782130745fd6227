#include "app/MainWindow.h"

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Zentavo"));
    resize(1000, 700);
}
