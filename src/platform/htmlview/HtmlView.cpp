#include "platform/htmlview/HtmlView.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kScheme = "zentavo";

// Before the application object exists: our scheme, the shared GL contexts
// the engine wants, and (as root, where its sandbox refuses to start) no sandbox.
void registerScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Pages name Windows faces; the program folder's font configuration maps
    // them to installed ones for the engine (which asks fontconfig, not Qt).
    const QString fonts =
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/fonts.conf");
    if (!qEnvironmentVariableIsSet("FONTCONFIG_FILE") && QFileInfo::exists(fonts))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(fonts));
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}
Q_CONSTRUCTOR_FUNCTION(registerScheme)

// The pages of all views, by view: only the page a view shows now is served.
struct PageStore {
    QMutex mutex;
    QHash<int, QPair<int, QByteArray>> pages; // view id → serial, bytes
    QStringList blocked;
    int nextId = 1;
};

PageStore& store() {
    static PageStore s;
    return s;
}

class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        // zentavo:page/<view>/<serial>
        const QStringList parts = job->requestUrl().path().split(u'/');
        QByteArray bytes;
        bool found = false;
        if (parts.size() == 3 && parts[0] == QLatin1String("page")) {
            QMutexLocker lock(&store().mutex);
            const auto it = store().pages.constFind(parts[1].toInt());
            if (it != store().pages.constEnd() && it->first == parts[2].toInt()) {
                bytes = it->second;
                found = true;
            }
        }
        if (!found) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(bytes);
        job->reply("text/html;charset=utf-8", buffer);
    }
};

// Nothing leaves for the network: only our own pages and inline data load.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme == QLatin1String(kScheme) || scheme == QLatin1String("data"))
            return;
        info.block(true);
        QMutexLocker lock(&store().mutex);
        store().blocked.append(info.requestUrl().toString());
    }
};

QWebEngineProfile* sharedProfile() {
    static QWebEngineProfile* profile = [] {
        auto* p = new QWebEngineProfile(QCoreApplication::instance()); // off the record
        p->installUrlSchemeHandler(kScheme, new PageSchemeHandler(p));
        p->setUrlRequestInterceptor(new LocalOnlyInterceptor(p));
        p->setHttpCacheType(QWebEngineProfile::NoCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        p->setSpellCheckEnabled(false);
        QWebEngineSettings* s = p->settings();
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
        s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
        s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
        s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
        return p;
    }();
    return profile;
}

// Runs in a world of its own (the page's scripts are off): reports presses
// with the word under the point. The caret nearest a point may lie beside
// it, so the character's own box must hold the point.
const char kPressScript[] = R"js(
(function () {
  function charBox(node, start, end) {
    var r = document.createRange();
    r.setStart(node, start);
    r.setEnd(node, end);
    return r.getClientRects();
  }
  function holds(rects, x, y) {
    for (var i = 0; i < rects.length; ++i) {
      var b = rects[i];
      if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom) return true;
    }
    return false;
  }
  function unitLength(text, at) {
    var c = text.charCodeAt(at);
    return (c >= 0xD800 && c <= 0xDBFF && at + 1 < text.length) ? 2 : 1;
  }
  function wordAt(x, y) {
    var range = document.caretRangeFromPoint(x, y);
    if (!range || range.startContainer.nodeType !== Node.TEXT_NODE) return '';
    var node = range.startContainer, text = node.data, offset = range.startOffset, at = -1;
    if (offset < text.length && holds(charBox(node, offset, offset + unitLength(text, offset)), x, y)) {
      at = offset;
    } else if (offset > 0) {
      var before = offset - 1;
      var lo = text.charCodeAt(before);
      if (lo >= 0xDC00 && lo <= 0xDFFF && before > 0) before -= 1;
      if (holds(charBox(node, before, offset), x, y)) at = before;
    }
    if (at < 0) return '';
    var segments = new Intl.Segmenter(undefined, { granularity: 'word' }).segment(text);
    var word = segments.containing(at);
    var found = word ? word.segment : text.charAt(at);
    return found.replace(/^[\s\u0000-\u0020\u00a0\ufeff]+|[\s\u0000-\u0020\u00a0\ufeff]+$/g, '');
  }
  new QWebChannel(qt.webChannelTransport, function (channel) {
    var bridge = channel.objects.bridge;
    document.addEventListener('mousedown', function (e) {
      if (e.button !== 0 && e.button !== 2) return;
      bridge.press(e.button, e.clientX, e.clientY, wordAt(e.clientX, e.clientY));
    }, true);
  });
})();
)js";

