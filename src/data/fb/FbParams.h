#pragma once

#include <QString>
#include <QList>
#include <QStringList>

namespace fb {

// A statement with ":NAME" parameters rewritten for the server, which knows
// only positional "?": names lists the parameter of each position, so one
// name may stand at several positions. Quoted text and identifiers and
// comments are left alone.
struct PositionalSql {
    QString sql;
    QStringList names;          // upper-cased
    QList<qsizetype> markers;   // where each "?" stands in sql
};

PositionalSql toPositional(const QString& sql);

} // namespace fb
