#include "HtmlViewDriver.h"
#include "platform/htmlview/HtmlView.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTcpServer>
#include <QTest>

using platform::HtmlView;
using namespace testing;

namespace {

const QByteArray kLinkedPage =
    "<!DOCTYPE html><HTML><BODY><p><span id=\"plain\">Vietnamese <span id=\"word\">text</span> "
    "here</span></p>"
    "<p><a href=\"\" class=\"tooltip\"><font size=\"6\">\xe8\xa1\x8c&nbsp;</font></a> x "
    "<a href=\"\"><font size=\"6\">\xf0\xa0\x80\xa7</font></a></p>"
    "<div style=\"height:400px\"></div></BODY></HTML>";

} // namespace

class TestHtmlView : public QObject {
    Q_OBJECT

    std::unique_ptr<HtmlView> view_;

private slots:
    void init() {
        view_ = std::make_unique<HtmlView>();
        view_->resize(600, 500);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        view_->activateWindow(); // no window manager gives it focus
        QVERIFY(QTest::qWaitForWindowActive(view_.get()));
    }
    void cleanup() { view_.reset(); }

    void pagesOfAnySizeFromMemory_data() {
        QTest::addColumn<int>("kilobytes");
        QTest::newRow("small") << 1;
        QTest::newRow("past 2 MiB") << 3 * 1024;
    }

    void pagesOfAnySizeFromMemory() {
        QFETCH(int, kilobytes);
        QByteArray body;
        const QByteArray row =
            "<p>\xe8\xa1\x8c \xe6\xb0\xb4 ti\xe1\xba\xbfng Vi\xe1\xbb\x87t</p>\n";
        while (body.size() < kilobytes * 1024)
            body += row;
        const QByteArray page =
            "<!DOCTYPE html><HTML><BODY>" + body + "<p id=\"end\">end</p></BODY></HTML>";
        QVERIFY(loadAndWait(view_.get(), page));
        QCOMPARE(evaluate(view_.get(), "document.getElementById('end').textContent").toString(),
                 QString("end"));
        QCOMPARE(evaluate(view_.get(), "document.characterSet").toString(), QString("UTF-8"));
        QCOMPARE(evaluate(view_.get(), "document.body.firstChild.textContent").toString(),
                 QString::fromUtf8("行 水 tiếng Việt"));
        QVERIFY(view_->webView()->url().scheme() == "zentavo");
    }

    void pageScriptsNeverRunAndNothingIsFetched() {
        // A server on this machine that the page asks for things: it must hear nothing.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QByteArray base = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
        const QByteArray page = "<!DOCTYPE html><HTML><HEAD><TITLE>still</TITLE>"
                                "<link rel=\"stylesheet\" href=\"" +
                                base +
                                "/style.css\"></HEAD>"
                                "<BODY onload=\"document.title='onload'\">"
                                "<script>document.title='script';</script>"
                                "<script src=\"" +
                                base +
                                "/script.js\"></script>"
                                "<img id=\"remote\" src=\"" +
                                base +
                                "/remote.png\" onerror=\"document.title='handler'\">"
                                "<iframe src=\"" +
                                base +
                                "/frame\"></iframe>"
                                "<a id=\"js\" href=\"javascript:document.title='link'\">x</a>"
                                "</BODY></HTML>";
        QVERIFY(loadAndWait(view_.get(), page));
        QTest::qWait(500);
        QCOMPARE(evaluate(view_.get(), "document.title").toString(), QString("still"));
        press(view_.get(), elementCentre(view_.get(), "#js"), Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(evaluate(view_.get(), "document.title").toString(), QString("still"));
        QVERIFY(!server.hasPendingConnections());
        QVERIFY(!server.waitForNewConnection(200));
        for (const QString& url : HtmlView::blockedRequests())
            QVERIFY(!url.startsWith("zentavo:")); // our own pages always load
    }

    void pressesReportTheWordUnderThePoint_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("word");
        QTest::newRow("left on a character") << "font" << int(Qt::LeftButton) << "行";
        QTest::newRow("right on a character") << "font" << int(Qt::RightButton) << "行";
        QTest::newRow("Extension B") << "a:nth-of-type(2) font" << int(Qt::LeftButton) << "𠀧";
        QTest::newRow("a Vietnamese word") << "#word" << int(Qt::LeftButton) << "text";
        QTest::newRow("blank space") << "div" << int(Qt::LeftButton) << "";
    }

    void pressesReportTheWordUnderThePoint() {
        QFETCH(QString, selector);
        QFETCH(int, button);
        QFETCH(QString, word);
        QVERIFY(loadAndWait(view_.get(), kLinkedPage));
        QSignalSpy presses(view_.get(), &HtmlView::mousePressed);
        const QPoint at = elementCentre(view_.get(), selector);
        QVERIFY(at.x() >= 0);
        press(view_.get(), at, Qt::MouseButton(button));
        QVERIFY(presses.wait(5000));
        QCOMPARE(presses.first().at(0).value<Qt::MouseButton>(), Qt::MouseButton(button));
        QVERIFY((presses.first().at(1).toPoint() - at).manhattanLength() <= 2);
        QCOMPARE(presses.first().at(2).toString(), word);
    }

    void linksReloadAndNewWindowsGoNowhere() {
        QVERIFY(loadAndWait(view_.get(), kLinkedPage));
        const QUrl url = view_->webView()->url();
        QSignalSpy navigations(view_.get(), &HtmlView::beforeNavigate);
        press(view_.get(), elementCentre(view_.get(), "a"), Qt::LeftButton);
        QTest::qWait(500);
        QVERIFY(!navigations.isEmpty()); // asked, and cancelled by default
        view_->webView()->page()->triggerAction(QWebEnginePage::Reload);
        QTest::keyClick(inputTarget(view_.get()), Qt::Key_N, Qt::ControlModifier);
        QTest::qWait(500);
        QCOMPARE(view_->webView()->url(), url);
        QVERIFY(!evaluate(view_.get(), "document.getElementById('plain')").isNull());
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows)
            QVERIFY(!w->isVisible() || w == view_.get() || qobject_cast<QMenu*>(w));
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return w->isVisible(); }),
                 1);
    }

    void contextMenuIsOursToShow() {
        QVERIFY(loadAndWait(view_.get(), kLinkedPage));
        QSignalSpy menus(view_.get(), &HtmlView::contextMenuRequested);
        const QPoint at = elementCentre(view_.get(), "#plain");
        press(view_.get(), at, Qt::RightButton);
        QTRY_COMPARE(menus.size(), 1);
        QVERIFY((menus.first().first().toPoint() - view_->webView()->mapToGlobal(at))
                    .manhattanLength() <= 2);
        QTest::qWait(200);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QMenu*>(w) && w->isVisible()));
    }

    void selectAllAndCopy() {
        QVERIFY(loadAndWait(view_.get(), kLinkedPage));
        QCOMPARE(view_->selectedText(), QString());
        view_->selectAll();
        QTRY_VERIFY(view_->selectedText().contains("Vietnamese text here"));
        QApplication::clipboard()->clear();
        view_->copy();
        QTRY_VERIFY(QApplication::clipboard()->text().contains("Vietnamese text here"));
        QVERIFY(QApplication::clipboard()->text().contains(QString::fromUtf8("行")));
    }
};

QTEST_MAIN(TestHtmlView)
#include "tst_htmlview.moc"
