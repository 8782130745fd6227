#include "app/MainWindow.h"

#include "app/WordListModel.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"
#include "data/WordStatements.h"
#include "data/fb/FbQuery.h"
#include "platform/IdleUpdates.h"
#include "platform/controls/CloseUpComboBox.h"
#include "platform/controls/ListOnlyValidator.h"

#include <QAbstractItemView>
#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kToolBarHeight = 28;
constexpr int kListPaneWidth = 240;
constexpr int kStrokeCounts = 33;
constexpr int kPickerRows = 16;

// Small line-art glyphs for the buttons; their artwork is ours to choose.
QIcon glyph(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x33, 0x55, 0x88), 1.6));
    draw(painter);
    return QIcon(pixmap);
}

QIcon magnifierGlyph() {
    return glyph([](QPainter& p) {
        p.drawEllipse(QRectF(2, 2, 8.5, 8.5));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    });
}

QIcon eraserGlyph() {
    return glyph([](QPainter& p) {
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

QIcon expandGlyph() {
    return glyph([](QPainter& p) {
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        p.drawLine(QPointF(8, 5), QPointF(8, 11));
    });
}

QIcon collapseGlyph() {
    return glyph([](QPainter& p) {
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
    });
}

QIcon textGlyph(const QString& text) {
    return glyph([text](QPainter& p) {
        QFont f = p.font();
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    });
}

} // namespace

TfrmMain::TfrmMain(TfrmDictionaryDM& dataModule, QWidget* parent)
    : QMainWindow(parent)
    , dm(dataModule) {
    setWindowTitle(QStringLiteral("Zentavo"));
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(15);
    setFont(font);
    qryWords = new WordQuery(dm.trDictionary(), this);
    idle_ = new platform::IdleUpdates(this);
    createActions();
    createToolBar();
    createListPane();
    createContentPane();

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(pnListWords);
    Splitter1->addWidget(lcContent);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);

    resize(884, 561);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::createActions() {
    const auto action = [this](const QString& text, const QIcon& icon) {
        auto* a = new QAction(icon, text, this);
        addAction(a);
        return a;
    };
    acViewAll = action(QStringLiteral("  &Tất cả  "), textGlyph(QStringLiteral("全")));
    acBothu = action(QStringLiteral("  &Bộ thủ  "), textGlyph(QStringLiteral("部")));
    acSonet = action(QStringLiteral("  &Số nét  "), textGlyph(QStringLiteral("畫")));
    for (QAction* a : {acViewAll, acBothu, acSonet}) {
        a->setCheckable(true);
        a->setShortcut(QKeySequence::mnemonic(a->text())); // the letter after "&"
    }
    acExpand = action(QStringLiteral("Mở rộng"), expandGlyph());
    acCollapse = action(QStringLiteral("Thu gọn"), collapseGlyph());
    acClearSearchWord = new QAction(eraserGlyph(), QString(), this);
    acClearSearchWord->setToolTip(QStringLiteral("Xóa chữ tìm"));
    acClearSearchWord->setVisible(false); // the box starts empty

    connect(acViewAll, &QAction::triggered, this, [this] { switchView(1); });
    connect(acBothu, &QAction::triggered, this, [this] { switchView(2); });
    connect(acSonet, &QAction::triggered, this, [this] { switchView(3); });
    connect(acExpand, &QAction::triggered, this, [this] { gtvWords->expandAll(); });
    connect(acCollapse, &QAction::triggered, this, [this] { gtvWords->collapseAll(); });
    connect(acClearSearchWord, &QAction::triggered, this, [this] { edSearchWord->clear(); });
}

void TfrmMain::createToolBar() {
    bmMainBar = new QToolBar(QStringLiteral("Zentavo"), this);
    bmMainBar->setObjectName(QStringLiteral("bmMainBar"));
    bmMainBar->setMovable(false);
    bmMainBar->setFloatable(false);
    bmMainBar->setContextMenuPolicy(Qt::PreventContextMenu); // cannot be closed
    bmMainBar->setFixedHeight(kToolBarHeight);
    bmMainBar->setIconSize(QSize(16, 16));
    bmMainBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QAction* a : {acViewAll, acBothu, acSonet})
        bmMainBar->addAction(a);
    bViewAll = qobject_cast<QToolButton*>(bmMainBar->widgetForAction(acViewAll));
    bBoThuView = qobject_cast<QToolButton*>(bmMainBar->widgetForAction(acBothu));
    bSoNetView = qobject_cast<QToolButton*>(bmMainBar->widgetForAction(acSonet));
    addToolBar(Qt::TopToolBarArea, bmMainBar);
}

void TfrmMain::createListPane() {
    pnListWords = new QWidget(this);
    pnListWords->setObjectName(QStringLiteral("pnListWords"));
    auto* pane = new QVBoxLayout(pnListWords);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->setSpacing(2);

    auto* filterRow = new QHBoxLayout;
    filterRow->setContentsMargins(2, 2, 2, 0);
    filterRow->setSpacing(3);
    const auto squareButton = [this](QAction* action) {
        auto* b = new QToolButton(pnListWords);
        b->setDefaultAction(action);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setFixedSize(25, 23);
        return b;
    };
    btnExpand = squareButton(acExpand);
    btnCollasep = squareButton(acCollapse);

    const auto captioned = [this](const QString& caption, QWidget* field) {
        auto* item = new QWidget(pnListWords);
        auto* row = new QHBoxLayout(item);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(4);
        auto* label = new QLabel(caption, item);
        label->setFont(QFont(QStringLiteral("Segoe UI"), 10)); // the layout's caption font
        row->addWidget(label);
        row->addWidget(field, 1);
        field->setParent(item);
        return item;
    };

    cbBothu = new platform::CloseUpComboBox;
    cbBothu->setObjectName(QStringLiteral("cbBothu"));
    cbBothu->setMaxVisibleItems(kPickerRows);
    liBothu = captioned(QStringLiteral("Bộ"), cbBothu);

    cbSonet = new QComboBox;
    cbSonet->setObjectName(QStringLiteral("cbSonet"));
    cbSonet->setEditable(true);
    cbSonet->setInsertPolicy(QComboBox::NoInsert);
    QStringList strokes;
    for (int i = 1; i <= kStrokeCounts; ++i)
        strokes << QStringLiteral(" %1").arg(i);
    cbSonet->addItems(strokes);
    cbSonet->setValidator(new platform::ListOnlyValidator(strokes, cbSonet));
    cbSonet->setMaxVisibleItems(kPickerRows);
    cbSonet->view()->setStyleSheet(QStringLiteral("QAbstractItemView::item { height: 25px; }"));
    liSonet = captioned(QStringLiteral("Số nét"), cbSonet);

    edSearchWord = new QLineEdit(pnListWords);
    edSearchWord->setObjectName(QStringLiteral("edSearchWord"));
    edSearchWord->addAction(new QAction(magnifierGlyph(), QString(), edSearchWord),
                            QLineEdit::LeadingPosition);

    filterRow->addWidget(btnExpand);
    filterRow->addWidget(btnCollasep);
    filterRow->addWidget(liBothu, 1);
    filterRow->addWidget(liSonet, 1);
    filterRow->addWidget(edSearchWord, 1);
    pane->addLayout(filterRow);

    gtvWords = new platform::GridView(pnListWords);
    gtvWords->setObjectName(QStringLiteral("gtvWords"));
    wordListModel = new WordListModel(*qryWords, this);
    wordListModel->setBaseFont(gtvWords->font());
    gtvWords->setModel(wordListModel);
    gtvWords->setHeaderHidden(true);
    gtvWords->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gtvWords->setSelectionBehavior(QAbstractItemView::SelectRows);
    gtvWords->setEmptyText(QStringLiteral("Không có chữ nào !"));
    gtvWords->setColumnHidden(WordListModel::SO_NET, true);
    gtvWords->setColumnHidden(WordListModel::BO_THU, true);
    gtvWords->setColumnShares({{WordListModel::NAME_HAN, 50}, {WordListModel::NAME_VIE, 100}},
                              {{WordListModel::NAME_HAN, 50}});
    gtvWords->setHintPolicy(WordListModel::NAME_HAN, platform::GridView::HintPolicy::Always);
    gtvWords->setHintPolicy(WordListModel::NAME_VIE, platform::GridView::HintPolicy::WhenCut);
    QFont hintFont(QStringLiteral("Arial Narrow"));
    hintFont.setPixelSize(48);
    gtvWords->setHintStyle({hintFont, 6});
    pane->addWidget(gtvWords, 1);

    ppListWords = new QMenu(this);
    ppListWords->addAction(acExpand);
    ppListWords->addAction(acCollapse);
    gtvWords->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gtvWords, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        ppListWords->popup(gtvWords->viewport()->mapToGlobal(at));
    });

    connect(gtvWords->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onViewCurrentChanged(current); });
    connect(wordListModel, &QAbstractItemModel::modelReset, this, [this] {
        for (int g = 0; g < wordListModel->groupCount(); ++g)
            gtvWords->setFirstColumnSpanned(g, {}, true);
        gtvWords->setRootIsDecorated(wordListModel->grouping() != WordListModel::Grouping::None);
        gtvWords->expandAll();
        placeCurrentRowInView();
    });
    connect(qryWords, &WordQuery::currentRowChanged, this, [this] { placeCurrentRowInView(); });

    connect(edSearchWord, &QLineEdit::textChanged, this,
            [this] { edSearchWordPropertiesChange(); });
    connect(cbBothu, &platform::CloseUpComboBox::closedUp, this,
            [this] { cbBothuPropertiesCloseUp(); });
    connect(cbSonet, &QComboBox::currentIndexChanged, this, [this] { cbSonetPropertiesChange(); });

    // The eraser shows while the box holds anything, blanks included. The
    // box's button does not follow the action's visibility, so the action
    // leaves and rejoins the box.
    idle_->add([this] {
        const bool wanted = !edSearchWord->text().isEmpty();
        acClearSearchWord->setVisible(wanted);
        const bool present = edSearchWord->actions().contains(acClearSearchWord);
        if (wanted && !present)
            edSearchWord->addAction(acClearSearchWord, QLineEdit::TrailingPosition);
        else if (!wanted && present)
            edSearchWord->removeAction(acClearSearchWord);
    });
}

