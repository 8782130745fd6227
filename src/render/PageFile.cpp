#include "render/PageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace {

const QString kName = QStringLiteral("tmp.html");

[[noreturn]] void fail(const QFile& file) {
    throw std::runtime_error(
        QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()).toStdString());
}

} // namespace

PageFile::PageFile(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable()) {
        path_ = QDir(programFolder).filePath(kName);
    } else {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        path_ = QDir(cache).filePath(QStringLiteral("zentavo/") + kName);
        QDir().mkpath(QFileInfo(path_).absolutePath());
    }
}

QByteArray PageFile::passThrough(const QString& text) const {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(file);
    QByteArray bytes = "\xEF\xBB\xBF";
    if (!text.isEmpty())
        bytes += text.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size())
        fail(file);
    file.close();
    if (!file.open(QIODevice::ReadOnly))
        fail(file);
    return file.readAll();
}
