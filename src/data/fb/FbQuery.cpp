#include "data/fb/FbQuery.h"

#include "data/fb/FbConnection.h"
#include "data/fb/FbParams.h"
#include "data/fb/FbStatus.h"

#include <cstring>
#include <ibase.h>

namespace fb {

using Firebird::IMessageMetadata;
using Firebird::ThrowStatusWrapper;

namespace {

constexpr unsigned kCharsetUtf8 = 4;
constexpr int kMaxPrepared = 16;
// The longest text a parameter can carry (a UTF8 VARCHAR holds 32,764 bytes).
constexpr qsizetype kMaxTextChars = 8191;

qsizetype utf8Chars(const QByteArray& bytes) {
    qsizetype n = 0;
    for (char c : bytes)
        n += (uchar(c) & 0xC0) != 0x80;
    return n;
}

// At most kMaxTextChars characters of a UTF-8 text, cut between characters.
QByteArray fitText(const QByteArray& bytes) {
    qsizetype chars = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if ((uchar(bytes[i]) & 0xC0) != 0x80 && ++chars > kMaxTextChars)
            return bytes.left(i);
    }
    return bytes;
}

QByteArray textOf(const QVariant& v) {
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

bool isText(const QVariant& v) {
    return v.isValid() && !v.isNull() &&
           (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray);
}

} // namespace

struct FbQuery::Prepared {
    struct Column {
        QString name;
        unsigned type = 0;
        unsigned length = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
        int scale = 0;
    };

    FbClient& client;
    Firebird::IStatement* statement = nullptr;
    IMessageMetadata* output = nullptr;
    QStringList names;             // parameter of each position
    std::vector<unsigned> inTypes; // as the server describes each position
    std::vector<int> inSubTypes;
    std::vector<unsigned> inLengths; // in bytes
    std::vector<unsigned> inCharsets;
    std::vector<Column> columns;
    unsigned outputLength = 0;

    explicit Prepared(FbClient& c)
        : client(c) {}
    ~Prepared() {
        if (output)
            output->release();
        if (statement)
            statement->release();
    }
};

struct FbQuery::Cursor {
    std::shared_ptr<Prepared> prepared;
    Firebird::IResultSet* resultSet = nullptr;
    std::vector<unsigned char> row;
    bool onRow = false;