void TfrmMain::FormCreate() {
    vIsInit = true;
    dm.ReadActiveStyle();
    vDefSQL = words::kWordRecordSQL;
    vTypeView = dm.vOpenDict > 1 ? dm.vOpenDict : 1;
    dm.mdViewedWords.clear();

    fb::FbQuery radicals(dm.trDictionary());
    radicals.setSQL(words::kRadicalListSQL);
    for (radicals.open(); radicals.isOpen(); radicals.next()) {
        qryListBoThu.push_back({int(radicals.asInteger(QStringLiteral("ID_GRW"))),
                                radicals.asString(QStringLiteral("NAME_GRW")),
                                radicals.asString(QStringLiteral("VIET_GRW")),
                                radicals.asString(QStringLiteral("BO_THU"))});
        cbBothu->addItem(qryListBoThu.back().boThu);
    }
    cbBothu->setCurrentIndex(qryListBoThu.empty() ? -1 : 0);

    SetViewMode(vTypeView);
    ReloadListWords();
    if (dm.vOpenDict == 1)
        ChooseRandomWord(int(QRandomGenerator::global()->bounded(8000)));
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Splitter1->setSizes({kListPaneWidth, std::max(1, width() - kListPaneWidth)});
        FormShow();
    }
}

void TfrmMain::FormShow() {
    fb::FbQuery& list = dm.qryListWords();
    QString all;
    list.open();
    const int nameHan = list.fieldIndex(QStringLiteral("NAME_HAN"));
    for (; list.isOpen(); list.next())
        all += list.asString(nameHan);
    dm.vHanWordList.setText(all);
    vIsInit = false;
    // A first show slower than the wait would otherwise never show a page.
    if (qryWords->current() && !qryWordsEndScrollWait->isActive())
        qryWordsEndScrollWait->start();
}

