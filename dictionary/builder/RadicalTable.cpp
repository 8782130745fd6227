#include "RadicalTable.h"

#include "UnihanData.h"

#include <QList>
#include <map>
#include <stdexcept>

namespace builder {

namespace {

[[noreturn]] void fail(const QString& why) {
    throw std::runtime_error(QStringLiteral("radicals: %1").arg(why).toStdString());
}

// "1; 2F00; 4E00" → 1 → 一 (the lines for simplified forms, "90'", are skipped)
std::map<int, QString> unifiedIdeographs(const QByteArray& cjkRadicals) {
    std::map<int, QString> out;
    for (const QByteArray& line : cjkRadicals.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(';');
        if (fields.size() < 3)
            continue;
        bool ok = false;
        const int number = fields[0].trimmed().toInt(&ok);
        if (!ok)
            continue;
        out[number] = fromCodePoint(char32_t(fields[2].trimmed().toUInt(nullptr, 16)));
    }
    return out;
}

} // namespace

std::vector<Radical> readRadicals(const QByteArray& tsv, const QByteArray& cjkRadicals) {
    const auto unicode = unifiedIdeographs(cjkRadicals);
    std::vector<Radical> radicals;
    for (const QByteArray& line : tsv.split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() != 3)
            fail(QStringLiteral("bad line: %1").arg(QString::fromUtf8(line)));
        Radical r{fields[0].toInt(), fields[1],
                  fields[2].trimmed().normalized(QString::NormalizationForm_C)};
        if (r.number != int(radicals.size()) + 1)
            fail(QStringLiteral("radical %1 out of order").arg(fields[0]));
        const auto it = unicode.find(r.number);
        if (it == unicode.end() || it->second != r.han)
            fail(QStringLiteral("radical %1 is not %2 in Unicode").arg(r.number).arg(r.han));
        if (r.vietnamese.isEmpty())
            fail(QStringLiteral("radical %1 has no name").arg(r.number));
        radicals.push_back(r);
    }
    if (radicals.size() != 214)
        fail(QStringLiteral("%1 radicals instead of 214").arg(radicals.size()));
    return radicals;
}

} // namespace builder
