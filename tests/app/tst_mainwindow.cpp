#include "DictionaryFixture.h"
#include "app/MainWindow.h"
#include "app/WordListModel.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"
#include "platform/controls/CloseUpComboBox.h"
#include "platform/registry/RegistryStore.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using platform::RegistryKey;
using platform::RegRoot;

namespace {

// The options group as the Options dialog writes it, with OpenDict as given.
void storeOptions(const QVariant& openDict) {
    const auto key = RegistryKey::open(RegRoot::CurrentUser, settings::kOptionsKey, true);
    if (openDict.typeId() == QMetaType::QString)
        key.writeString(settings::kOpenDict, openDict.toString());
    else
        key.writeInteger(settings::kOpenDict, openDict.toInt());
    key.writeString(settings::kFontName, "Times New Roman");
    key.writeInteger(settings::kBgColor, 0x00FFFFFF);
    key.writeInteger(settings::kMauchuHan, 0x000000FF);
    key.writeInteger(settings::kKichthuocHan, 5);
}

QList<int> soNets(const WordQuery& q) {
    QList<int> out;
    for (const WordRecord& r : q.rows())
        out << r.soNet;
    return out;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> registry_;
    std::unique_ptr<TfrmDictionaryDM> dm_;
    std::unique_ptr<TfrmMain> form_;
    int allWords_ = 0;

    TfrmMain& openWindow() {
        dm_ = std::make_unique<TfrmDictionaryDM>(builtProgramFolder());
        dm_->DataModuleCreate();
        form_ = std::make_unique<TfrmMain>(*dm_);
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get()))
            qWarning("the main window was not exposed");
        return *form_;
    }

    // Types as a keyboard would, one key event per character (the test
    // library's own typing knows only ASCII).
    void type(TfrmMain& f, const QString& text) {
        f.edSearchWord->clear();
        for (uint cp : text.toUcs4()) {
            const QString key = QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(f.edSearchWord, &press);
            QApplication::sendEvent(f.edSearchWord, &release);
        }
        QCOMPARE(f.edSearchWord->text(), text);
    }

