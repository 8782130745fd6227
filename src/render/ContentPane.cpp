// The content pane of the main window: the entry page of the current word,
// shown once the list settles, and what the user does inside the page.
#include "app/MainWindow.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"
#include "platform/IdleUpdates.h"
#include "platform/htmlview/HtmlView.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QTimer>
#include <QVBoxLayout>

void TfrmMain::createContentPane() {
    lcContent = new QWidget(this);
    lcContent->setObjectName(QStringLiteral("lcContent"));
    auto* layout = new QVBoxLayout(lcContent);
    layout->setContentsMargins(0, 0, 0, 0);
    pnContentWord = new QWidget(lcContent);
    pnContentWord->setObjectName(QStringLiteral("pnContentWord"));
    pnContentWord->setAutoFillBackground(true);
    QPalette palette = pnContentWord->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    pnContentWord->setPalette(palette);
    layout->addWidget(pnContentWord);
    auto* contentLayout = new QVBoxLayout(pnContentWord);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    ebContentWord = new platform::HtmlView(pnContentWord);
    ebContentWord->setObjectName(QStringLiteral("ebContentWord"));
    contentLayout->addWidget(ebContentWord);

    acGotoWord = new QAction(QStringLiteral("Xem chữ đã chọn..."), this);
    acSelectAll = new QAction(QStringLiteral("Chọn tất cả"), this);
    acCopy = new QAction(QStringLiteral("Sao chép"), this);
    ppContent = new QMenu(this);
    ppContent->addAction(acGotoWord);
    ppContent->addAction(acSelectAll);
    ppContent->addAction(acCopy);
    connect(acGotoWord, &QAction::triggered, this, [this] { acGotoWordExecute(); });
    connect(acSelectAll, &QAction::triggered, ebContentWord, &platform::HtmlView::selectAll);
    connect(acCopy, &QAction::triggered, ebContentWord, &platform::HtmlView::copy);
    idle_->add([this] {
        const QString selected = ebContentWord->selectedText();
        acCopy->setEnabled(!selected.isEmpty());
        acGotoWord->setEnabled(!selected.trimmed().contains(u' '));
    });

    connect(ebContentWord, &platform::HtmlView::contextMenuRequested, this,
            [this](const QPoint& at) { ppContent->popup(at); });
    connect(ebContentWord, &platform::HtmlView::mousePressed, this,
            [this](Qt::MouseButton button, const QPoint&, const QString& word) {
                ebContentWordClick(button, word);
            });

    qryWordsEndScrollWait = new QTimer(this);
    qryWordsEndScrollWait->setSingleShot(true);
    qryWordsEndScrollWait->setInterval(kEndScrollMs);
    connect(qryWordsEndScrollWait, &QTimer::timeout, this, [this] { qryWordsEndScroll(); });
    connect(qryWords, &WordQuery::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            qryWordsEndScrollWait->start();
    });
}

void TfrmMain::qryWordsEndScroll() {
    if (!vIsInit)
        ShowContentWord();
}

void TfrmMain::ShowContentWord() {
    const WordRecord* word = qryWords->current();
    if (!word)
        return; // no current row: the page shown stays
    try {
        dm.SaveHTMLFormatted(qryWords->content(*word), word->idGrw, word->soNet, word->nameGrw,
                             word->vietGrw, word->nameHan, word->nameVie);
        ebContentWord->setPage(dm.vHTMLString);
    } catch (...) {
        return; // the previous page stays; nothing is recorded
    }
    try {
        dm.mdViewedWords.insertWord(word->nameHan, word->nameVie);
    } catch (...) {
    }
}

void TfrmMain::ebContentWordClick(Qt::MouseButton button, const QString& word) {
    // The first character, whole: a character beyond the BMP is not cut in two.
    const QList<uint> chars = word.toUcs4();
    const QString ch =
        chars.isEmpty()
            ? QString()
            : QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), 1);
    const WordRecord* current = qryWords->current();
    if (current && ch == current->nameHan) {
        ShowContentWord();
        return;
    }
    if (ch.isEmpty() || !dm.vHanWordList.isKnown(ch))
        return;
    if (button != Qt::LeftButton)
        return;
    if (ch == edSearchWord->text().trimmed()) {
        ShowContentWord();
        return;
    }
    SetViewMode(1);
    vTypeView = 1;
    edSearchWord->setText(ch);
}

void TfrmMain::acGotoWordExecute() {
    const QString selected = ebContentWord->selectedText();
    acViewAll->trigger();
    edSearchWord->setText(selected.trimmed());
}