    ~Cursor() {
        if (resultSet)
            resultSet->release();
    }
};

FbQuery::FbQuery(FbTransaction& transaction)
    : transaction_(transaction) {
}

FbQuery::~FbQuery() {
    cursor_.reset();
    cache_.clear();
}

void FbQuery::setSQL(const QString& sql) {
    close();
    sql_ = sql;
    paramNames_ = toPositional(sql).names;
}

void FbQuery::setOrderClause(const QString& clause) {
    close();
    orderClause_ = clause;
}

QString FbQuery::fullSQL() const {
    return orderClause_.isEmpty() ? sql_ : sql_ + QStringLiteral("\norder by ") + orderClause_;
}

QStringList FbQuery::paramNames() const {
    QStringList names = paramNames_;
    names.removeDuplicates();
    return names;
}

void FbQuery::setParam(const QString& name, const QVariant& value) {
    const QString key = name.toUpper();
    if (!paramNames_.contains(key))
        throw FbError(QStringLiteral("the statement has no parameter :%1").arg(name));
    params_.insert(key, value);
}

void FbQuery::clearParams() {
    params_.clear();
}

int FbQuery::preparedCount() const {
    return int(cache_.size());
}

FbQuery::Prepared& FbQuery::prepared(const QString& key, const QString& positionalSql,
                                     const QStringList& names) {
    if (auto it = cache_.find(key); it != cache_.end()) {
        lastPrepared_ = *it;
        return **it;
    }
    if (cache_.size() >= kMaxPrepared)
        cache_.clear(); // a reader of few statements never gets here
    FbConnection& connection = transaction_.connection();
    FbClient& client = connection.client();
    auto p = std::make_shared<Prepared>(client);
    p->names = names;
    const QByteArray sql = positionalSql.toUtf8();
    guarded(client, [&](ThrowStatusWrapper* st) {
        p->statement =
            connection.handle()->prepare(st, transaction_.handle(), 0, sql.constData(), 3,
                                         Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* input = p->statement->getInputMetadata(st);
        for (unsigned i = 0, n = input->getCount(st); i < n; ++i) {
            p->inTypes.push_back(input->getType(st, i) & ~1u);
            p->inSubTypes.push_back(input->getSubType(st, i));
            p->inLengths.push_back(input->getLength(st, i));
            p->inCharsets.push_back(input->getCharSet(st, i));
        }
        input->release();
        p->output = p->statement->getOutputMetadata(st);
        p->outputLength = p->output->getMessageLength(st);
        for (unsigned i = 0, n = p->output->getCount(st); i < n; ++i) {
            Prepared::Column c;
            c.name = QString::fromUtf8(p->output->getAlias(st, i)).toUpper();
            c.type = p->output->getType(st, i);
            c.length = p->output->getLength(st, i);
            c.offset = p->output->getOffset(st, i);
            c.nullOffset = p->output->getNullOffset(st, i);
            c.scale = p->output->getScale(st, i);
            p->columns.push_back(c);
        }
    });
    lastPrepared_ = p;
    return **cache_.insert(key, p);
}

// The server takes a text parameter as the type it inferred from the column
// it is compared with, and refuses a longer value ("string right
// truncation"). Such a value is legitimate (a search text may be as long as
// the user likes, and with wildcards may still match), so the statement is
// prepared once more with those parameters widened by a cast, and that
// variant is kept like any other.
FbQuery::Prepared& FbQuery::statementFor(const QString& text) {
    const PositionalSql positional = toPositional(text);
    Prepared& plain = prepared(text, positional.sql, positional.names);
    QList<int> wide;
    for (int i = 0; i < int(plain.names.size()) && i < int(plain.inTypes.size()); ++i) {
        const QVariant v = params_.value(plain.names[i]);
        if (!isText(v) || (plain.inTypes[i] != SQL_VARYING && plain.inTypes[i] != SQL_TEXT))
            continue;
        const QByteArray bytes = textOf(v);
        const bool tooLong = plain.inCharsets[i] == kCharsetUtf8
                                 ? utf8Chars(bytes) > plain.inLengths[i] / 4
                                 : bytes.size() > plain.inLengths[i];
        if (tooLong)
            wide.append(i);
    }
    if (wide.isEmpty())
        return plain;
    QString sql = positional.sql;
    QString key = text + QStringLiteral("\n-- widened");
    for (qsizetype k = wide.size() - 1; k >= 0; --k) {
        sql.replace(positional.markers[wide[k]], 1,
                    QStringLiteral("cast(? as varchar(%1))").arg(kMaxTextChars));
        key += QStringLiteral(" %1").arg(wide[k]);
    }
    return prepared(key, sql, positional.names);
}

// Builds the input message from the current values (the layer describes each
// value as it is, so a text longer than the column it is compared with is no
// error) and opens a cursor or runs the statement.
void FbQuery::runWithInput(Prepared& p, Cursor* cursor) {
    FbConnection& connection = transaction_.connection();
    FbClient& client = connection.client();
    const unsigned count = unsigned(p.names.size());

    std::vector<QByteArray> data(count);
    std::vector<bool> isNull(count), isInteger(count), isBlob(count);
    std::vector<qint64> integers(count);
    for (unsigned i = 0; i < count; ++i) {
        const QVariant v = params_.value(p.names[i]);
        isBlob[i] = i < p.inTypes.size() && p.inTypes[i] == SQL_BLOB;
        if (!v.isValid() || v.isNull()) {
            isNull[i] = true;
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                   v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::Bool) {
            isInteger[i] = !isBlob[i];
            integers[i] = v.toLongLong();
            data[i] = QByteArray::number(integers[i]);
        } else if (v.typeId() == QMetaType::QByteArray) {
            data[i] = v.toByteArray();
        } else {
            data[i] = v.toString().toUtf8();
        }
        if (!isBlob[i] && !isInteger[i])
            data[i] = fitText(data[i]);
    }

    guarded(client, [&](ThrowStatusWrapper* st) {
        auto* builder = client.master()->getMetadataBuilder(st, count);
        for (unsigned i = 0; i < count; ++i) {
            if (isBlob[i]) {
                builder->setType(st, i, SQL_BLOB + 1);
                builder->setSubType(st, i, p.inSubTypes[i]);
                builder->setLength(st, i, sizeof(ISC_QUAD));
            } else if (isInteger[i]) {
                builder->setType(st, i, SQL_INT64 + 1);
                builder->setLength(st, i, sizeof(ISC_INT64));
                builder->setScale(st, i, 0);
            } else {
                builder->setType(st, i, SQL_VARYING + 1);
                builder->setLength(st, i, std::max<unsigned>(1, unsigned(data[i].size())));
                builder->setCharSet(st, i, kCharsetUtf8);
            }
        }
        IMessageMetadata* input = builder->getMetadata(st);
        builder->release();
        std::vector<unsigned char> buffer(input->getMessageLength(st));
        try {
            for (unsigned i = 0; i < count; ++i) {
                unsigned char* field = buffer.data() + input->getOffset(st, i);
                const ISC_SHORT nullFlag = isNull[i] ? -1 : 0;
                std::memcpy(buffer.data() + input->getNullOffset(st, i), &nullFlag,
                            sizeof nullFlag);
                if (isNull[i])
                    continue;
                if (isBlob[i]) {
                    ISC_QUAD id{};
                    auto* blob =
                        connection.handle()->createBlob(st, transaction_.handle(), &id, 0, nullptr);
                    for (qsizetype at = 0; at < data[i].size(); at += 32768) {
                        const QByteArray part = data[i].mid(at, 32768);
                        blob->putSegment(st, unsigned(part.size()), part.constData());
                    }
                    blob->close(st);
                    std::memcpy(field, &id, sizeof id);
                } else if (isInteger[i]) {
                    const ISC_INT64 value = integers[i];
                    std::memcpy(field, &value, sizeof value);
                } else {
                    const ISC_USHORT length = ISC_USHORT(data[i].size());
                    std::memcpy(field, &length, sizeof length);
                    std::memcpy(field + sizeof length, data[i].constData(), length);
                }
            }
            if (cursor) {
                cursor->resultSet = p.statement->openCursor(st, transaction_.handle(), input,
                                                            buffer.data(), p.output, 0);
            } else {
                p.statement->execute(st, transaction_.handle(), input, buffer.data(), nullptr,
                                     nullptr);
            }
        } catch (...) {
            input->release();
            throw;
        }
        input->release();
    });
}

void FbQuery::open() {
    close();
    Prepared& p = statementFor(fullSQL());
    cursor_ = std::make_unique<Cursor>();
    cursor_->prepared = lastPrepared_;
    cursor_->row.assign(p.outputLength, 0);
    try {
        runWithInput(p, cursor_.get());
    } catch (...) {
        cursor_.reset();
        throw;
    }
    next();
}

void FbQuery::execute() {
    close();
    runWithInput(statementFor(fullSQL()), nullptr);
}

void FbQuery::close() {
    if (!cursor_)
        return;
    std::unique_ptr<Cursor> cursor = std::move(cursor_);
    if (cursor->resultSet) {
        Firebird::IResultSet* rs = cursor->resultSet;
        cursor->resultSet = nullptr;
        try {
            guarded(transaction_.connection().client(),
                    [&](ThrowStatusWrapper* st) { rs->close(st); });
        } catch (const FbError&) {
            rs->release();
        }
    }
}

bool FbQuery::isOpen() const {
    return cursor_ && cursor_->onRow;
}

bool FbQuery::next() {
    if (!cursor_ || !cursor_->resultSet)
        return false;
    const int rc = guarded(transaction_.connection().client(), [&](ThrowStatusWrapper* st) {
        return cursor_->resultSet->fetchNext(st, cursor_->row.data());
    });
    cursor_->onRow = rc == Firebird::IStatus::RESULT_OK;
    if (!cursor_->onRow)
        close();
    return cursor_ && cursor_->onRow;
}

qint64 FbQuery::rowCount() {
    // A cursor of its own: the open one stays where it is.
    Prepared& p = statementFor(QStringLiteral("select count(*) from (\n%1\n)").arg(sql_));
    Cursor count;
    count.prepared = lastPrepared_;
    count.row.assign(p.outputLength, 0);
    runWithInput(p, &count);
    return guarded(transaction_.connection().client(), [&](ThrowStatusWrapper* st) {
        ISC_INT64 n = 0;
        if (count.resultSet->fetchNext(st, count.row.data()) == Firebird::IStatus::RESULT_OK)
            std::memcpy(&n, count.row.data() + p.columns.at(0).offset, sizeof n);
        count.resultSet->close(st);
        count.resultSet = nullptr;
        return qint64(n);
    });
}

QStringList FbQuery::fieldNames() const {
    QStringList names;
    if (cursor_)
        for (const auto& c : cursor_->prepared->columns)
            names.append(c.name);
    return names;
}

int FbQuery::fieldIndex(const QString& name) const {
    if (!cursor_)
        return -1;
    const QString key = name.toUpper();
    const auto& columns = cursor_->prepared->columns;
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns[i].name == key)
            return i;
    return -1;
}

int FbQuery::requireField(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw FbError(QStringLiteral("no field %1 in the current row").arg(name));
    return i;
}

bool FbQuery::isNull(int field) const {
    if (!isOpen())
        throw FbError(QStringLiteral("no current row"));
    const auto& c = cursor_->prepared->columns.at(field);
    ISC_SHORT flag = 0;
    std::memcpy(&flag, cursor_->row.data() + c.nullOffset, sizeof flag);
    return flag != 0;
}

QByteArray FbQuery::asBytes(int field) const {
    if (isNull(field))
        return {};
    const auto& c = cursor_->prepared->columns.at(field);
    const unsigned char* at = cursor_->row.data() + c.offset;
    switch (c.type) {
    case SQL_VARYING: {
        ISC_USHORT length = 0;
        std::memcpy(&length, at, sizeof length);
        return QByteArray(reinterpret_cast<const char*>(at + sizeof length), length);
    }
    case SQL_TEXT: {
        QByteArray text(reinterpret_cast<const char*>(at), c.length);
        while (text.endsWith(' '))
            text.chop(1);
        return text;
    }
    case SQL_BLOB:
        return readBlob(blobId(field));
    default:
        return value(field).toString().toUtf8();
    }
}

FbBlobId FbQuery::blobId(int field) const {
    if (isNull(field))
        return 0;
    const auto& c = cursor_->prepared->columns.at(field);
    if (c.type != SQL_BLOB)
        throw FbError(QStringLiteral("column %1 is not a BLOB").arg(c.name));
    FbBlobId id = 0;
    static_assert(sizeof id == sizeof(ISC_QUAD));
    std::memcpy(&id, cursor_->row.data() + c.offset, sizeof id);
    return id;
}

QByteArray FbQuery::readBlob(FbBlobId blobId) const {
    if (blobId == 0)
        return {};
    ISC_QUAD id{};
    std::memcpy(&id, &blobId, sizeof id);
    FbConnection& connection = transaction_.connection();
    return guarded(connection.client(), [&](ThrowStatusWrapper* st) {
        QByteArray bytes;
        auto* blob = connection.handle()->openBlob(st, transaction_.handle(), &id, 0, nullptr);
        try {
            char segment[32768];
            for (;;) {
                unsigned length = 0;
                const int rc = blob->getSegment(st, sizeof segment, segment, &length);
                if (rc != Firebird::IStatus::RESULT_OK && rc != Firebird::IStatus::RESULT_SEGMENT)
                    break;
                bytes.append(segment, length);
            }
            blob->close(st);
        } catch (...) {
            blob->release();
            throw;
        }
        return bytes;
    });
}

qint64 FbQuery::asInteger(int field) const {
    if (isNull(field))
        return 0;
    const auto& c = cursor_->prepared->columns.at(field);
    const unsigned char* at = cursor_->row.data() + c.offset;
    qint64 n = 0;
    switch (c.type) {
    case SQL_SHORT: {
        ISC_SHORT v;
        std::memcpy(&v, at, sizeof v);
        n = v;
        break;
    }
    case SQL_LONG: {
        ISC_LONG v;
        std::memcpy(&v, at, sizeof v);
        n = v;
        break;
    }
    case SQL_INT64: {
        ISC_INT64 v;
        std::memcpy(&v, at, sizeof v);
        n = v;
        break;
    }
    default:
        return asString(field).trimmed().toLongLong();
    }
    for (int s = c.scale; s < 0; ++s)
        n /= 10;
    return n;
}

QString FbQuery::asString(int field) const {
    const auto& c = cursor_->prepared->columns.at(field);
    switch (c.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return isNull(field) ? QString() : QString::number(asInteger(field));
    default:
        return QString::fromUtf8(asBytes(field));
    }
}

QVariant FbQuery::value(int field) const {
    if (isNull(field))
        return {};
    const auto& c = cursor_->prepared->columns.at(field);
    const unsigned char* at = cursor_->row.data() + c.offset;
    switch (c.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return asInteger(field);
    case SQL_DOUBLE: {
        double v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, at, sizeof v);
        return double(v);
    }
    case SQL_BOOLEAN:
        return *at != 0;
    case SQL_VARYING:
    case SQL_TEXT:
    case SQL_BLOB:
        return asString(field);
    default:
        throw FbError(QStringLiteral("column %1 has a type this program does not read (%2)")
                          .arg(c.name)
                          .arg(c.type));
    }
}

bool FbQuery::isNull(const QString& name) const {
    return isNull(requireField(name));
}
QString FbQuery::asString(const QString& name) const {
    return asString(requireField(name));
}
qint64 FbQuery::asInteger(const QString& name) const {
    return asInteger(requireField(name));
}
QByteArray FbQuery::asBytes(const QString& name) const {
    return asBytes(requireField(name));
}
QVariant FbQuery::value(const QString& name) const {
    return value(requireField(name));
}

} // namespace fb