int TfrmMain::currentRadical() const {
    const int i = cbBothu->currentIndex();
    return i >= 0 && i < int(qryListBoThu.size()) ? qryListBoThu[size_t(i)].idGrw : 0;
}

void TfrmMain::SetViewMode(int mode) {
    for (QAction* a : {acViewAll, acBothu, acSonet})
        a->setChecked(false);
    for (QWidget* item : {static_cast<QWidget*>(btnExpand), static_cast<QWidget*>(btnCollasep),
                          static_cast<QWidget*>(edSearchWord), liSonet, liBothu})
        item->hide();
    switch (mode) {
    case 1:
        acViewAll->setChecked(true);
        wordListModel->setGrouping(WordListModel::Grouping::None);
        edSearchWord->show();
        break;
    case 2:
        acBothu->setChecked(true);
        wordListModel->setGrouping(WordListModel::Grouping::ByStrokes);
        btnExpand->show();
        btnCollasep->show();
        liBothu->show();
        break;
    case 3:
        acSonet->setChecked(true);
        wordListModel->setGrouping(WordListModel::Grouping::ByRadical);
        liSonet->show();
        btnExpand->show();
        btnCollasep->show();
        break;
    default:
        wordListModel->setGrouping(WordListModel::Grouping::None);
        break;
    }
}

