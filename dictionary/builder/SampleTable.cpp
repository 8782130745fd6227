#include "SampleTable.h"

#include <QList>
#include <QStringList>
#include <stdexcept>

namespace builder {

namespace {

[[noreturn]] void fail(int line, const QString& why) {
    throw std::runtime_error(QStringLiteral("samples.txt:%1: %2").arg(line).arg(why).toStdString());
}

} // namespace

std::vector<SampleRow> readSamples(const QByteArray& text) {
    std::vector<SampleRow> samples;
    QString* section = nullptr;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (int i = 0; i < int(lines.size()); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QLatin1String("@@"))) {
            const QStringList fields = line.mid(2).split(u'|');
            if (fields.size() != 3)
                fail(i + 1, QStringLiteral("expected \"@@ id | kind | title\""));
            SampleRow s;
            s.id = fields[0].trimmed().toInt();
            s.type = fields[1].trimmed().toInt();
            s.name = fields[2].trimmed().normalized(QString::NormalizationForm_C);
            if (s.id <= 0 || s.type < 1 || s.type > 4 || s.name.isEmpty())
                fail(i + 1, QStringLiteral("bad work header"));
            samples.push_back(s);
            section = nullptr;
        } else if (line.startsWith(QLatin1String("##"))) {
            if (samples.empty())
                fail(i + 1, QStringLiteral("section outside a work"));
            const QString name = line.mid(2).trimmed();
            SampleRow& s = samples.back();
            section = name == QLatin1String("han")           ? &s.han
                      : name == QLatin1String("reading")     ? &s.reading
                      : name == QLatin1String("translation") ? &s.translation
                                                             : nullptr;
            if (!section)
                fail(i + 1, QStringLiteral("unknown section %1").arg(name));
        } else if (section) {
            *section += (section->isEmpty() ? QString() : QStringLiteral("\r\n")) +
                        line.normalized(QString::NormalizationForm_C);
        } else if (!line.trimmed().isEmpty() && !line.startsWith(u'#')) {
            fail(i + 1, QStringLiteral("text outside a section"));
        }
    }
    for (SampleRow& s : samples)
        for (QString* part : {&s.han, &s.reading, &s.translation})
            while (part->endsWith(QLatin1String("\r\n")))
                part->chop(2);
    return samples;
}

} // namespace builder
