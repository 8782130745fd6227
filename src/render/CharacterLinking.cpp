#include "render/CharacterLinking.h"

#include "data/HanWordList.h"

#include <QList>

namespace {

void appendLink(QString& out, const QString& c, bool spaced, const LinkLook& look) {
    const QString size = QString::number(look.size);
    out += QStringLiteral("<a href=\"\" style=\"text-decoration: none\"> <font color=\"");
    out += look.colour;
    out += QStringLiteral("\"><font size=\"");
    out += size;
    out += QStringLiteral("\"><a href=\"\" style=\"text-decoration: none\" class=\"tooltip\">"
                          "<font color=\"");
    out += look.colour;
    out += QStringLiteral("\">");
    out += c;
    if (spaced)
        out += QStringLiteral("&nbsp;");
    out += QStringLiteral("</font><span class=\"tooltiptext\">");
    out += c;
    out += QStringLiteral("</span> </a></font></font></a>");
}

} // namespace

QString linkCharacters(const QString& text, const HanWordList& known, const LinkLook& look) {
    // Characters, not UTF-16 units: one beyond the BMP is one character.
    const QList<uint> chars = text.toUcs4();
    const qsizetype n = chars.size();
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = chars[i];
        const QString ch = QString::fromUcs4(&c, 1);
        if (!known.isKnown(c)) {
            out += ch;
            continue;
        }
        // The following character; at the end it is the character itself
        // (for two or more characters), or none.
        bool close = false;
        if (i + 1 < n || n >= 2) {
            const char32_t next = i + 1 < n ? char32_t(chars[i + 1]) : c;
            close = known.isKnown(next) || next == U'.' || next == U',';
        }
        appendLink(out, ch, !close, look);
    }
    return out;
}
