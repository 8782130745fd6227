#include "EntryComposer.h"

#include "VietnameseSpelling.h"

#include <map>

namespace builder {

namespace {

QByteArray composeContent(const WordRow& row, const UnihanEntry& entry, const Radical& radical) {
    QStringList lines;
    auto add = [&](const QString& text) {
        lines.append(QStringLiteral("%1. %2").arg(lines.size() + 1).arg(text));
    };
    add(QStringLiteral("Âm Hán Việt: ") + row.readings.join(QStringLiteral(", ")));
    if (!entry.mandarin.isEmpty())
        add(QStringLiteral("Bính âm: ") + entry.mandarin);
    if (!entry.definition.isEmpty())
        add(QStringLiteral("Nghĩa (tiếng Anh): ") + entry.definition);
    add(QStringLiteral("Bộ %1 (%2), thêm %3 nét, tổng %4 nét")
            .arg(radical.han, radical.vietnamese)
            .arg(entry.additionalStrokes)
            .arg(entry.totalStrokes));
    if (!entry.variants.isEmpty())
        add(QStringLiteral("Dị thể: ") + entry.variants.join(QStringLiteral(", ")));
    add(QStringLiteral("Mã Unicode: ") + row.unicodeId);
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

} // namespace

QStringList orderReadings(const QStringList& viHan, const QStringList& unihan,
                          const QStringList& hints, const QString& radicalName) {
    QStringList table, confirmed, unihanOnly;
    for (const QString& r : viHan) {
        const QString reading = canonicalSyllable(r);
        if (!reading.isEmpty() && !table.contains(reading))
            table.append(reading);
    }
    for (const QStringList* source : {&unihan, &hints}) {
        for (const QString& r : *source) {
            const QString reading = canonicalSyllable(r);
            if (reading.isEmpty())
                continue;
            if (table.contains(reading)) {
                if (!confirmed.contains(reading))
                    confirmed.append(reading);
            } else if (source == &unihan && !unihanOnly.contains(reading)) {
                unihanOnly.append(reading);
            }
        }
    }
    // A reading both sources give is the common one; Unihan's own are often
    // Nôm readings and go last.
    QStringList out = confirmed;
    for (const QString& r : table)
        if (!out.contains(r))
            out.append(r);
    out += unihanOnly;
    const qsizetype own = out.indexOf(radicalName);
    if (own > 0)
        out.move(own, 0);
    return out;
}

QString joinWithinColumn(const QStringList& readings, int maxLength) {
    QString joined;
    for (const QString& r : readings) {
        const QString next = joined.isEmpty() ? r : joined + QStringLiteral(", ") + r;
        if (next.size() > maxLength)
            break;
        joined = next;
    }
    return joined;
}

std::vector<WordRow> composeWords(const UnihanTable& unihan, const ViHanTable& viHan,
                                  const std::vector<Radical>& radicals) {
    std::map<QString, QString> radicalNames; // a radical's own character → its name
    for (const Radical& r : radicals) {
        if (!r.vietnamese.contains(u' '))
            radicalNames[r.han] = r.vietnamese;
    }

    std::vector<WordRow> rows;
    for (const auto& [cp, entry] : unihan) {
        const auto vi = viHan.find(cp);
        if (vi == viHan.end() && entry.vietnamese.isEmpty())
            continue;
        if (entry.radical < 1 || entry.radical > int(radicals.size()))
            continue;
        WordRow row;
        row.codePoint = cp;
        row.radical = entry.radical;
        row.strokes = entry.totalStrokes;
        row.nameHan = fromCodePoint(cp);
        const auto name = radicalNames.find(row.nameHan);
        QStringList hints;
        for (const QString& variant : entry.variants) {
            const auto v = unihan.find(char32_t(variant.toUcs4().value(0)));
            if (v != unihan.end())
                hints += v->second.vietnamese;
        }
        row.readings = orderReadings(vi != viHan.end() ? vi->second : QStringList(),
                                     entry.vietnamese, hints,
                                     name != radicalNames.end() ? name->second : QString());
        if (row.readings.isEmpty())
            continue;
        row.nameVie = joinWithinColumn(row.readings, kNameVieLength);
        row.pinyin = entry.mandarin.left(31);
        row.unicodeId = codePointText(cp);
        row.content = composeContent(row, entry, radicals[entry.radical - 1]);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace builder
