#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace platform {

class HtmlPage;

// The HTML view every window of the program uses. Pages come from memory
// (any size), never from a file or the network; the page's own scripts never
// run; the view opens no windows, reloads nothing and shows no menu of its
// own. It tells its owner of mouse presses (with the word under the point),
// of context-menu requests and of navigations it is about to make.
class HtmlView : public QWidget {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent = nullptr);
    ~HtmlView() override;

    // Loads a UTF-8 page; loadFinished follows.
    void setPage(const QByteArray& utf8Page);
    QByteArray pageBytes() const { return pageBytes_; }

    QString selectedText() const;
    void selectAll();
    void copy();

    QWebEngineView* webView() const { return view_; }
    // Every request the views refused to send, for the record.
    static QStringList blockedRequests();

signals:
    void loadFinished(bool ok);
    // A press of the left or right button: the position in view coordinates
    // and the word under it (empty on no text).
    void mousePressed(Qt::MouseButton button, const QPoint& position, const QString& word);
    // The view would show a context menu here (screen coordinates); it shows none.
    void contextMenuRequested(const QPoint& globalPosition);
    // The page is about to go somewhere else (a link, a form); cancelled unless
    // a receiver clears *cancel.
    void beforeNavigate(const QUrl& url, bool* cancel);

private:
    friend class HtmlPage;
    friend class HtmlViewBridge;
    void reportPress(int button, double x, double y, const QString& word);

    QWebEngineView* view_;
    HtmlPage* page_;
    QByteArray pageBytes_;
    int id_;
    int serial_ = 0;
};

} // namespace platform
