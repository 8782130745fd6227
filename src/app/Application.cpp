#include "app/Application.h"

#include <QMessageBox>
#include <exception>

ZentavoApplication::ZentavoApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Zentavo"));
    setApplicationDisplayName(QStringLiteral("Zentavo"));
}

bool ZentavoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
    return false;
}

void ZentavoApplication::showError(const QString& text) {
    QMessageBox::critical(activeWindow(), applicationDisplayName(), text);
}
