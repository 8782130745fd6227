#pragma once

#include <QByteArray>
#include <QString>

namespace builder {

// The whole content of a file; a ".bz2" file is decompressed. Throws
// std::runtime_error naming the file when it cannot be read.
QByteArray readSourceFile(const QString& path);

} // namespace builder
