#include "platform/registry/RegistryStore.h"

#include "platform/registry/RegFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <functional>

namespace platform {

namespace {

constexpr int kLockWaitMs = 10'000;
constexpr int kStaleLockMs = 30'000;

QString rootName(RegRoot root) {
    return root == RegRoot::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                        : QStringLiteral("HKEY_LOCAL_MACHINE");
}

QString systemErrorText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// The whole file, or an empty one when it does not exist yet.
RegFile readFile(RegRoot root) {
    QFile file(registryFilePath(root));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw RegistryError(kErrorAccessDenied, file.errorString());
    return RegFile::parse(file.readAll());
}

// Read, change and replace the file under the store's lock.
void modifyFile(RegRoot root, const std::function<void(RegFile&)>& change) {
    const QString path = registryFilePath(root);
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        throw RegistryError(kErrorAccessDenied, systemErrorText(errno ? errno : EACCES));

    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    // Wait only while another copy holds the lock; any other failure is final.
    if (!lock.tryLock(0) &&
        (lock.error() != QLockFile::LockFailedError || !lock.tryLock(kLockWaitMs))) {
        if (lock.error() == QLockFile::PermissionError)
            throw RegistryError(kErrorAccessDenied, systemErrorText(EACCES));
        throw RegistryError(kErrorBadRegistryWrite);
    }

    RegFile file = readFile(root);
    change(file);

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        throw RegistryError(kErrorAccessDenied, out.errorString());
    const QByteArray bytes = file.serialize();
    if (out.write(bytes) != bytes.size() || !out.commit())
        throw RegistryError(kErrorBadRegistryWrite, out.errorString());
}

} // namespace

QString registryErrorText(int code) {
    switch (code) {
    case kErrorFileNotFound:
        return QStringLiteral("The system cannot find the file specified.");
    case kErrorAccessDenied:
        return QStringLiteral("Access is denied.");
    case kErrorBadRegistryRead:
        return QStringLiteral("The configuration registry key could not be read.");
    case kErrorBadRegistryWrite:
        return QStringLiteral("The configuration registry key could not be written.");
    default:
        return QStringLiteral("System error.  Code: %1.").arg(code);
    }
}

RegistryError::RegistryError(int code, const QString& text)
    : std::runtime_error(text.toStdString())
    , code_(code) {
}

RegistryError::RegistryError(int code)
    : RegistryError(code, registryErrorText(code)) {
}

QString registryFilePath(RegRoot root) {
    const QString file =
        root == RegRoot::CurrentUser ? QStringLiteral("user.reg") : QStringLiteral("system.reg");
    const QString override = qEnvironmentVariable("ZENTAVO_REGISTRY_DIR");
    if (!override.isEmpty())
        return QDir(override).filePath(file);
    if (root == RegRoot::LocalMachine)
        return QStringLiteral("/etc/zentavo/") + file;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir(config).filePath(QStringLiteral("zentavo/") + file);
}

RegistryKey RegistryKey::open(RegRoot root, const QString& keyPath, bool create) {
    const QString path = RegFile::normalizeKeyPath(rootName(root) + u'\\' + keyPath);
    if (!readFile(root).hasKey(path)) {
        if (!create)
            throw RegistryError(kErrorFileNotFound);
        modifyFile(root, [&](RegFile& file) { file.createKey(path); });
    }
    return RegistryKey(root, path);
}

bool RegistryKey::exists(RegRoot root, const QString& keyPath) {
    try {
        return readFile(root).hasKey(rootName(root) + u'\\' + keyPath);
    } catch (const RegistryError&) {
        return false;
    }
}

std::optional<RegValue> RegistryKey::value(const QString& name) const {
    return readFile(root_).value(path_, name);
}

RegType RegistryKey::valueType(const QString& name) const {
    const auto v = value(name);
    return v ? v->type : RegType::None;
}

qsizetype RegistryKey::valueSize(const QString& name) const {
    const auto v = value(name);
    return v ? v->size() : -1;
}

void RegistryKey::setValue(const QString& name, const RegValue& value) const {
    modifyFile(root_, [&](RegFile& file) { file.setValue(path_, name, value); });
}

qint32 RegistryKey::readInteger(const QString& name) const {
    const auto v = value(name);
    if (!v || v->type != RegType::Dword)
        throw RegistryError(kErrorBadRegistryRead);
    return qint32(v->number);
}

QString RegistryKey::readString(const QString& name) const {
    const auto v = value(name);
    if (!v)
        return {};
    if (v->type != RegType::Sz && v->type != RegType::ExpandSz)
        throw RegistryError(kErrorBadRegistryRead);
    const qsizetype nul = v->text.indexOf(QChar(u'\0'));
    return nul < 0 ? v->text : v->text.left(nul);
}

QByteArray RegistryKey::readBinary(const QString& name) const {
    const auto v = value(name);
    if (!v || v->type != RegType::Binary)
        throw RegistryError(kErrorBadRegistryRead);
    return v->bytes;
}

void RegistryKey::writeInteger(const QString& name, qint32 number) const {
    setValue(name, RegValue::fromDword(quint32(number)));
}

void RegistryKey::writeString(const QString& name, const QString& text) const {
    setValue(name, RegValue::fromText(text, RegType::Sz));
}

void RegistryKey::writeExpandString(const QString& name, const QString& text) const {
    setValue(name, RegValue::fromText(text, RegType::ExpandSz));
}

void RegistryKey::writeBinary(const QString& name, const QByteArray& bytes) const {
    setValue(name, RegValue::fromBytes(bytes));
}

} // namespace platform