private slots:
    void init() {
        registry_ = std::make_unique<QTemporaryDir>();
        qputenv("ZENTAVO_REGISTRY_DIR", registry_->path().toUtf8());
    }

    void cleanup() {
        form_.reset();
        dm_.reset();
    }

    void initTestCase() {
        init();
        TfrmMain& f = openWindow();
        allWords_ = f.qryWords->rowCount();
        QVERIFY(allWords_ > 10000);
        cleanup();
    }

    void startup_data() {
        QTest::addColumn<QVariant>("openDict"); // invalid: no settings at all
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("shown");   // filter-row items visible
        QTest::addColumn<QString>("pressed"); // the view button down
        QTest::addColumn<bool>("random");
        QTest::newRow("no settings") << QVariant() << 1 << "search"
                                     << "all" << false;
        QTest::newRow("0 all words") << QVariant(0) << 1 << "search"
                                     << "all" << false;
        QTest::newRow("1 random word") << QVariant(1) << 1 << "search"
                                       << "all" << true;
        QTest::newRow("2 radical") << QVariant(2) << 2 << "expand collapse radical"
                                   << "radical" << false;
        QTest::newRow("3 strokes") << QVariant(3) << 3 << "strokes expand collapse"
                                   << "strokes" << false;
        QTest::newRow("4 bare list") << QVariant(4) << 4 << ""
                                     << "" << false;
        QTest::newRow("9 bare list") << QVariant(9) << 9 << ""
                                     << "" << false;
        QTest::newRow("-1 all words") << QVariant(-1) << 1 << "search"
                                      << "all" << false;
        QTest::newRow("text value: the group falls back to random")
            << QVariant(QString("2")) << 1 << "search"
            << "all" << true;
    }

    void startup() {
        QFETCH(QVariant, openDict);
        QFETCH(int, view);
        QFETCH(QString, shown);
        QFETCH(QString, pressed);
        QFETCH(bool, random);
        if (openDict.isValid())
            storeOptions(openDict);
        TfrmMain& f = openWindow();

        QCOMPARE(f.vTypeView, view);
        QVERIFY(!f.vIsInit);
        QCOMPARE(f.edSearchWord->isVisible(), shown.contains("search"));
        QCOMPARE(f.liBothu->isVisible(), shown.contains("radical"));
        QCOMPARE(f.liSonet->isVisible(), shown.contains("strokes"));
        QCOMPARE(f.btnExpand->isVisible(), shown.contains("expand"));
        QCOMPARE(f.btnCollasep->isVisible(), shown.contains("collapse"));
        QCOMPARE(f.bViewAll->isChecked(), pressed == "all");
        QCOMPARE(f.bBoThuView->isChecked(), pressed == "radical");
        QCOMPARE(f.bSoNetView->isChecked(), pressed == "strokes");

        const WordQuery& q = *f.qryWords;
        if (view == 2) {
            QCOMPARE(f.cbBothu->currentText(), QString(" nhất 一 (1)"));
            for (const WordRecord& r : q.rows())
                QCOMPARE(r.idGrw, 1);
            QCOMPARE(f.wordListModel->grouping(), WordListModel::Grouping::ByStrokes);
        } else if (view == 3) {
            QCOMPARE(f.cbSonet->currentText(), QString(" 1"));
            QVERIFY(!soNets(q).isEmpty());
            QCOMPARE(soNets(q), QList<int>(q.rowCount(), 1));
            QCOMPARE(f.wordListModel->grouping(), WordListModel::Grouping::ByRadical);
        } else {
            QCOMPARE(q.rowCount(), allWords_);
            QCOMPARE(f.wordListModel->grouping(), WordListModel::Grouping::None);
        }
        if (random) {
            QVERIFY(q.currentRow() > 0);
            // The chosen word is the top visible row.
            QCOMPARE(f.wordListModel->recordOf(f.gtvWords->indexAt(QPoint(5, 5))), q.currentRow());
        } else {
            QCOMPARE(q.currentRow(), 0);
        }
        QCOMPARE(f.wordListModel->recordOf(f.gtvWords->currentIndex()), q.currentRow());
        QVERIFY(!dm_->vHanWordList.isEmpty());
        QCOMPARE(dm_->vHanWordList.list().size(), 1);
        QCOMPARE(dm_->mdViewedWords.rowCount(), 0);
    }

    void randomWordNearTheEnd() {
        TfrmMain& f = openWindow();
        f.ChooseRandomWord(7999);
        QCOMPARE(f.qryWords->currentRow(), 8000);
        // A short list: the move stops on the last row.
        f.switchView(2);
        f.ChooseRandomWord(7999);
        QCOMPARE(f.qryWords->currentRow(), f.qryWords->rowCount() - 1);
    }

    void search_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows"); // -1: every word; -2: some, fewer than all
        QTest::newRow("a reading") << QString::fromUtf8("nhất") << -2;
        QTest::newRow("upper case finds the same") << QString::fromUtf8("NHẤT") << -2;
        QTest::newRow("decomposed Vietnamese")
            << QString::fromUtf8("nhất").normalized(QString::NormalizationForm_D) << -2;
        QTest::newRow("one Han character") << QString::fromUtf8("行") << 1;
        QTest::newRow("Extension B") << QString::fromUtf8("𠀧") << 1;
        QTest::newRow("percent lists all") << "%" << -1;
        QTest::newRow("underscore: every one-character form") << "_" << -1;
        QTest::newRow("only blanks lists all") << "   " << -1;
        QTest::newRow("nothing matches") << "zzzq" << 0;
        QTest::newRow("quotes and SQL") << "' or 1=1 --" << 0;
        QTest::newRow("1,000 characters") << QString(1000, u'a') << 0;
        QTest::newRow("emoji") << QString::fromUtf8("😀") << 0;
    }

    void search() {
        QFETCH(QString, text);
        QFETCH(int, rows);
        TfrmMain& f = openWindow();
        if (text.size() > 50)
            f.edSearchWord->setText(text); // typing a thousand keys proves nothing more
        else
            type(f, text);
        const WordQuery& q = *f.qryWords;
        if (rows == -1)
            QCOMPARE(q.rowCount(), allWords_);
        else if (rows == -2)
            QVERIFY(q.rowCount() > 1 && q.rowCount() < allWords_);
        else
            QCOMPARE(q.rowCount(), rows);
        // The footer shows the server's count for more than one match only.
        const bool footer = !text.trimmed().isEmpty() && q.rowCount() > 1;
        QCOMPARE(f.gtvWords->isFooterVisible(), footer);
        if (footer) {
            QCOMPARE(f.gtvWords->footerText(), QLocale::system().toString(qlonglong(q.rowCount())));
            auto* label = f.gtvWords->findChild<QLabel*>("gridFooter");
            QVERIFY(label && label->isVisible());
            // Under the rows, inside the list, under the Han column.
            QVERIFY(label->geometry().top() >= f.gtvWords->viewport()->geometry().bottom());
            QVERIFY(f.gtvWords->rect().contains(label->geometry()));
            QCOMPARE(label->x(),
                     f.gtvWords->viewport()->x() + f.gtvWords->columnViewportPosition(0));
        }
        QCOMPARE(q.currentRow(), q.rowCount() > 0 ? 0 : -1);
        QCOMPARE(f.wordListModel->rowCount(), q.rowCount());
    }

    void readingsMatchWholeReadingsOnly() {
        TfrmMain& f = openWindow();
        type(f, QString::fromUtf8("hành"));
        QVERIFY(f.qryWords->rowCount() > 1);
        for (const WordRecord& r : f.qryWords->rows())
            QVERIFY2(r.nameVie.split(", ").contains(QString::fromUtf8("hành")),
                     qPrintable(r.nameVie));
    }

    static bool eraserShown(TfrmMain& f) {
        for (auto* button : f.edSearchWord->findChildren<QToolButton*>())
            if (button->defaultAction() == f.acClearSearchWord && button->isVisible())
                return true;
        return false;
    }

    void eraser() {
        TfrmMain& f = openWindow();
        QTest::qWait(20);
        QVERIFY(!eraserShown(f));
        type(f, " ");
        QTest::qWait(20);
        QVERIFY(eraserShown(f)); // a blank is something
        type(f, QString::fromUtf8("nhất"));
        QVERIFY(f.qryWords->rowCount() < allWords_);
        f.acClearSearchWord->trigger();
        QTest::qWait(20);
        QCOMPARE(f.edSearchWord->text(), QString());
        QCOMPARE(f.qryWords->rowCount(), allWords_);
        QVERIFY(!eraserShown(f));
        QVERIFY(!f.gtvWords->isFooterVisible());
    }

    void radicalPicker() {
        TfrmMain& f = openWindow();
        f.acBothu->trigger();
        QCOMPARE(f.vTypeView, 2);
        QSignalSpy reloads(f.qryWords, &WordQuery::reset);
        f.cbBothu->setCurrentIndex(84);
        f.cbBothu->hidePopup(); // the drop-down closes on the choice
        QCOMPARE(f.cbBothu->currentText(), QString(" thủy 水 (85)"));
        for (const WordRecord& r : f.qryWords->rows())
            QCOMPARE(r.idGrw, 85);
        QVERIFY(f.qryWords->rowCount() > 100);
        const int before = reloads.size();
        f.cbBothu->hidePopup();               // closed without a new choice: reloads all the same
        QCOMPARE(reloads.size(), before + 2); // a close and an open
        QCOMPARE(f.cbBothu->maxVisibleItems(), 16);
    }

    void strokePicker() {
        TfrmMain& f = openWindow();
        f.acSonet->trigger();
        f.cbSonet->setCurrentIndex(32);
        QCOMPARE(f.cbSonet->currentText(), QString(" 33"));
        QVERIFY(f.qryWords->rowCount() > 0);
        QCOMPARE(soNets(*f.qryWords), QList<int>(f.qryWords->rowCount(), 33));
        // Only entries of the list can be typed.
        f.cbSonet->lineEdit()->clear();
        QTest::keyClicks(f.cbSonet->lineEdit(), "40");
        QVERIFY(f.cbSonet->lineEdit()->text() != "40");
        QCOMPARE(f.cbSonet->count(), 33);
        QCOMPARE(f.cbSonet->itemText(0), QString(" 1"));
    }

    void switchingViewsKeepsTheChoices() {
        TfrmMain& f = openWindow();
        f.acBothu->trigger();
        f.cbBothu->setCurrentIndex(84);
        f.cbBothu->hidePopup();
        f.acViewAll->trigger();
        type(f, "an");
        const int anRows = f.qryWords->rowCount();
        f.acSonet->trigger();
        f.cbSonet->setCurrentIndex(4);
        f.acBothu->trigger();
        QCOMPARE(f.cbBothu->currentText(), QString(" thủy 水 (85)"));
        for (const WordRecord& r : f.qryWords->rows())
            QCOMPARE(r.idGrw, 85);
        f.acViewAll->trigger();
        QCOMPARE(f.edSearchWord->text(), QString("an"));
        QCOMPARE(f.qryWords->rowCount(), anRows);
        f.acSonet->trigger();
        QCOMPARE(soNets(*f.qryWords), QList<int>(f.qryWords->rowCount(), 5));
        // Choosing the active view again re-applies it.
        QSignalSpy reloads(f.qryWords, &WordQuery::reset);
        f.acSonet->trigger();
        QVERIFY(reloads.size() >= 1);
        QVERIFY(f.bSoNetView->isChecked());
    }

    void groupOrder_data() {
        QTest::addColumn<int>("view");
        QTest::newRow("by stroke count") << 2;
        QTest::newRow("by radical label") << 3;
    }

    void groupOrder() {
        QFETCH(int, view);
        TfrmMain& f = openWindow();
        if (view == 2) {
            f.acBothu->trigger();
            f.cbBothu->setCurrentIndex(84);
            f.cbBothu->hidePopup();
        } else {
            f.acSonet->trigger();
            f.cbSonet->setCurrentIndex(9);
        }
        const WordListModel& m = *f.wordListModel;
        QVERIFY(m.groupCount() > 3);
        QCollator collator{QLocale(QLocale::Vietnamese)};
        collator.setNumericMode(true);
        QString previous;
        int rowsSeen = 0;
        for (int g = 0; g < m.groupCount(); ++g) {
            const QModelIndex group = m.index(g, 0);
            QVERIFY(m.isGroupRow(group));
            const QString caption = group.data().toString();
            const QString value = caption.section(" : ", 1);
            QVERIFY(caption.startsWith(view == 2 ? "Số nét" : "Bộ"));
            if (g > 0) {
                if (view == 2)
                    QVERIFY(value.toInt() > previous.toInt()); // numerically
                else
                    QVERIFY(collator.compare(previous, value) < 0);
            }
            previous = value;
            int lastRecord = -1;
            for (int r = 0; r < m.rowCount(group); ++r, ++rowsSeen) {
                const int record = m.recordOf(m.index(r, 0, group));
                QVERIFY(record > lastRecord); // the query's order within a group
                lastRecord = record;
                const WordRecord& w = f.qryWords->row(record);
                QCOMPARE(view == 2 ? QString::number(w.soNet) : w.boThu, value);
            }
            QVERIFY(f.gtvWords->isExpanded(group));
        }
        QCOMPARE(rowsSeen, f.qryWords->rowCount());
        f.acCollapse->trigger();
        QVERIFY(!f.gtvWords->isExpanded(m.index(0, 0)));
        f.acExpand->trigger();
        QVERIFY(f.gtvWords->isExpanded(m.index(0, 0)));
    }

    void rowsAndCells() {
        TfrmMain& f = openWindow();
        QCOMPARE(f.gtvWords->visualRect(f.gtvWords->currentIndex()).height(), 40);
        QVERIFY(f.gtvWords->isColumnHidden(WordListModel::SO_NET));
        QVERIFY(f.gtvWords->isColumnHidden(WordListModel::BO_THU));
        QVERIFY(f.gtvWords->isHeaderHidden());
        const int han = f.gtvWords->columnWidth(WordListModel::NAME_HAN);
        const int vie = f.gtvWords->columnWidth(WordListModel::NAME_VIE);
        QVERIFY(han >= 50);
        QVERIFY(qAbs(vie - 2 * han) <= 2);
        const QFont hanFont = f.wordListModel->index(0, 0).data(Qt::FontRole).value<QFont>();
        QCOMPARE(hanFont.pointSize(), 20);
        QVERIFY(hanFont.styleStrategy() & QFont::PreferAntialias);
        QCOMPARE(f.wordListModel->index(0, 1).data(Qt::FontRole).value<QFont>().pointSize(), 11);
        QCOMPARE(f.pnListWords->width(), 240);
        QCOMPARE(f.bmMainBar->height(), 28);
    }

    void hintOfAHanCell() {
        TfrmMain& f = openWindow();
        const QModelIndex cell = f.gtvWords->currentIndex().siblingAtColumn(0);
        const QRect rect = f.gtvWords->visualRect(cell);
        QHelpEvent help(QEvent::ToolTip, rect.center(),
                        f.gtvWords->viewport()->mapToGlobal(rect.center()));
        QApplication::sendEvent(f.gtvWords->viewport(), &help);
        platform::HintBalloon* balloon = f.gtvWords->hintBalloon();
        QVERIFY(balloon->isVisible());
        QCOMPARE(balloon->text(), f.qryWords->current()->nameHan);
        QCOMPARE(f.gtvWords->hintFor(cell.siblingAtColumn(1)), QString()); // "nhất" fits
        // A reading too long for its cell shows whole in the hint.
        f.Splitter1->setSizes({150, 700});
        QTest::qWait(50);
        bool checked = false;
        for (int r = 0; r < f.qryWords->rowCount() && !checked; ++r) {
            const QString reading = f.qryWords->row(r).nameVie;
            if (reading.size() < 20)
                continue;
            const QModelIndex cut = f.wordListModel->indexOfRecord(r).siblingAtColumn(1);
            f.gtvWords->scrollTo(cut);
            QCOMPARE(f.gtvWords->hintFor(cut), reading);
            checked = true;
        }
        QVERIFY(checked);
    }

    void emptyResult() {
        TfrmMain& f = openWindow();
        type(f, "khongcochu");
        QCOMPARE(f.wordListModel->rowCount(), 0);
        QCOMPARE(f.gtvWords->emptyText(), QString("Không có chữ nào !"));
        QVERIFY(!f.gtvWords->isFooterVisible());
        QCOMPARE(f.qryWords->current(), nullptr);
    }

    void hanWordListAnswersLikeTheText() {
        TfrmMain& f = openWindow();
        const HanWordList& list = dm_->vHanWordList;
        const QString text = list.text();
        for (const char* probe : {"行", "水", "𠀧", "a", "，", "〇", "\n", "國"}) {
            const QString c = QString::fromUtf8(probe);
            QCOMPARE(list.isKnown(c), text.contains(c));
        }
        QVERIFY(f.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
