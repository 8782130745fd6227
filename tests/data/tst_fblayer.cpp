#include "DictionaryFixture.h"
#include "data/DictionaryDM.h"
#include "data/WordStatements.h"
#include "data/fb/FbError.h"
#include "data/fb/FbParams.h"
#include "data/fb/FbQuery.h"

#include <QTemporaryDir>
#include <QTest>

using fb::FbError;
using fb::FbQuery;

namespace {

// The view-1 search statement with its four parameters bound for a text.
void bindSearch(FbQuery& q, const QString& text) {
    q.setSQL(words::kWordRecordSQL + QStringLiteral("\n where ") + words::kSearchClause);
    q.setOrderClause(words::kWordOrderClause);
    words::bindSearchText(q, text.toUpper());
}

QStringList hanForms(FbQuery& q) {
    QStringList out;
    for (q.open(); q.isOpen(); q.next())
        out << q.asString("NAME_HAN");
    return out;
}

} // namespace

class TestFbLayer : public QObject {
    Q_OBJECT

    QTemporaryDir registry_;
    std::unique_ptr<TfrmDictionaryDM> dm_;
    qint64 totalWords_ = 0;

private slots:
    void initTestCase() {
        qputenv("ZENTAVO_REGISTRY_DIR", registry_.path().toUtf8());
        dm_ = std::make_unique<TfrmDictionaryDM>(builtProgramFolder());
        dm_->DataModuleCreate();
        QVERIFY(dm_->isOpen());
        FbQuery count(dm_->trDictionary());
        count.setSQL("select count(*) N from HAN_VIET_WORDS");
        count.open();
        totalWords_ = count.asInteger("N");
        QVERIFY(totalWords_ > 10000);
    }

