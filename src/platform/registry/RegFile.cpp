#include "platform/registry/RegFile.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>

namespace platform {

namespace {

const QByteArray kFileHeader = "Windows Registry Editor Version 5.00";
const QByteArray kLineEnd = "\r\n";
constexpr int kHexLineWidth = 76;

bool sameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Reads a quoted string starting at text[pos] == '"'; on success pos is past
// the closing quote.
std::optional<QString> readQuoted(const QString& text, qsizetype& pos) {
    if (pos >= text.size() || text[pos] != u'"')
        return std::nullopt;
    QString out;
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"')) {
            out += text[++i];
        } else if (c == u'"') {
            pos = i + 1;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

QString quote(const QString& text) {
    QString out = text;
    out.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    return u'"' + out + u'"';
}

std::optional<QByteArray> parseHexList(const QString& list) {
    QByteArray bytes;
    const QString compact = QString(list).remove(u' ').remove(u'\t');
    if (compact.isEmpty())
        return bytes;
    for (const QString& part : compact.split(u',')) {
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

QString utf16leToText(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uchar(bytes[2 * i]) | (uchar(bytes[2 * i + 1]) << 8)));
    if (text.endsWith(QChar(u'\0')))
        text.chop(1);
    return text;
}

QByteArray textToUtf16le(const QString& text) {
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

std::optional<RegValue> parseData(const QString& data) {
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        auto text = readQuoted(data, pos);
        if (!text || !data.mid(pos).trimmed().isEmpty())
            return std::nullopt;
        return RegValue::fromText(*text);
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        return RegValue::fromDword(number);
    }
    if (!data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return std::nullopt;

    quint32 type = quint32(RegType::Binary);
    qsizetype colon = data.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const QString typeTag = data.left(colon).mid(3); // "(2)" in "hex(2):"
    if (!typeTag.isEmpty()) {
        if (!typeTag.startsWith(u'(') || !typeTag.endsWith(u')'))
            return std::nullopt;
        bool ok = false;
        type = typeTag.mid(1, typeTag.size() - 2).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
    }
    auto bytes = parseHexList(data.mid(colon + 1));
    if (!bytes)
        return std::nullopt;
    switch (RegType(type)) {
    case RegType::Sz:
    case RegType::ExpandSz:
        if (bytes->size() % 2 != 0)
            return std::nullopt;
        return RegValue::fromText(utf16leToText(*bytes), RegType(type));
    case RegType::Dword:
        if (bytes->size() != 4)
            return std::nullopt;
        return RegValue::fromDword(uchar((*bytes)[0]) | (uchar((*bytes)[1]) << 8) |
                                   (uchar((*bytes)[2]) << 16) |
                                   (quint32(uchar((*bytes)[3])) << 24));
    case RegType::Binary:
        return RegValue::fromBytes(*bytes);
    default: {
        RegValue v;
        v.type = RegType::Other;
        v.otherType = type;
        v.bytes = *bytes;
        return v;
    }
    }
}

QByteArray formatHex(const QByteArray& prefix, const QByteArray& bytes) {
    QByteArray out = prefix;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += QByteArray::number(uchar(bytes[i]), 16).rightJustified(2, '0');
        if (i + 1 < bytes.size()) {
            out += ',';
            if (out.size() - lineStart > kHexLineWidth) {
                out += "\\" + kLineEnd + "  ";
                lineStart = out.size() - 2;
            }
        }
    }
    return out;
}

} // namespace

QString RegFile::normalizeKeyPath(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

RegFile::Entry RegFile::parseEntry(const QByteArray& raw) {
    Entry entry;
    entry.raw = raw;
    auto decoded = decodeUtf8(raw);
    if (!decoded)
        return entry;
    // Join the continuation lines of hex data, dropping their trailing backslashes.
    const QStringList lines = decoded->split(u'\n');
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i].trimmed();
        if (i + 1 < lines.size())
            line.chop(1);
        text += line;
    }

    if (text.startsWith(u'[') && text.endsWith(u']') && !text.startsWith(QLatin1String("[-"))) {
        const QString key = normalizeKeyPath(text.mid(1, text.size() - 2));
        if (!key.isEmpty()) {
            entry.kind = Kind::Header;
            entry.key = key;
        }
        return entry;
    }

