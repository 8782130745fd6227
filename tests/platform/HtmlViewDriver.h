#pragma once

// Drives a real HtmlView in tests: waits for pages, reads the document from
// the view's own script world, and presses the mouse where an element is.
#include "platform/htmlview/HtmlView.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace testing {

inline QVariant evaluate(platform::HtmlView* view, const QString& js) {
    QVariant result;
    QEventLoop loop;
    view->webView()->page()->runJavaScript(js, QWebEngineScript::ApplicationWorld,
                                           [&](const QVariant& v) {
                                               result = v;
                                               loop.quit();
                                           });
    QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

// Loads a page and waits until it is laid out (the first frame may come after
// loadFinished).
inline bool loadAndWait(platform::HtmlView* view, const QByteArray& page) {
    QSignalSpy finished(view, &platform::HtmlView::loadFinished);
    view->setPage(page);
    if (!finished.wait(20'000) || !finished.first().first().toBool())
        return false;
    QTest::qWait(150);
    return true;
}

// Centre of the n-th element matching selector, in view coordinates.
inline QPoint elementCentre(platform::HtmlView* view, const QString& selector, int n = 0) {
    const QVariantList box =
        evaluate(view, QStringLiteral("(function(){var e=document.querySelectorAll('%1')[%2];"
                                      "if(!e)return [];var r=e.getClientRects()[0];"
                                      "return [r.left+r.width/2, r.top+r.height/2];})()")
                           .arg(selector)
                           .arg(n))
            .toList();
    if (box.size() != 2)
        return {-1, -1};
    const double zoom = view->webView()->page()->zoomFactor();
    return QPoint(qRound(box[0].toDouble() * zoom), qRound(box[1].toDouble() * zoom));
}

inline QWidget* inputTarget(platform::HtmlView* view) {
    QWidget* proxy = view->webView()->focusProxy();
    return proxy ? proxy : view->webView();
}

inline void press(platform::HtmlView* view, const QPoint& at, Qt::MouseButton button) {
    QTest::mouseClick(inputTarget(view), button, Qt::NoModifier, at);
}

} // namespace testing
