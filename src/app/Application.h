#pragma once

#include <QApplication>

// The application object. An error that escapes an event handler is shown
// in a message box (the application's default error display) instead of
// ending the run.
class ZentavoApplication : public QApplication {
    Q_OBJECT
public:
    ZentavoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error as the default display does.
    static void showError(const QString& text);
};
