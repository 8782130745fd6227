#include "DictionaryFixture.h"
#include "data/DictionaryDM.h"
#include "data/WordStatements.h"
#include "data/fb/FbClient.h"
#include "data/fb/FbQuery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using fb::FbQuery;

namespace {

using Row = QMap<QString, QString>;

QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QProcessEnvironment firebirdEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FIREBIRD", builtProgramFolder() + "firebird");
    env.insert("FIREBIRD_LOCK", fb::firebirdLockFolder());
    env.insert("LC_ALL", "C.UTF-8");
    return env;
}

// Rows as isql-fb prints them in list mode, leaving BLOB columns out.
QList<Row> isqlRows(const QString& sql, const QStringList& blobColumns) {
    QProcess isql;
    isql.setProcessEnvironment(firebirdEnvironment());
    isql.start("isql-fb", {"-q", "-ch", "UTF8", "-user", "SYSDBA", "-password", "plumtrove",
                           builtProgramFolder() + "HANVIET.FDB"});
    isql.write(("set list on;\nset blob off;\n" + sql + ";\n").toUtf8());
    isql.closeWriteChannel();
    if (!isql.waitForFinished(60'000))
        return {};
    QList<Row> rows;
    Row row;
    for (const QString& line : QString::fromUtf8(isql.readAllStandardOutput()).split('\n')) {
        if (line.trimmed().isEmpty()) {
            if (!row.isEmpty())
                rows << row;
            row.clear();
            continue;
        }
        // "NAME" padded to 32 characters, then the value as it is.
        const QString name = line.left(32).trimmed();
        const QString value = line.mid(32);
        if (line.size() < 32 || name.contains(' ') || blobColumns.contains(name))
            continue; // notes about BLOBs and the like
        row[name] = value == "<null>" ? QString() : value;
    }
    if (!row.isEmpty())
        rows << row;
    return rows;
}

QList<Row> layerRows(FbQuery& q, const QStringList& blobColumns) {
    QList<Row> rows;
    for (q.open(); q.isOpen(); q.next()) {
        Row row;
        for (const QString& name : q.fieldNames())
            if (!blobColumns.contains(name))
                row[name] = q.asString(name);
        rows << row;
    }
    return rows;
}

} // namespace

class TestDictionaryDb : public QObject {
    Q_OBJECT

    QTemporaryDir registry_;
    std::unique_ptr<TfrmDictionaryDM> dm_;
    QByteArray hashBefore_;

    QString checkWord(int type, const QString& word, int* result) {
        FbQuery q(dm_->trDictionary());
        q.setSQL(words::kCheckWordSQL);
        q.setParam("TYPE_DICT", type);
        q.setParam("A_WORD", word);
        q.open();
        *result = q.isOpen() ? int(q.asInteger("RESULT")) : -1;
        return q.isOpen() ? q.asString("TRANSLATE_WORD") : QString();
    }

private slots:
    void initTestCase() {
        qputenv("ZENTAVO_REGISTRY_DIR", registry_.path().toUtf8());
        hashBefore_ = fileHash(builtProgramFolder() + "HANVIET.FDB");
        QVERIFY(!hashBefore_.isEmpty());
        dm_ = std::make_unique<TfrmDictionaryDM>(builtProgramFolder());
        dm_->DataModuleCreate();
    }

    void cleanupTestCase() {
        dm_.reset();
        // Reading, in this process and in the others, never wrote the file.
        QCOMPARE(fileHash(builtProgramFolder() + "HANVIET.FDB"), hashBefore_);
    }

    void wordsAgainstTheirSources_data() {
        QTest::addColumn<QString>("han");
        QTest::addColumn<QString>("nameVie");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("radical");
        QTest::addColumn<QString>("pinyin");
        // Readings: the radical's own name, then what both sources give, then
        // the input table's, then Unihan's alone.
        QTest::newRow("radical name first") << "行"
                                            << "hành, hàng, hạnh, hạng" << 6 << 144 << "xíng";
        QTest::newRow("confirmed by both first") << "國"
                                                 << "quốc, quắc" << 11 << 31 << "guó";
        QTest::newRow("Unihan spelling unified") << "水"
                                                 << "thủy, héo" << 4 << 85 << "shuǐ";
        QTest::newRow("one reading") << "人"
                                     << "nhân" << 2 << 9 << "rén";
        QTest::newRow("confirmed through its traditional form") << "国"
                                                                << "quốc, quắc" << 8 << 31 << "guó";
        QTest::newRow("29 strokes") << "鬱"
                                    << "uất" << 29 << 192 << "yù";
        QTest::newRow("Extension B, Unihan only") << "𠀧"
                                                  << "ba" << 7 << 1 << "";
    }

    void wordsAgainstTheirSources() {
        QFETCH(QString, han);
        FbQuery q(dm_->trDictionary());
        q.setSQL(words::kWordRecordSQL + "\n where W.NAME_HAN = :H");
        q.setParam("H", han);
        q.open();
        QVERIFY2(q.isOpen(), qPrintable(han));
        QTEST(q.asString("NAME_VIE"), "nameVie");
        QTEST(int(q.asInteger("SO_NET")), "strokes");
        QTEST(int(q.asInteger("ID_GRW")), "radical");
        QTEST(q.asString("PIN_YIN"), "pinyin");
        const QStringList lines = QString::fromUtf8(q.asBytes("CONTENT_VIE")).split("\r\n");
        QCOMPARE(lines.first(), "1. Âm Hán Việt: " + q.asString("NAME_VIE"));
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(QString::number(i + 1) + ". "), qPrintable(lines[i]));
        QVERIFY(lines.last().startsWith(QString::number(lines.size()) + ". Mã Unicode: U+"));
    }

    void sizesAndRadicals() {
        FbQuery q(dm_->trDictionary());
        q.setSQL("select count(*) N, max(char_length(NAME_VIE)) LONGEST, min(SO_NET) FEWEST, "
                 "max(SO_NET) MOST from HAN_VIET_WORDS");
        q.open();
        QVERIFY(q.asInteger("N") > 10000);
        QVERIFY(q.asInteger("LONGEST") <= 63);
        QCOMPARE(q.asInteger("FEWEST"), 1);
        QVERIFY(q.asInteger("MOST") >= 33);

        FbQuery radicals(dm_->trDictionary());
        radicals.setSQL(words::kRadicalListSQL);
        QStringList labels;
        for (radicals.open(); radicals.isOpen(); radicals.next())
            labels << radicals.asString("BO_THU");
        QCOMPARE(labels.size(), 214);
        QCOMPARE(labels.first(), QString(" nhất 一 (1)"));
        QCOMPARE(labels.at(84), QString(" thủy 水 (85)"));
        QCOMPARE(labels.last(), QString(" dược 龠 (214)"));
    }

    void checkWord_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("reading");
        QTest::newRow("known") << 1 << "行" << 1 << "hành hàng hạnh hạng";
        QTest::newRow("Extension B") << 1 << "𠀧" << 1 << "ba";
        QTest::newRow("unknown Han") << 1 << "〇" << 0 << "";
        QTest::newRow("Latin letter") << 1 << "A" << 0 << "";
        QTest::newRow("punctuation") << 1 << "，" << 0 << "";
        QTest::newRow("CR") << 1 << "\r" << 0 << "";
        QTest::newRow("LF") << 1 << "\n" << 0 << "";
        QTest::newRow("empty") << 1 << "" << 0 << "";
        QTest::newRow("another dictionary") << 2 << "行" << 0 << "";
    }

    void checkWord() {
        QFETCH(int, type);
        QFETCH(QString, word);
        int result = -1;
        const QString reading = checkWord(type, word, &result);
        QTEST(result, "result");
        QTEST(reading, "reading");
    }

    void sameRowsAsIsql_data() {
        QTest::addColumn<QString>("layerSql");
        QTest::addColumn<QVariantMap>("params");
        QTest::addColumn<QString>("isqlSql");
        const QString view1 = words::kWordRecordSQL + "\n where " + words::kSearchClause;
        const QString order = "\norder by " + words::kWordOrderClause;
        QString literal = view1;
        literal.replace(":SEARCH_TEXT_1", "'NHẤT,%'")
            .replace(":SEARCH_TEXT_2", "'% NHẤT'")
            .replace(":SEARCH_TEXT_3", "'% NHẤT,%'")
            .replace(":SEARCH_TEXT", "'NHẤT'");
        QTest::newRow("view 1, nhất") << view1 + order
                                      << QVariantMap{{"SEARCH_TEXT", "NHẤT"},
                                                     {"SEARCH_TEXT_1", "NHẤT,%"},
                                                     {"SEARCH_TEXT_2", "% NHẤT"},
                                                     {"SEARCH_TEXT_3", "% NHẤT,%"}}
                                      << literal + order;
        const QString view2 = words::kWordRecordSQL + "\n where  W.ID_GRW = :BO_THU";
        QTest::newRow("view 2, radical 85") << view2 + order << QVariantMap{{"BO_THU", 85}}
                                            << QString(view2).replace(":BO_THU", "85") + order;
        const QString view3 = words::kWordRecordSQL + "\n where  W.SO_NET = :SO_NET";
        QTest::newRow("view 3, 33 strokes") << view3 + order << QVariantMap{{"SO_NET", 33}}
                                            << QString(view3).replace(":SO_NET", "33") + order;
        QTest::newRow("radical list")
            << words::kRadicalListSQL << QVariantMap{} << words::kRadicalListSQL;
    }

    void sameRowsAsIsql() {
        QFETCH(QString, layerSql);
        QFETCH(QVariantMap, params);
        QFETCH(QString, isqlSql);
        FbQuery q(dm_->trDictionary());
        q.setSQL(layerSql);
        for (auto it = params.begin(); it != params.end(); ++it)
            q.setParam(it.key(), it.value());
        const QList<Row> ours = layerRows(q, {"CONTENT_VIE"});
        const QList<Row> theirs = isqlRows(isqlSql, {"CONTENT_VIE"});
        QVERIFY(!ours.isEmpty());
        QCOMPARE(ours.size(), theirs.size());
        for (int i = 0; i < ours.size(); ++i)
            QCOMPARE(ours[i], theirs[i]);
    }

    void severalProcessesReadAtOnce_data() {
        QTest::addColumn<int>("copies");
        QTest::newRow("two") << 2;
        QTest::newRow("three") << 3;
    }

    void severalProcessesReadAtOnce() {
        QFETCH(int, copies);
        std::vector<std::unique_ptr<QProcess>> readers;
        for (int i = 0; i < copies; ++i) {
            auto p = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("ZENTAVO_REGISTRY_DIR", registry_.path());
            p->setProcessEnvironment(env);
            p->start(DICTIONARY_READER, {builtProgramFolder(), "nhất", "1500"});
            readers.push_back(std::move(p));
        }
        QByteArray first;
        for (auto& p : readers) {
            QVERIFY(p->waitForFinished(60'000));
            const QByteArray out = p->readAllStandardOutput().trimmed();
            QVERIFY2(p->exitCode() == 0, out.constData());
            QVERIFY(out.startsWith("rows "));
            if (first.isEmpty())
                first = out;
            QCOMPARE(out, first);
        }
        // This process still reads while the others came and went.
        int result = 0;
        checkWord(1, "行", &result);
        QCOMPARE(result, 1);
    }

    void openFailures_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "missing"
                                      << "No such file or directory";
        QTest::newRow("random bytes") << "random"
                                      << "is not a valid database";
        QTest::newRow("truncated to 100 KB") << "truncated"
                                             << "File size is less than expected";
        QTest::newRow("truncated to half") << "half"
                                           << "File size is less than expected";
        QTest::newRow("older on-disk structure") << "old"
                                                 << "unsupported on-disk structure";
        QTest::newRow("broken client library") << "broken-library"
                                               << "libfbclient.so";
        QTest::newRow("missing client library") << "missing-library"
                                                << "libfbclient.so";
    }

    void openFailures() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString db = folder.filePath("HANVIET.FDB");
        QFile real(builtProgramFolder() + "HANVIET.FDB");
        QVERIFY(real.open(QIODevice::ReadOnly));
        const QByteArray bytes = real.readAll();
        QFile out(db);
        if (damage != "missing") {
            QVERIFY(out.open(QIODevice::WriteOnly));
            if (damage == "random") {
                QByteArray noise(1 << 20, '\0');
                for (int i = 0; i < noise.size(); ++i)
                    noise[i] = char((i * 2654435761u) >> 13);
                out.write(noise);
            } else if (damage == "truncated") {
                out.write(bytes.left(100'000));
            } else if (damage == "half") {
                out.write(bytes.left(bytes.size() / 2));
            } else if (damage == "old") {
                QByteArray old = bytes;
                old[18] = 0x0B; // ODS 11 instead of 12
                out.write(old);
            } else {
                out.write(bytes);
            }
            out.close();
        }
        if (damage == "broken-library") {
            QFile lib(folder.filePath("libfbclient.so"));
            QVERIFY(lib.open(QIODevice::WriteOnly));
            lib.write("not a library");
        } else if (damage == "missing-library") {
            QVERIFY(QFile::link(folder.filePath("gone/libfbclient.so.2"),
                                folder.filePath("libfbclient.so")));
        }
        const QByteArray before = fileHash(db);
        const auto listing = [&] {
            return QDir(folder.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList entriesBefore = listing();

        QProcess reader;
        QProcessEnvironment env = firebirdEnvironment();
        env.insert("ZENTAVO_REGISTRY_DIR", registry_.path());
        reader.setProcessEnvironment(env);
        reader.start(DICTIONARY_READER, {folder.path() + "/", "an", "0"});
        QVERIFY2(reader.waitForFinished(30'000), "the open hung");
        const QString said = QString::fromUtf8(reader.readAllStandardOutput());
        QCOMPARE(reader.exitCode(), 1);
        QVERIFY2(said.startsWith("failed: " + db + ": "), qPrintable(said));
        QVERIFY2(said.contains(reason), qPrintable(said));
        QCOMPARE(fileHash(db), before); // nothing written, nothing created
        QCOMPARE(listing(), entriesBefore);
    }
};

QTEST_GUILESS_MAIN(TestDictionaryDb)
#include "tst_dictionarydb.moc"
