#pragma once

#include "data/fb/FbConnection.h"

#include <QString>

// How the program and the builder reach the dictionary database.
inline const QString kDictionaryFileName = QStringLiteral("HANVIET.FDB");

inline fb::FbConnectParams dictionaryConnectParams(const QString& databasePath) {
    fb::FbConnectParams params;
    params.database = databasePath;
    params.user = QStringLiteral("SYSDBA");
    params.password = QStringLiteral("plumtrove");
    // UTF8, not UNICODE_FSS: the dictionary holds characters beyond the BMP,
    // which UNICODE_FSS hands back as invalid byte sequences.
    params.charset = QStringLiteral("UTF8");
    params.dialect = 3;
    return params;
}