QWebEngineScript script(const QString& name, const QString& source,
                        QWebEngineScript::InjectionPoint point) {
    QWebEngineScript s;
    s.setName(name);
    s.setSourceCode(source);
    s.setInjectionPoint(point);
    s.setWorldId(QWebEngineScript::ApplicationWorld);
    s.setRunsOnSubFrames(false);
    return s;
}

QString webChannelLibrary() {
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The object the press script talks to.
class HtmlViewBridge : public QObject {
    Q_OBJECT
public:
    explicit HtmlViewBridge(HtmlView* view)
        : QObject(view)
        , view_(view) {}

public slots:
    void press(int button, double x, double y, const QString& word) {
        view_->reportPress(button, x, y, word);
    }

private:
    HtmlView* view_;
};

class HtmlPage : public QWebEnginePage {
public:
    HtmlPage(HtmlView* owner)
        : QWebEnginePage(sharedProfile(), owner)
        , owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (type == NavigationTypeReload || type == NavigationTypeBackForward)
            return false;
        if (url == expected_ && type != NavigationTypeLinkClicked)
            return true; // a page the owner loads
        if (!isMainFrame)
            return false;
        bool cancel = true;
        emit owner_->beforeNavigate(url, &cancel);
        return !cancel;
    }

    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

public:
    QUrl expected_;

private:
    HtmlView* owner_;
};

HtmlView::HtmlView(QWidget* parent)
    : QWidget(parent)
    , view_(new QWebEngineView(this))
    , page_(new HtmlPage(this)) {
    {
        QMutexLocker lock(&store().mutex);
        id_ = store().nextId++;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { emit contextMenuRequested(view_->mapToGlobal(at)); });
    connect(page_, &QWebEnginePage::loadFinished, this, &HtmlView::loadFinished);

    // Ctrl+N would ask for a new window: it does nothing here.
    auto* newWindow = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    newWindow->setContext(Qt::WidgetWithChildrenShortcut);

    auto* channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("bridge"), new HtmlViewBridge(this));
    page_->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    page_->scripts().insert(script(QStringLiteral("webchannel"), webChannelLibrary(),
                                   QWebEngineScript::DocumentCreation));
    page_->scripts().insert(script(QStringLiteral("presses"), QString::fromUtf8(kPressScript),
                                   QWebEngineScript::DocumentReady));
}

HtmlView::~HtmlView() {
    QMutexLocker lock(&store().mutex);
    store().pages.remove(id_);
}

void HtmlView::setPage(const QByteArray& utf8Page) {
    pageBytes_ = utf8Page;
    {
        QMutexLocker lock(&store().mutex);
        store().pages.insert(id_, {++serial_, utf8Page});
    }
    const QUrl url(
        QStringLiteral("%1:page/%2/%3").arg(QLatin1String(kScheme)).arg(id_).arg(serial_));
    page_->expected_ = url;
    page_->load(url);
}

QString HtmlView::selectedText() const {
    return page_->selectedText();
}

void HtmlView::selectAll() {
    // Editing commands go to the focused frame: the page must have the focus.
    view_->setFocus();
    page_->triggerAction(QWebEnginePage::SelectAll);
}

void HtmlView::copy() {
    page_->triggerAction(QWebEnginePage::Copy);
}

QStringList HtmlView::blockedRequests() {
    QMutexLocker lock(&store().mutex);
    return store().blocked;
}

void HtmlView::reportPress(int button, double x, double y, const QString& word) {
    // CSS pixels times the zoom make view coordinates.
    const double zoom = page_->zoomFactor();
    emit mousePressed(button == 2 ? Qt::RightButton : Qt::LeftButton,
                      QPoint(qRound(x * zoom), qRound(y * zoom)), word);
}

} // namespace platform

#include "HtmlView.moc"
