#include "data/ViewedWords.h"

#include <QSignalSpy>
#include <QTest>

class TestViewedWords : public QObject {
    Q_OBJECT

private slots:
    void insertionRule_data() {
        QTest::addColumn<QStringList>("viewed"); // in viewing order
        QTest::addColumn<QStringList>("table");  // newest first
        QTest::newRow("newest first")
            << QStringList{"一", "二", "三"} << QStringList{"三", "二", "一"};
        QTest::newRow("an immediate repeat is not added")
            << QStringList{"一", "一", "二", "二"} << QStringList{"二", "一"};
        QTest::newRow("a word may come again further down")
            << QStringList{"一", "二", "一"} << QStringList{"一", "二", "一"};
        QTest::newRow("case and form count exactly")
            << QStringList{"A", "a", "國", "国"} << QStringList{"国", "國", "a", "A"};
        QTest::newRow("Extension B") << QStringList{"𠀧", "𠀧"} << QStringList{"𠀧"};
    }

    void insertionRule() {
        QFETCH(QStringList, viewed);
        QFETCH(QStringList, table);
        ViewedWords words;
        for (const QString& w : viewed)
            words.insertWord(w, "reading of " + w);
        QStringList got;
        for (int r = 0; r < words.rowCount(); ++r) {
            got << words.index(r, ViewedWords::NAME_HAN).data().toString();
            QCOMPARE(words.index(r, ViewedWords::NAME_VIE).data().toString(),
                     "reading of " + got.last());
        }
        QCOMPARE(got, table);
    }

    void fieldsKeepTheirWidthsAndClearEmpties() {
        ViewedWords words;
        QSignalSpy inserted(&words, &QAbstractItemModel::rowsInserted);
        QVERIFY(words.insertWord(QString(40, u'x'), QString(100, u'y')));
        QVERIFY(!words.insertWord(QString(31, u'x'), "again"));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(words.rows().front().nameHan.size(), 31);
        QCOMPARE(words.rows().front().nameVie.size(), 63);
        words.clear();
        QCOMPARE(words.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestViewedWords)
#include "tst_viewedwords.moc"
