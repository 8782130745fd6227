#pragma once

#include "platform/registry/RegValue.h"

#include <QString>
#include <optional>
#include <stdexcept>

namespace platform {

// The two roots are two files kept apart: per-user preferences and the
// machine-wide start-up registration.
enum class RegRoot { CurrentUser, LocalMachine };

enum RegErrorCode : int {
    kErrorFileNotFound = 2,
    kErrorAccessDenied = 5,
    kErrorBadRegistryRead = 1012,
    kErrorBadRegistryWrite = 1013,
};

// The system's text for an error code of the store.
QString registryErrorText(int code);

class RegistryError : public std::runtime_error {
public:
    RegistryError(int code, const QString& text);
    explicit RegistryError(int code);
    int code() const { return code_; }
    QString text() const { return QString::fromUtf8(what()); }

private:
    int code_;
};

// The file that holds a root: $ZENTAVO_REGISTRY_DIR when set, otherwise the
// user's config folder or /etc/zentavo.
QString registryFilePath(RegRoot root);

// An open key of the store. Nothing is cached: every call opens the root's
// file, reads or writes it, and closes it. Writes are atomic and serialised
// between processes by a lock file. Key paths and value names compare without
// regard to case.
class RegistryKey {
public:
    // Opens an existing key, or creates it and its parents when create is set.
    // Throws RegistryError when the key is missing or the file cannot be used.
    static RegistryKey open(RegRoot root, const QString& keyPath, bool create);
    static bool exists(RegRoot root, const QString& keyPath);

    RegType valueType(const QString& name) const;   // None when missing
    qsizetype valueSize(const QString& name) const; // -1 when missing
    std::optional<RegValue> value(const QString& name) const;
    void setValue(const QString& name, const RegValue& value) const;

    // Fails (1012) when the value is missing or not a 32-bit integer.
    qint32 readInteger(const QString& name) const;
    // Empty when missing; a text up to its first NUL; fails (1012) for other types.
    QString readString(const QString& name) const;
    QByteArray readBinary(const QString& name) const;

    void writeInteger(const QString& name, qint32 number) const;
    void writeString(const QString& name, const QString& text) const;
    void writeExpandString(const QString& name, const QString& text) const;
    void writeBinary(const QString& name, const QByteArray& bytes) const;

    RegRoot root() const { return root_; }
    QString path() const { return path_; }

private:
    RegistryKey(RegRoot root, QString path)
        : root_(root)
        , path_(std::move(path)) {}

    RegRoot root_;
    QString path_; // with the root's name in front, as in the file
};

} // namespace platform
