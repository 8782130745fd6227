#include "platform/shell/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <unistd.h>

namespace platform {

bool openDocument(const QString& pathOrAddress) {
    const QUrl url = QFileInfo::exists(pathOrAddress) ? QUrl::fromLocalFile(pathOrAddress)
                                                      : QUrl::fromUserInput(pathOrAddress);
    return QDesktopServices::openUrl(url);
}

bool elevationAllowed() {
    return geteuid() != 0 && !qEnvironmentVariableIsSet(kRelaunchMarker);
}

bool runElevated(QWidget* /*parent*/, const QString& program, const QString& parameters) {
    if (!elevationAllowed() || !QFileInfo(program).isExecutable())
        return false;
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty())
        return false;
    // pkexec clears the environment: the marker and the display go through env.
    QStringList arguments{QStringLiteral("env"), QString::fromLatin1(kRelaunchMarker) + "=1"};
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "XDG_RUNTIME_DIR"}) {
        if (qEnvironmentVariableIsSet(name))
            arguments << QString::fromLatin1(name) + u'=' + qEnvironmentVariable(name);
    }
    arguments << program;
    arguments += QProcess::splitCommand(parameters);
    return QProcess::startDetached(pkexec, arguments);
}

} // namespace platform