    void positional_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one") << "select * from T where A = :A"
                             << "select * from T where A = ?" << QStringList{"A"};
        QTest::newRow("repeated name")
            << "where (x like :S) or (y = :S) or (y like :S_1)"
            << "where (x like ?) or (y = ?) or (y like ?)" << QStringList{"S", "S", "S_1"};
        QTest::newRow("lower-case name upper-cased") << "values (:id,:Han)"
                                                     << "values (?,?)" << QStringList{"ID", "HAN"};
        QTest::newRow("inside a literal")
            << "select ':X', 'it''s :Y' from T where a = :Z"
            << "select ':X', 'it''s :Y' from T where a = ?" << QStringList{"Z"};
        QTest::newRow("quoted identifier") << "select \":A\" from T"
                                           << "select \":A\" from T" << QStringList{};
        QTest::newRow("comments") << "select 1 -- :A\n/* :B */ from T where c = :C"
                                  << "select 1 -- :A\n/* :B */ from T where c = ?"
                                  << QStringList{"C"};
        QTest::newRow("colon alone") << "select a : b"
                                     << "select a : b" << QStringList{};
    }

    void positional() {
        QFETCH(QString, sql);
        const fb::PositionalSql p = fb::toPositional(sql);
        QTEST(p.sql, "expected");
        QTEST(p.names, "names");
    }

    void searchByNameWithRepeatedParameter() {
        FbQuery q(dm_->trDictionary());
        bindSearch(q, QString::fromUtf8("nhất"));
        const QStringList forms = hanForms(q);
        QVERIFY(forms.contains(QString::fromUtf8("一")));
        // Every row holds the reading as a whole reading, never as a part.
        for (q.open(); q.isOpen(); q.next()) {
            const QStringList readings = q.asString("NAME_VIE").split(", ");
            QVERIFY2(readings.contains(QString::fromUtf8("nhất")),
                     qPrintable(q.asString("NAME_VIE")));
        }
        QCOMPARE(q.paramNames(),
                 (QStringList{"SEARCH_TEXT", "SEARCH_TEXT_1", "SEARCH_TEXT_2", "SEARCH_TEXT_3"}));
    }

    void orderClauseIsApplied() {
        FbQuery q(dm_->trDictionary());
        q.setSQL(words::kWordRecordSQL + "\n where  W.SO_NET = :SO_NET");
        q.setOrderClause(words::kWordOrderClause);
        QVERIFY(q.fullSQL().endsWith("\norder by W.ID_GRW, W.SO_NET"));
        q.setParam("SO_NET", 12);
        qint64 lastRadical = 0;
        int rows = 0;
        for (q.open(); q.isOpen(); q.next(), ++rows) {
            QVERIFY(q.asInteger("ID_GRW") >= lastRadical);
            lastRadical = q.asInteger("ID_GRW");
            QCOMPARE(q.asInteger("SO_NET"), 12);
        }
        QVERIFY(rows > 100);
    }

    void fieldsByName() {
        FbQuery q(dm_->trDictionary());
        q.setSQL(words::kWordRecordSQL + "\n where W.NAME_HAN = :H");
        q.setParam("h", QString::fromUtf8("行"));
        q.open();
        QVERIFY(q.isOpen());
        QCOMPARE(q.fieldNames(),
                 (QStringList{"ID_GRW", "NAME_HAN", "NAME_VIE", "CONTENT_VIE", "SO_NET", "PIN_YIN",
                              "UNICODE_ID", "NAME_GRW", "VIET_GRW", "BO_THU"}));
        QCOMPARE(q.asInteger("id_grw"), 144);
        QCOMPARE(q.value("SO_NET"), QVariant(qint64(6)));
        QCOMPARE(q.asString("BO_THU"), QString::fromUtf8("hành [144]"));
        QCOMPARE(q.asString("UNICODE_ID"), QString("U+884C"));
        QVERIFY_THROWS_EXCEPTION(FbError, q.asString("NO_SUCH"));
        QVERIFY(!q.next());
        QVERIFY(!q.isOpen());
    }

    void blobByteForByte() {
        FbQuery q(dm_->trDictionary());
        q.setSQL("select CONTENT_VIE from HAN_VIET_WORDS where NAME_HAN = :H");
        q.setParam("H", QString::fromUtf8("行"));
        q.open();
        const QByteArray expected =
            "1. \xc3\x82m H\xc3\xa1n Vi\xe1\xbb\x87t: h\xc3\xa0nh, h\xc3\xa0ng, h\xe1\xba\xa1nh, "
            "h\xe1\xba\xa1ng\r\n"
            "2. B\xc3\xadnh \xc3\xa2m: x\xc3\xadng\r\n"
            "3. Ngh\xc4\xa9"
            "a (ti\xe1\xba\xbfng Anh): go; walk; move, travel; circulate; Kangxi "
            "radical 144\r\n"
            "4. B\xe1\xbb\x99 \xe8\xa1\x8c (h\xc3\xa0nh), th\xc3\xaam 0 n\xc3\xa9t, "
            "t\xe1\xbb\x95ng 6 "
            "n\xc3\xa9t\r\n"
            "5. M\xc3\xa3 Unicode: U+884C";
        QCOMPARE(q.asBytes("CONTENT_VIE"), expected);
    }

    void extensionBRoundTrip() {
        const QString ba = QString::fromUcs4(U"\U00020027");
        FbQuery q(dm_->trDictionary());
        q.setSQL("select NAME_HAN, NAME_VIE, UNICODE_ID from HAN_VIET_WORDS where NAME_HAN = :H "
                 "or NAME_HAN like :P");
        q.setParam("H", ba);
        q.setParam("P", ba + "%");
        q.open();
        QVERIFY(q.isOpen());
        QCOMPARE(q.asBytes("NAME_HAN"), QByteArray("\xf0\xa0\x80\xa7"));
        QCOMPARE(q.asString("NAME_VIE"), QString("ba"));
        QCOMPARE(q.asString("UNICODE_ID"), QString("U+20027"));
        QVERIFY(!q.next());
    }

    void textsLongerThanTheColumns_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("31 characters") << QString(31, u'x');
        QTest::newRow("64 characters") << QString(64, u'x');
        QTest::newRow("1,000 characters") << QString(1000, u'x');
        QTest::newRow("1,000 emoji") << QString::fromUtf8("😀").repeated(1000);
        QTest::newRow("past the longest text parameter") << QString(40000, u'y');
        QTest::newRow("Han text longer than a Han form") << QString::fromUtf8("行").repeated(40);
    }

    void textsLongerThanTheColumns() {
        QFETCH(QString, text);
        FbQuery q(dm_->trDictionary());
        bindSearch(q, text);
        QCOMPARE(hanForms(q), QStringList{});
        QCOMPARE(q.rowCount(), 0);
    }

    void wildcardsAndCounts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("all");
        QTest::newRow("percent lists every word") << "%" << true;
        QTest::newRow("nhất") << QString::fromUtf8("nhất") << false;
        QTest::newRow("Han character") << QString::fromUtf8("水") << false;
        QTest::newRow("quote and SQL") << "'; drop table HAN_VIET_WORDS; --" << false;
    }

    void wildcardsAndCounts() {
        QFETCH(QString, text);
        QFETCH(bool, all);
        FbQuery q(dm_->trDictionary());
        bindSearch(q, text);
        const qint64 rows = hanForms(q).size();
        QCOMPARE(q.rowCount(), rows);
        if (all)
            QCOMPARE(rows, totalWords_);
        else
            QVERIFY(rows < totalWords_);
    }

    void statementsArePreparedOnce() {
        FbQuery q(dm_->trDictionary());
        for (const char* text : {"an", "nhất", "thủy", "%", "hành"}) {
            bindSearch(q, QString::fromUtf8(text));
            q.open();
            q.close();
        }
        QCOMPARE(q.preparedCount(), 1);
        q.rowCount();
        q.rowCount();
        QCOMPARE(q.preparedCount(), 2);
    }

    void errorsCarryFirebirdsText_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("syntax") << "selec 1 from rdb$database"
                                << "Token unknown";
        QTest::newRow("unknown table") << "select * from NO_SUCH_TABLE"
                                       << "NO_SUCH_TABLE";
        QTest::newRow("write in a read-only transaction") << "delete from HAN_VIET_WORDS"
                                                          << "read-only";
    }

    void errorsCarryFirebirdsText() {
        QFETCH(QString, sql);
        QFETCH(QString, fragment);
        FbQuery q(dm_->trDictionary());
        q.setSQL(sql);
        try {
            q.execute();
            QFAIL("no error");
        } catch (const FbError& e) {
            QVERIFY2(e.text().contains(fragment), qPrintable(e.text()));
        }
        // The transaction is still usable.
        FbQuery again(dm_->trDictionary());
        bindSearch(again, "an");
        QVERIFY(!hanForms(again).isEmpty());
    }

    void unknownParameterIsRefused() {
        FbQuery q(dm_->trDictionary());
        q.setSQL("select 1 from rdb$database where 1 = :ONE");
        QVERIFY_THROWS_EXCEPTION(FbError, q.setParam("TWO", 2));
    }
};

QTEST_GUILESS_MAIN(TestFbLayer)
#include "tst_fblayer.moc"
