#include "SourceFiles.h"

#include <QFile>
#include <bzlib.h>
#include <stdexcept>

namespace builder {

namespace {

[[noreturn]] void fail(const QString& path, const QString& why) {
    throw std::runtime_error(QStringLiteral("%1: %2").arg(path, why).toStdString());
}

QByteArray decompressBz2(const QString& path, const QByteArray& packed) {
    bz_stream stream{};
    if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK)
        fail(path, QStringLiteral("cannot start bzip2"));
    QByteArray out;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    stream.next_in = const_cast<char*>(packed.constData());
    stream.avail_in = unsigned(packed.size());
    int rc = BZ_OK;
    while (rc == BZ_OK) {
        stream.next_out = chunk.data();
        stream.avail_out = unsigned(chunk.size());
        rc = BZ2_bzDecompress(&stream);
        out.append(chunk.constData(), chunk.size() - stream.avail_out);
        if (rc == BZ_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // input ended before the stream did
    }
    BZ2_bzDecompressEnd(&stream);
    if (rc != BZ_STREAM_END)
        fail(path, QStringLiteral("damaged bzip2 data"));
    return out;
}

} // namespace

QByteArray readSourceFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    const QByteArray bytes = file.readAll();
    return path.endsWith(QLatin1String(".bz2")) ? decompressBz2(path, bytes) : bytes;
}

} // namespace builder
