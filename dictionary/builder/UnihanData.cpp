#include "UnihanData.h"

#include "SourceFiles.h"

#include <QDir>
#include <QList>

namespace builder {

char32_t parseCodePoint(const QString& text) {
    if (!text.startsWith(QLatin1String("U+")))
        return 0;
    bool ok = false;
    const uint cp = text.mid(2).toUInt(&ok, 16);
    return ok && cp <= 0x10FFFF ? char32_t(cp) : 0;
}

QString codePointText(char32_t cp) {
    return QStringLiteral("U+%1").arg(uint(cp), 4, 16, QChar(u'0')).toUpper();
}

QString fromCodePoint(char32_t cp) {
    return QString::fromUcs4(&cp, 1);
}

namespace {

// "144.0" or "120'.3" (simplified radical) → radical and extra strokes.
void readRadicalStroke(const QString& value, UnihanEntry& entry) {
    const QString first = value.section(u' ', 0, 0);
    const qsizetype dot = first.indexOf(u'.');
    if (dot < 0)
        return;
    QString radical = first.left(dot);
    radical.remove(u'\'');
    entry.radical = radical.toInt();
    entry.additionalStrokes = first.mid(dot + 1).toInt();
}

void addVariants(const QString& value, UnihanEntry& entry) {
    // "U+8846<kLau,kMatthews U+2009D<kLau"
    for (const QString& item : value.split(u' ', Qt::SkipEmptyParts)) {
        const char32_t cp = parseCodePoint(item.section(u'<', 0, 0));
        const QString han = cp ? fromCodePoint(cp) : QString();
        if (!han.isEmpty() && !entry.variants.contains(han))
            entry.variants.append(han);
    }
}

} // namespace

UnihanTable readUnihan(const QString& folder) {
    UnihanTable table;
    const QDir dir(folder);
    for (const char* name : {"Unihan_IRGSources.txt.bz2", "Unihan_Readings.txt.bz2",
                             "Unihan_Variants.txt.bz2", "Unihan_DictionaryLikeData.txt.bz2"}) {
        const QByteArray content = readSourceFile(dir.filePath(QLatin1String(name)));
        for (const QByteArray& rawLine : content.split('\n')) {
            if (rawLine.isEmpty() || rawLine.startsWith('#'))
                continue;
            const QList<QByteArray> fields = rawLine.split('\t');
            if (fields.size() < 3)
                continue;
            const char32_t cp = parseCodePoint(QString::fromLatin1(fields[0]));
            if (!cp)
                continue;
            const QByteArray& field = fields[1];
            const QString value = QString::fromUtf8(fields[2]).trimmed();
            if (field == "kRSUnicode") {
                readRadicalStroke(value, table[cp]);
            } else if (field == "kTotalStrokes") {
                table[cp].totalStrokes = value.section(u' ', 0, 0).toInt();
            } else if (field == "kMandarin") {
                table[cp].mandarin = value.section(u' ', 0, 0);
            } else if (field == "kDefinition") {
                table[cp].definition = value;
            } else if (field == "kVietnamese") {
                table[cp].vietnamese = value.split(u' ', Qt::SkipEmptyParts);
            } else if (field == "kTraditionalVariant" || field == "kSimplifiedVariant" ||
                       field == "kSemanticVariant" || field == "kZVariant") {
                addVariants(value, table[cp]);
            }
        }
    }
    // A character is never its own variant.
    for (auto& [cp, entry] : table)
        entry.variants.removeAll(fromCodePoint(cp));
    return table;
}

} // namespace builder
