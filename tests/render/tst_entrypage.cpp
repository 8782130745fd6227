#include "data/DictionaryDM.h"
#include "data/HanWordList.h"
#include "render/CharacterLinking.h"
#include "render/PageFile.h"
#include "settings/GlobalSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

QByteArray fixture(const QString& name) {
    QFile f(QStringLiteral(FIXTURES_DIR "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString link(const QString& c, bool spaced, const QString& colour = "#FF0000", int size = 4) {
    return "<a href=\"\" style=\"text-decoration: none\"> <font color=\"" + colour +
           "\"><font size=\"" + QString::number(size) +
           "\"><a href=\"\" style=\"text-decoration: none\" class=\"tooltip\"><font color=\"" +
           colour + "\">" + c + (spaced ? "&nbsp;" : "") + "</font><span class=\"tooltiptext\">" +
           c + "</span> </a></font></font></a>";
}

} // namespace

class TestEntryPage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<TfrmDictionaryDM> dm_;

    QByteArray pageFile() const {
        QFile f(folder_->filePath("tmp.html"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        dm_ = std::make_unique<TfrmDictionaryDM>(folder_->path());
        dm_->vHanWordList.setText(QString::fromUtf8("一二人行𠀧"));
        dm_->vOptionsStored = true;
        dm_->vBgColor = 0x00FFFFFF;
        dm_->vMauchuHan = 0x000000FF;
        dm_->vKichthuocHan = 4;
        FontName = "Times New Roman";
    }

    void pageBytes_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>(
            "record"); // radical, strokes, radical Han, radical name, Han, reading
        QTest::addColumn<quint32>("hanColour");
        QTest::addColumn<int>("hanSize");
        QTest::newRow("empty content")
            << "empty-content.html" << QByteArray()
            << QStringList{"9", "2", "人", "nhân", "人", "nhân"} << 0x000000FFu << 4;
        QTest::newRow("senses: letters, 0, a bare 7, leading blanks, < and &, two digits")
            << "senses.html"
            << QString(
                   "1. 一 là một\r\nabc\r\n0. zero\n7\r\n   3. a<b & c 二.\r\n(4) x\r10. 一二\r\n")
                   .toUtf8()
            << QStringList{"1", "1", "一", "nhất", "一", "nhất, <b>&"} << 0x000000FFu << 4;
        QTest::newRow("another Han colour and size")
            << "han-colour-and-size.html" << QString("1. 一 là một").toUtf8()
            << QStringList{"1", "1", "一", "nhất", "一", "nhất"} << 0x0000FF00u << 6;
    }

    void pageBytes() {
        QFETCH(QString, fixture);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, record);
        QFETCH(quint32, hanColour);
        QFETCH(int, hanSize);
        dm_->vMauchuHan = hanColour;
        dm_->vKichthuocHan = hanSize;
        dm_->SaveHTMLFormatted(content, record[0].toInt(), record[1].toInt(), record[2], record[3],
                               record[4], record[5]);
        const QByteArray expected = ::fixture(fixture);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(dm_->vHTMLString, expected);
        QVERIFY(!dm_->vHTMLString.startsWith("\xEF\xBB\xBF"));
    }

    void firstRunPagesUseTheDefaults() {
        // Nothing stored yet: the fields are zeros, the page is not black on black.
        dm_->vOptionsStored = false;
        dm_->vBgColor = dm_->vMauchuHan = 0;
        dm_->vKichthuocHan = 0;
        FontName.clear();
        dm_->SaveHTMLFormatted("1. 一", 1, 1, "一", "nhất", "一", "nhất");
        const QByteArray page = dm_->vHTMLString;
        QVERIFY(!page.contains("bgcolor=\"#000000\""));
        QVERIFY(page.contains("<font face=\"Segoe UI\">"));
        QVERIFY(page.contains("<font size=\"4\">"));
        QCOMPARE(dm_->vBgColor, 0u);
    }

    void linking_data() {
        QTest::addColumn<QString>("known");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString yi = QString::fromUtf8("一"), er = QString::fromUtf8("二");
        const QString ba = QString::fromUtf8("𠀧");
        QTest::newRow("one character alone: spaced") << "一二" << yi << link(yi, true);
        QTest::newRow("known character ends a text: close") << "一二"
                                                            << "a" + yi << "a" + link(yi, false);
        QTest::newRow("before a full stop") << "一二" << yi + "." << link(yi, false) + ".";
        QTest::newRow("before a comma") << "一二" << yi + "," << link(yi, false) + ",";
        QTest::newRow("before a blank") << "一二" << yi + " x" << link(yi, true) + " x";
        QTest::newRow("before a letter") << "一二" << yi + "x" << link(yi, true) + "x";
        QTest::newRow("before ; and )")
            << "一二" << yi + ";" + yi + ")" << link(yi, true) + ";" + link(yi, true) + ")";
        QTest::newRow("two in a row")
            << "一二" << yi + er + " " << link(yi, false) + link(er, true) + " ";
        QTest::newRow("unknown characters, < and & pass") << "一二"
                                                          << "人<&>"
                                                          << "人<&>";
        QTest::newRow("empty word list: no link") << "" << yi + er << yi + er;
        QTest::newRow("Extension B is one character")
            << "一𠀧" << ba + "," + ba << link(ba, false) + "," + link(ba, false);
        QTest::newRow("empty text") << "一"
                                    << ""
                                    << "";
    }

    void linking() {
        QFETCH(QString, known);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        HanWordList list;
        list.setText(known);
        QCOMPARE(linkCharacters(text, list, {"#FF0000", 4}), expected);
    }

    void fragmentPassesThroughThePageFile() {
        QCOMPARE(dm_->AddHTMLTagToText(QByteArray()), QByteArray("\xEF\xBB\xBF"));
        QCOMPARE(pageFile(), QByteArray("\xEF\xBB\xBF"));
        // Invalid UTF-8 becomes U+FFFD.
        const QByteArray fragment = dm_->AddHTMLTagToText("a\xff"
                                                          "b");
        QCOMPARE(fragment, QByteArray("\xEF\xBB\xBF"
                                      "a\xEF\xBF\xBD"
                                      "b\r\n"));
        QCOMPARE(pageFile(), fragment);
    }

    void pageFileHoldsTheLastSense() {
        dm_->SaveHTMLFormatted("1. 一\r\n2. 二 cuối", 1, 1, "一", "nhất", "一", "nhất");
        QCOMPARE(pageFile(),
                 QByteArray("\xEF\xBB\xBF") +
                     (" " + link(QString::fromUtf8("二"), true) + " cuối\r\n").toUtf8());
    }

    void unwritablePageFileKeepsThePreviousPage() {
        dm_->SaveHTMLFormatted("1. 一", 1, 1, "一", "nhất", "一", "nhất");
        const QByteArray previous = dm_->vHTMLString;
        // A folder stands where the page file would be written.
        QFile::remove(folder_->filePath("tmp.html"));
        QVERIFY(QDir(folder_->path()).mkdir("tmp.html"));
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 dm_->SaveHTMLFormatted("1. 二", 2, 2, "二", "nhị", "二", "nhị"));
        QCOMPARE(dm_->vHTMLString, previous);
        // The next call tries again.
        QVERIFY(QDir(folder_->path()).rmdir("tmp.html"));
        dm_->SaveHTMLFormatted("1. 二", 2, 2, "二", "nhị", "二", "nhị");
        QVERIFY(dm_->vHTMLString != previous);
    }

    void pageFileOutsideAReadOnlyProgramFolder() {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(folder_->path(), QFile::ReadOwner | QFile::ExeOwner));
        const PageFile file(folder_->path());
        QFile::setPermissions(folder_->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!file.path().startsWith(folder_->path()));
        QVERIFY(file.path().endsWith("zentavo/tmp.html"));
    }

    void badInputBuildsAPage_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("cut");
        QTest::newRow("a line of 10,000 characters")
            << ("1. " + QString::fromUtf8("一人a").repeated(3334)).toUtf8() << false;
        QTest::newRow("thousands of senses") << QByteArray("1. 二 x\r\n").repeated(5000) << false;
        QTest::newRow("invalid UTF-8") << QByteArray("1. \xc3\x28 \xff\xfe 一") << false;
        QTest::newRow("past the page limit")
            << ("1. " + QString::fromUtf8("一").repeated(20000) + "\r\n").toUtf8().repeated(3)
            << true;
    }

    void badInputBuildsAPage() {
        QFETCH(QByteArray, content);
        QFETCH(bool, cut);
        dm_->SaveHTMLFormatted(content, 1, 1, "一", "nhất", "一", "nhất");
        const QByteArray& page = dm_->vHTMLString;
        QVERIFY(page.endsWith("</FONT>\r\n</BODY>\r\n</HTML>\r\n"));
        QCOMPARE(page.contains("phần còn lại không hiển thị"), cut);
        QVERIFY(QString::fromUtf8(page).toUtf8() == page); // valid UTF-8 throughout
    }
};

QTEST_GUILESS_MAIN(TestEntryPage)
#include "tst_entrypage.moc"
