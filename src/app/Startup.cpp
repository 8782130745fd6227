#include "app/Startup.h"

#include <QFont>
#include <QStringList>
#include <QtGlobal>
#include <unistd.h>

bool displayAvailable() {
    // A platform chosen by the caller (offscreen, a test's) needs no display.
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

void prepareProcessEnvironment() {
    // The web engine refuses to start as root inside its sandbox.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void registerFontSubstitutes() {
    // The interface names Windows faces; map them to installed ones.
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif")});
}
