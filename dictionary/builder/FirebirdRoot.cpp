#include "FirebirdRoot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace builder {

void writeFirebirdRoot(const QString& root, const QString& systemRoot) {
    if (!QDir().mkpath(root))
        throw std::runtime_error(QStringLiteral("cannot create %1").arg(root).toStdString());
    QFile conf(QDir(root).filePath(QStringLiteral("firebird.conf")));
    const QByteArray text = "# Written by the Zentavo build.\n"
                            "# SuperClassic lets every running copy open the dictionary.\n"
                            "ServerMode = SuperClassic\n";
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate) || conf.write(text) != text.size())
        throw std::runtime_error(conf.fileName().toStdString() + ": " +
                                 conf.errorString().toStdString());
    conf.close();
    for (const char* name : {"firebird.msg", "intl"}) {
        const QString target = QDir(systemRoot).filePath(QLatin1String(name));
        const QString link = QDir(root).filePath(QLatin1String(name));
        if (QFileInfo(link).symLinkTarget() == target)
            continue;
        QFile::remove(link);
        if (!QFile::link(target, link))
            throw std::runtime_error(QStringLiteral("cannot link %1").arg(link).toStdString());
    }
}

} // namespace builder