    qsizetype pos = 0;
    QString name;
    if (text.startsWith(u'@')) {
        pos = 1;
    } else if (auto quoted = readQuoted(text, pos)) {
        name = *quoted;
    } else {
        return entry;
    }
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (pos >= text.size() || text[pos] != u'=')
        return entry;
    auto value = parseData(text.mid(pos + 1).trimmed());
    if (!value)
        return entry;
    entry.kind = Kind::Value;
    entry.name = name;
    entry.value = *value;
    return entry;
}

RegFile RegFile::parse(const QByteArray& bytes) {
    RegFile file;
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    const QList<QByteArray> lines = content.split('\n');
    QByteArray pending;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == lines.size() - 1 && line.isEmpty() && pending.isEmpty())
            break; // the file's final line end
        pending += pending.isEmpty() ? line : "\n" + line;
        // A hex value goes on while its line ends with a backslash.
        if (line.trimmed().endsWith('\\') && pending.contains("=hex") && i + 1 < lines.size())
            continue;
        file.entries_.push_back(parseEntry(pending));
        pending.clear();
    }
    if (!pending.isEmpty())
        file.entries_.push_back(parseEntry(pending));
    return file;
}

QByteArray RegFile::serialize() const {
    QByteArray out;
    for (const Entry& entry : entries_) {
        QByteArray raw = entry.raw;
        raw.replace("\n", kLineEnd);
        out += raw + kLineEnd;
    }
    return out;
}

bool RegFile::hasKey(const QString& keyPath) const {
    const QString key = normalizeKeyPath(keyPath);
    for (const Entry& entry : entries_) {
        if (entry.kind == Kind::Header &&
            (sameText(entry.key, key) || entry.key.startsWith(key + u'\\', Qt::CaseInsensitive)))
            return true;
    }
    return false;
}

int RegFile::lastLineOfSection(const QString& key) const {
    int last = -1;
    bool inSection = false;
    for (int i = 0; i < int(entries_.size()); ++i) {
        const Entry& entry = entries_[i];
        if (entry.kind == Kind::Header)
            inSection = sameText(entry.key, key);
        if (inSection && entry.kind != Kind::Other)
            last = i;
    }
    return last;
}

void RegFile::createKey(const QString& keyPath) {
    const QString key = normalizeKeyPath(keyPath);
    if (lastLineOfSection(key) >= 0)
        return;
    if (entries_.empty()) {
        entries_.push_back(parseEntry(kFileHeader));
        entries_.push_back(Entry{});
    } else if (!entries_.back().raw.trimmed().isEmpty()) {
        entries_.push_back(Entry{});
    }
    entries_.push_back(parseEntry('[' + key.toUtf8() + ']'));
}

std::optional<RegValue> RegFile::value(const QString& keyPath, const QString& name) const {
    const QString key = normalizeKeyPath(keyPath);
    std::optional<RegValue> found;
    bool inSection = false;
    for (const Entry& entry : entries_) {
        if (entry.kind == Kind::Header)
            inSection = sameText(entry.key, key);
        else if (inSection && entry.kind == Kind::Value && sameText(entry.name, name))
            found = entry.value; // the last one wins, as on import
    }
    return found;
}

QByteArray RegFile::formatValueLine(const QString& name, const RegValue& value) {
    const QByteArray lhs = (name.isEmpty() ? QString(u'@') : quote(name)).toUtf8() + '=';
    switch (value.type) {
    case RegType::Sz:
        // Only a text without line breaks or NULs fits the quoted form.
        if (!value.text.contains(u'\n') && !value.text.contains(u'\r') &&
            !value.text.contains(QChar(u'\0')))
            return lhs + quote(value.text).toUtf8();
        return formatHex(lhs + "hex(1):", textToUtf16le(value.text));
    case RegType::ExpandSz:
        return formatHex(lhs + "hex(2):", textToUtf16le(value.text));
    case RegType::Dword:
        return lhs + "dword:" + QByteArray::number(value.number, 16).rightJustified(8, '0');
    case RegType::Binary:
        return formatHex(lhs + "hex:", value.bytes);
    case RegType::Other:
        return formatHex(lhs + "hex(" + QByteArray::number(value.otherType, 16) + "):",
                         value.bytes);
    case RegType::None:
        break;
    }
    return lhs + "-";
}

void RegFile::setValue(const QString& keyPath, const QString& name, const RegValue& value) {
    const QString key = normalizeKeyPath(keyPath);
    int existing = -1;
    bool inSection = false;
    for (int i = 0; i < int(entries_.size()); ++i) {
        const Entry& entry = entries_[i];
        if (entry.kind == Kind::Header)
            inSection = sameText(entry.key, key);
        else if (inSection && entry.kind == Kind::Value && sameText(entry.name, name))
            existing = i;
    }
    if (existing >= 0) {
        // An existing value keeps the spelling of its name.
        entries_[existing] = parseEntry(formatValueLine(entries_[existing].name, value));
        return;
    }
    createKey(key);
    const int last = lastLineOfSection(key);
    entries_.insert(entries_.begin() + (last + 1), parseEntry(formatValueLine(name, value)));
}

} // namespace platform
