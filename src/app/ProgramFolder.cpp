#include "app/ProgramFolder.h"

#include <QFileInfo>

QString programFilePath() {
    // /proc/self/exe works before the application object exists and in tests.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString programFolder() {
    return QFileInfo(programFilePath()).absolutePath() + u'/';
}
