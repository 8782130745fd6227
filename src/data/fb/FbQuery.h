#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace fb {

class FbTransaction;

// A BLOB of the current transaction, to be read later (0: none).
using FbBlobId = quint64;

// A statement with ":NAME" parameters and a settable order clause, run in one
// transaction. Statements are prepared once per text and kept, so running the
// same text again with other values costs no new prepare. Rows are read
// forward; columns are found by name. Text comes back as UTF-8, BLOBs as their
// raw bytes.
class FbQuery {
public:
    explicit FbQuery(FbTransaction& transaction);
    ~FbQuery();
    FbQuery(const FbQuery&) = delete;
    FbQuery& operator=(const FbQuery&) = delete;

    void setSQL(const QString& sql);
    QString sql() const { return sql_; }
    // Appended as "order by <clause>"; empty for none.
    void setOrderClause(const QString& clause);
    QString orderClause() const { return orderClause_; }
    // The text that is sent: the statement and its order clause.
    QString fullSQL() const;

    QStringList paramNames() const;
    // Text, integers, bytes, or an invalid QVariant for NULL. Throws FbError
    // for a name the statement does not have.
    void setParam(const QString& name, const QVariant& value);
    void clearParams();

    void open();
    void close();
    bool isOpen() const;
    // Moves to the next row; false (and closed) after the last.
    bool next();
    // Runs a statement that returns no rows.
    void execute();

    // The rows the current statement yields with the current values, counted
    // by the server.
    qint64 rowCount();

    QStringList fieldNames() const;
    int fieldIndex(const QString& name) const; // -1 when absent
    bool isNull(const QString& name) const;
    QString asString(const QString& name) const;
    qint64 asInteger(const QString& name) const;
    QByteArray asBytes(const QString& name) const; // text and BLOB columns
    QVariant value(const QString& name) const;

    bool isNull(int field) const;
    QString asString(int field) const;
    qint64 asInteger(int field) const;
    QByteArray asBytes(int field) const;
    QVariant value(int field) const;

    // A BLOB column's id, readable with readBlob while the transaction lasts.
    FbBlobId blobId(int field) const;
    QByteArray readBlob(FbBlobId id) const;

    // How many statement texts are prepared and kept.
    int preparedCount() const;

private:
    struct Prepared;
    struct Cursor;
    Prepared& prepared(const QString& key, const QString& positionalSql, const QStringList& names);
    Prepared& statementFor(const QString& text);
    // Runs the statement with the current values; opens cursor when given.
    void runWithInput(Prepared& p, Cursor* cursor);
    int requireField(const QString& name) const;

    FbTransaction& transaction_;
    QString sql_;
    QStringList paramNames_; // of sql_, one per position
    QString orderClause_;
    QHash<QString, QVariant> params_;
    QHash<QString, std::shared_ptr<Prepared>> cache_;
    std::unique_ptr<Cursor> cursor_;
    std::shared_ptr<Prepared> lastPrepared_;
};

} // namespace fb
