#include "DatabaseWriter.h"

#include "DatabaseSchema.h"
#include "data/DictionaryConnection.h"
#include "data/fb/FbClient.h"
#include "data/fb/FbConnection.h"
#include "data/fb/FbError.h"
#include "data/fb/FbQuery.h"

#include <QFile>

namespace builder {

using fb::FbConnection;
using fb::FbQuery;
using fb::FbTransaction;

namespace {

void insertRadicals(FbTransaction& tr, const std::vector<Radical>& radicals) {
    FbQuery insert(tr);
    insert.setSQL(QStringLiteral(
        "insert into GROUP_WORDS (ID_GRW, NAME_GRW, VIET_GRW) values (:ID, :HAN, :VIET)"));
    for (const Radical& r : radicals) {
        insert.setParam(QStringLiteral("ID"), r.number);
        insert.setParam(QStringLiteral("HAN"), r.han);
        insert.setParam(QStringLiteral("VIET"), r.vietnamese);
        insert.execute();
    }
}

void insertWords(FbTransaction& tr, const std::vector<WordRow>& words) {
    FbQuery insert(tr);
    insert.setSQL(QStringLiteral(
        "insert into HAN_VIET_WORDS (NAME_HAN, ID_GRW, NAME_VIE, CONTENT_VIE, SO_NET, PIN_YIN, "
        "UNICODE_ID) values (:HAN, :GRW, :VIE, :CONTENT, :SO_NET, :PIN_YIN, :UNICODE_ID)"));
    for (const WordRow& w : words) {
        insert.setParam(QStringLiteral("HAN"), w.nameHan);
        insert.setParam(QStringLiteral("GRW"), w.radical);
        insert.setParam(QStringLiteral("VIE"), w.nameVie);
        insert.setParam(QStringLiteral("CONTENT"), w.content);
        insert.setParam(QStringLiteral("SO_NET"), w.strokes);
        insert.setParam(QStringLiteral("PIN_YIN"), w.pinyin);
        insert.setParam(QStringLiteral("UNICODE_ID"), w.unicodeId);
        insert.execute();
    }
}

void insertSamples(FbTransaction& tr, const std::vector<SampleRow>& samples) {
    FbQuery insert(tr);
    insert.setSQL(QStringLiteral(
        "insert into SAMPLE_HANVIET (ID_SAM, TYPE_SAM, NAME_SAM, HAN_SAM, PHIENAM_SAM, "
        "DICHVIET_SAM) values (:ID, :TYPE, :NAME, :HAN, :READING, :TRANSLATION)"));
    for (const SampleRow& s : samples) {
        insert.setParam(QStringLiteral("ID"), s.id);
        insert.setParam(QStringLiteral("TYPE"), s.type);
        insert.setParam(QStringLiteral("NAME"), s.name);
        insert.setParam(QStringLiteral("HAN"), s.han.toUtf8());
        insert.setParam(QStringLiteral("READING"), s.reading.toUtf8());
        insert.setParam(QStringLiteral("TRANSLATION"), s.translation.toUtf8());
        insert.execute();
    }
}

} // namespace

void writeDictionary(const QString& path, const QString& programFolder,
                     const DictionaryContent& content) {
    fb::FbClient& client = fb::FbClient::load(programFolder);
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    fb::FbConnectParams params = dictionaryConnectParams(building);
    {
        FbConnection connection(client);
        connection.createDatabase(params, 8192);
        FbTransaction ddl(connection);
        for (const QString& statement : schemaStatements()) {
            ddl.start(false);
            ddl.execute(statement);
            ddl.commit();
        }
        FbTransaction tr(connection);
        tr.start(false);
        insertRadicals(tr, content.radicals);
        insertWords(tr, content.words);
        insertSamples(tr, content.samples);
        tr.commit();
        connection.detach();
    }
    FbConnection::setReadOnly(client, params, true);
    QFile::remove(path);
    if (!QFile::rename(building, path))
        throw fb::FbError(QStringLiteral("cannot move %1 to %2").arg(building, path));
    // Readable by every user; nobody writes it.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

} // namespace builder