void TfrmMain::switchView(int mode) {
    SetViewMode(mode);
    vTypeView = mode;
    ReloadListWords();
}

void TfrmMain::ReloadListWords() {
    // Decomposed Vietnamese must find what its composed form finds.
    const QString text = edSearchWord->text().trimmed().normalized(QString::NormalizationForm_C);
    // The list redraws once, after the query is open again, whatever happens.
    gtvWords->setUpdatesEnabled(false);
    const struct Reattach {
        platform::GridView* view;
        ~Reattach() { view->setUpdatesEnabled(true); }
    } reattach{gtvWords};

    gtvWords->setFooterVisible(false);
    qryWords->close();
    QString statement = vDefSQL;
    qryWords->clearParams();
    if (vTypeView == 1 && !text.isEmpty()) {
        statement += QStringLiteral("\n where ") + words::kSearchClause;
    } else if (vTypeView == 2) {
        statement += QStringLiteral("\n where ") + QStringLiteral(" W.ID_GRW = :BO_THU");
    } else if (vTypeView == 3) {
        statement += QStringLiteral("\n where ") + QStringLiteral(" W.SO_NET = :SO_NET");
    }
    qryWords->setSQL(statement);
    if (vTypeView == 1 && !text.isEmpty()) {
        words::bindSearchText(*qryWords, text.toUpper());
    } else if (vTypeView == 2) {
        qryWords->setParam(QStringLiteral("BO_THU"), currentRadical());
    } else if (vTypeView == 3) {
        qryWords->setParam(QStringLiteral("SO_NET"), cbSonet->currentIndex() + 1);
    }
    qryWords->setOrderClause(words::kWordOrderClause);
    qryWords->open();
    if (vTypeView == 1 && !text.isEmpty()) {
        const qint64 count = qryWords->serverRowCount();
        if (count > 1) {
            gtvWords->setFooterText(QLocale::system().toString(count));
            gtvWords->setFooterVisible(true);
        }
    }
}

void TfrmMain::ChooseRandomWord(int r) {
    qryWords->setCurrentRow(0);
    qryWords->moveBy(r + 1);
    const QModelIndex top = wordListModel->indexOfRecord(std::min(r + 1, qryWords->rowCount() - 1));
    if (top.isValid())
        gtvWords->scrollTo(top, QAbstractItemView::PositionAtTop);
}

void TfrmMain::placeCurrentRowInView() {
    const QModelIndex index = wordListModel->indexOfRecord(qryWords->currentRow());
    if (index.isValid() && gtvWords->currentIndex() != index) {
        gtvWords->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        gtvWords->scrollTo(index);
    }
}

void TfrmMain::onViewCurrentChanged(const QModelIndex& current) {
    const int record = wordListModel->recordOf(current);
    if (record >= 0)
        qryWords->setCurrentRow(record);
}

void TfrmMain::edSearchWordPropertiesChange() {
    if (!vIsInit)
        ReloadListWords();
}

void TfrmMain::cbBothuPropertiesCloseUp() {
    if (!vIsInit)
        ReloadListWords();
}

void TfrmMain::cbSonetPropertiesChange() {
    if (!vIsInit)
        ReloadListWords();
}
