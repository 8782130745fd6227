#include "settings/ColorAndFont.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

class TestColorAndFont : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
        palette.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
        palette.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
        palette.setColor(QPalette::Active, QPalette::Text, QColor(0x01, 0x02, 0x03));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6D, 0x6D, 0x6D));
        QApplication::setPalette(palette);
    }

    void colorToHtml_data() {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("html");
        QTest::newRow("red lowest") << 0x00563412u << "#123456";
        QTest::newRow("pure red") << 0x000000FFu << "#FF0000";
        QTest::newRow("pure blue") << 0x00FF0000u << "#0000FF";
        QTest::newRow("black") << 0u << "#000000";
        QTest::newRow("top byte ignored") << 0x20000000u << "#000000";
        QTest::newRow("bits 24-30 ignored") << 0x7FABCDEFu << "#EFCDAB";
        QTest::newRow("upper-case letters") << 0x00ABCDEFu << "#EFCDAB";
        QTest::newRow("window background") << 0xFF000005u << "#FFFFFF";
        QTest::newRow("highlight") << 0xFF00000Du << "#308CC6";
        QTest::newRow("window text") << 0xFF000008u << "#010203";
        QTest::newRow("grey text from the disabled group") << 0xFF000011u << "#6D6D6D";
        QTest::newRow("only the low byte names the colour") << 0x80ABCD05u << "#FFFFFF";
        QTest::newRow("an index the system lacks") << 0xFF000063u << "#000000";
    }

    void colorToHtml() {
        QFETCH(quint32, color);
        QFETCH(QString, html);
        const QString got = ColorToHTML(color);
        QCOMPARE(got, html);
        QCOMPARE(got.size(), 7);
    }

    void systemColourFollowsThePalette() {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::Base, QColor(0x20, 0x21, 0x22));
        QApplication::setPalette(dark);
        const QString got = ColorToHTML(0xFF000005u);
        QApplication::setPalette(saved);
        QCOMPARE(got, QString("#202122"));
    }

    void fontQuality_data() {
        QTest::addColumn<QFont>("font");
        QFont plain(QStringLiteral("Arial Narrow"), 20);
        QFont styled(QStringLiteral("Times New Roman"), 11, QFont::Bold, true);
        styled.setUnderline(true);
        styled.setStrikeOut(true);
        styled.setPixelSize(48);
        styled.setStyleStrategy(QFont::NoAntialias);
        QFont spaced(QStringLiteral("Tahoma"));
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        spaced.setStretch(QFont::Condensed);
        spaced.setStyleStrategy(QFont::PreferOutline);
        QTest::newRow("plain") << plain;
        QTest::newRow("bold italic underlined, antialiasing off") << styled;
        QTest::newRow("spacing and stretch, another strategy") << spaced;
    }

    void fontQuality() {
        QFETCH(QFont, font);
        const QFont before = font;
        SetFontQuality(font);
        const int strategy = font.styleStrategy();
        QVERIFY(strategy & QFont::PreferAntialias);
        QVERIFY(strategy & QFont::NoSubpixelAntialias);
        QVERIFY(!(strategy & QFont::NoAntialias));
        QCOMPARE(strategy & QFont::PreferOutline, before.styleStrategy() & QFont::PreferOutline);
        // Everything else is as it was.
        QFont restored = font;
        restored.setStyleStrategy(before.styleStrategy());
        QCOMPARE(restored, before);
        QCOMPARE(font.family(), before.family());
        QCOMPARE(font.pointSize(), before.pointSize());
        QCOMPARE(font.pixelSize(), before.pixelSize());
        QCOMPARE(font.weight(), before.weight());
        QCOMPARE(font.italic(), before.italic());
        QCOMPARE(font.underline(), before.underline());
        QCOMPARE(font.strikeOut(), before.strikeOut());
    }
};

QTEST_MAIN(TestColorAndFont)
#include "tst_colorandfont.moc"
