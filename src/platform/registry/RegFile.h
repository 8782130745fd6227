#pragma once

#include "platform/registry/RegValue.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace platform {

// One registry file in the ".reg" text format, held line by line so that a
// write changes only the lines it must and keeps every line it cannot parse.
class RegFile {
public:
    static RegFile parse(const QByteArray& bytes);
    QByteArray serialize() const;

    // A key exists when it, or any key below it, has a section.
    bool hasKey(const QString& keyPath) const;
    void createKey(const QString& keyPath);

    std::optional<RegValue> value(const QString& keyPath, const QString& name) const;
    // The key must exist (see createKey).
    void setValue(const QString& keyPath, const QString& name, const RegValue& value);

    // Key paths: separators collapsed, no leading or trailing separator.
    static QString normalizeKeyPath(const QString& path);

private:
    enum class Kind { Other, Header, Value };
    struct Entry {
        Kind kind = Kind::Other;
        QByteArray raw; // the entry's own bytes, continuation lines included, no line end
        QString key;    // Header: the section's key path
        QString name;   // Value
        RegValue value; // Value
    };

    static Entry parseEntry(const QByteArray& raw);
    static QByteArray formatValueLine(const QString& name, const RegValue& value);
    // Index of the entry that ends the last section of keyPath, or -1.
    int lastLineOfSection(const QString& keyPath) const;

    std::vector<Entry> entries_;
};

} // namespace platform
