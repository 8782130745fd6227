#include "data/fb/FbParams.h"

namespace fb {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

PositionalSql toPositional(const QString& sql) {
    PositionalSql out;
    out.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // Copy the quoted run; a doubled quote stays inside it.
            const qsizetype start = i++;
            while (i < n && !(sql[i] == c && !(i + 1 < n && sql[i + 1] == c)))
                i += sql[i] == c ? 2 : 1;
            out.sql += sql.mid(start, i - start + 1);
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const qsizetype end = sql.indexOf(u'\n', i);
            const qsizetype stop = end < 0 ? n : end;
            out.sql += sql.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out.sql += sql.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u':' && i + 1 < n && isNameChar(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(sql[end]))
                ++end;
            out.names.append(sql.mid(i + 1, end - i - 1).toUpper());
            out.markers.append(out.sql.size());
            out.sql += u'?';
            i = end - 1;
        } else {
            out.sql += c;
        }
    }
    return out;
}

} // namespace fb
