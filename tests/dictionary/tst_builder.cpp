#include "EntryComposer.h"
#include "RadicalTable.h"
#include "SampleTable.h"
#include "ViHanTable.h"
#include "VietnameseSpelling.h"

#include <QTest>

using namespace builder;

class TestBuilder : public QObject {
    Q_OBJECT

private slots:
    void telex_data() {
        QTest::addColumn<QString>("telex");
        QTest::addColumn<QString>("vietnamese");
        QTest::newRow("closed syllable") << "hanhf" << "hành";
        QTest::newRow("ươ takes the mark on ơ") << "trwowngf" << "trường";
        QTest::newRow("open ia: first vowel") << "nghiax" << "nghĩa";
        QTest::newRow("qu: u is the initial's") << "quoocs" << "quốc";
        QTest::newRow("gi: i is the initial's") << "giaor" << "giảo";
        QTest::newRow("gi alone keeps its i") << "gif" << "gì";
        QTest::newRow("quy") << "quys" << "quý";
        QTest::newRow("old style oa") << "hoar" << "hỏa";
        QTest::newRow("old style uy") << "thuyr" << "thủy";
        QTest::newRow("uy closed: last vowel") << "huynhf" << "huỳnh";
        QTest::newRow("three vowels: the middle") << "ngoaif" << "ngoài";
        QTest::newRow("uyê: the marked vowel") << "khuyeenr" << "khuyển";
        QTest::newRow("ươi") << "nguwowif" << "người";
        QTest::newRow("lone w is ư") << "bwcs" << "bức";
        QTest::newRow("ă") << "bawcs" << "bắc";
        QTest::newRow("đ") << "ddaij" << "đại";
        QTest::newRow("no tone") << "nhaan" << "nhân";
        QTest::newRow("single vowel") << "a" << "a";
        QTest::newRow("ngã on ư") << "nguwx" << "ngữ";
        QTest::newRow("not a syllable") << "hana" << "";
        QTest::newRow("digits") << "ha1" << "";
        QTest::newRow("empty") << "" << "";
    }

    void telex() {
        QFETCH(QString, telex);
        QFETCH(QString, vietnamese);
        const QString got = decodeTelex(telex);
        QCOMPARE(got, vietnamese);
        QCOMPARE(got, got.normalized(QString::NormalizationForm_C));
    }

    void canonicalSyllable_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("new-style tone moved") << "thuỷ" << "thủy";
        QTest::newRow("new-style oa") << "hoà" << "hòa";
        QTest::newRow("already canonical") << "trường" << "trường";
        QTest::newRow("decomposed input") << QString("ha\u0300nh") << "hành";
        QTest::newRow("upper case") << "QUỐC" << "quốc";
        QTest::newRow("horn and dot below") << QString("tu\u031B\u0323") << "tự";
        QTest::newRow("not a syllable kept") << "a-b" << "a-b";
    }

    void canonicalSyllable() {
        QFETCH(QString, input);
        QTEST(builder::canonicalSyllable(input), "expected");
    }

    void readingOrder_data() {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("unihan");
        QTest::addColumn<QStringList>("hints");
        QTest::addColumn<QString>("radical");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;
        QTest::newRow("confirmed reading first")
            << QStringList{"quắc", "quốc"} << QStringList{"quốc"} << none << ""
            << QStringList{"quốc", "quắc"};
        QTest::newRow("confirmed through a variant, which adds nothing")
            << QStringList{"quắc", "quốc"} << none << QStringList{"quốc", "nước"} << ""
            << QStringList{"quốc", "quắc"};
        QTest::newRow("unihan-only readings last, spelling unified")
            << QStringList{"thủy"} << QStringList{"héo", "thuỷ"} << none << ""
            << QStringList{"thủy", "héo"};
        QTest::newRow("radical name first")
            << QStringList{"hàng", "hành", "hạnh"} << QStringList{"hàng"} << none << "hành"
            << QStringList{"hành", "hàng", "hạnh"};
        QTest::newRow("unihan only") << none << QStringList{"ba"} << none << ""
                                     << QStringList{"ba"};
        QTest::newRow("duplicates dropped")
            << QStringList{"an", "an"} << QStringList{"An"} << none << "" << QStringList{"an"};
    }

    void readingOrder() {
        QFETCH(QStringList, table);
        QFETCH(QStringList, unihan);
        QFETCH(QStringList, hints);
        QFETCH(QString, radical);
        QTEST(orderReadings(table, unihan, hints, radical), "expected");
    }

    void nameVieKeepsWholeReadings() {
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QStringLiteral("nghiêng");
        const QString joined = joinWithinColumn(many, kNameVieLength);
        QVERIFY(joined.size() <= kNameVieLength);
        QVERIFY(!joined.endsWith(u','));
        QCOMPARE(joined.split(QStringLiteral(", ")).size(), 7); // 7 × 7 + 6 × 2 = 61
        QCOMPARE(joinWithinColumn({"a", "b"}, 63), QString("a, b"));
    }

    void viHanTableOrdersByPosition() {
        const QByteArray mim = " (map\n"
                               "  (\"hangf\"  (\"行吭\"))\n"
                               "  (\"hangj\"  (\"巷行\"))\n"
                               "  (\"hanhf\"  (\"行莖\"))\n"
                               "  (\"bad line\"  (\"x\"))\n"
                               "))\n";
        const ViHanTable table = readViHanTable(mim);
        QCOMPARE(table.at(U'行'), (QStringList{"hàng", "hành", "hạng"}));
        QCOMPARE(table.at(U'莖'), QStringList{"hành"});
        QCOMPARE(table.size(), size_t(4));
    }

    void radicalsMustMatchUnicode() {
        QByteArray cjk, tsv = "# number\tradical\tname\n";
        for (int i = 1; i <= 214; ++i) {
            const char32_t cp = 0x4E00 + i;
            cjk += QByteArray::number(i) + "; 2F00; " + QByteArray::number(uint(cp), 16) + "\n";
            tsv += QByteArray::number(i) + "\t" + QString::fromUcs4(&cp, 1).toUtf8() + "\tx\n";
        }
        QCOMPARE(readRadicals(tsv, cjk).size(), size_t(214));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 readRadicals(QByteArray(tsv).replace("\t\xe4\xb8\x81", "\t\xe4\xb8\x80"), cjk));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, readRadicals(tsv.left(tsv.lastIndexOf("214")), cjk));
    }

    void samples() {
        const QByteArray text = "# comment\n@@ 3 | 1 | Tĩnh dạ tứ\n## han\n床前\n明月\n## reading\nSàng tiền\n"
                                "## translation\nĐầu giường\n\n@@ 4 | 3 | Càn\n## han\n乾\n";
        const auto rows = readSamples(text);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0].han, QString("床前\r\n明月"));
        QCOMPARE(rows[0].translation, QString("Đầu giường"));
        QCOMPARE(rows[1].type, 3);
        QVERIFY(rows[1].reading.isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, readSamples("@@ 1 | 9 | x\n"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, readSamples("stray text\n"));
    }
};

QTEST_GUILESS_MAIN(TestBuilder)
#include "tst_builder.moc"
