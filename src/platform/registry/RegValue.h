#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace platform {

// Stored types, numbered as the registry numbers them so files stay compatible.
enum class RegType : quint32 {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    Other = 0xFFFF'FFFF, // any other stored type; its bytes are kept, never interpreted
};

struct RegValue {
    RegType type = RegType::None;
    QString text;          // Sz, ExpandSz (may hold NUL characters)
    quint32 number = 0;    // Dword
    QByteArray bytes;      // Binary, Other
    quint32 otherType = 0; // the stored type number of an Other value

    static RegValue fromText(const QString& text, RegType type = RegType::Sz);
    static RegValue fromDword(quint32 number);
    static RegValue fromBytes(const QByteArray& bytes);

    // Size in bytes as the registry reports it: texts as UTF-16 with their NUL.
    qsizetype size() const;

    bool operator==(const RegValue&) const = default;
};

} // namespace platform
