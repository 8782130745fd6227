#pragma once

#include "data/fb/FbQuery.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <vector>

// One word record (the fields the program reads; the content is read on
// demand from its BLOB).
struct WordRecord {
    int idGrw = 0;
    int soNet = 0;
    QString nameHan;
    QString nameVie;
    QString pinYin;
    QString unicodeId;
    QString nameGrw;
    QString vietGrw;
    QString boThu;
    fb::FbBlobId content = 0;
};

// A word query opened as a data set: every row of the result is held (the
// list groups and scrolls over all of them), one row is current.
class WordQuery : public QObject {
    Q_OBJECT
public:
    explicit WordQuery(fb::FbTransaction& transaction, QObject* parent = nullptr);

    void setSQL(const QString& sql) { query_.setSQL(sql); }
    QString sql() const { return query_.sql(); }
    void setOrderClause(const QString& clause) { query_.setOrderClause(clause); }
    void setParam(const QString& name, const QVariant& value) { query_.setParam(name, value); }
    void clearParams() { query_.clearParams(); }

    // Runs the statement and reads all its rows; the first becomes current.
    void open();
    void close();
    bool isOpen() const { return open_; }

    int rowCount() const { return int(rows_.size()); }
    const WordRecord& row(int index) const { return rows_.at(size_t(index)); }
    const std::vector<WordRecord>& rows() const { return rows_; }

    // -1 when there is none.
    int currentRow() const { return current_; }
    const WordRecord* current() const;
    void setCurrentRow(int index);
    // Moves the current row by delta rows, stopping at the first or last.
    void moveBy(int delta);

    // The rows the statement yields, counted by the server.
    qint64 serverRowCount() { return query_.rowCount(); }
    QByteArray content(const WordRecord& record) const { return query_.readBlob(record.content); }

signals:
    void aboutToReset();
    void reset();
    void currentRowChanged(int row);

private:
    fb::FbQuery query_;
    std::vector<WordRecord> rows_;
    int current_ = -1;
    bool open_ = false;
};
