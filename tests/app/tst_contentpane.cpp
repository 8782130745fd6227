#include "DictionaryFixture.h"
#include "HtmlViewDriver.h"
#include "app/MainWindow.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using platform::HtmlView;
using namespace testing;

class TestContentPane : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> registry_;
    std::unique_ptr<TfrmDictionaryDM> dm_;
    std::unique_ptr<TfrmMain> form_;

    TfrmMain& f() { return *form_; }
    HtmlView* view() { return form_->ebContentWord; }

    // Shows the page of a word through the search box, as a user would.
    void showWord(const QString& han) {
        QSignalSpy loaded(view(), &HtmlView::loadFinished);
        f().edSearchWord->setText(han);
        QVERIFY(loaded.wait(5000));
        QTest::qWait(150);
        QCOMPARE(f().qryWords->current()->nameHan, han);
    }

    // The n-th linked character whose text is ch.
    QPoint linkedCharacter(const QString& ch) {
        const int n = evaluate(view(), QStringLiteral("Array.from(document.querySelectorAll("
                                                      "'a.tooltip > font')).findIndex(function(e)"
                                                      "{return e.textContent.indexOf('%1')==0;})")
                                           .arg(ch))
                          .toInt();
        return n < 0 ? QPoint(-1, -1) : elementCentre(view(), "a.tooltip > font", n);
    }

private slots:
    void init() {
        registry_ = std::make_unique<QTemporaryDir>();
        qputenv("ZENTAVO_REGISTRY_DIR", registry_->path().toUtf8());
        dm_ = std::make_unique<TfrmDictionaryDM>(builtProgramFolder());
        dm_->DataModuleCreate();
        form_ = std::make_unique<TfrmMain>(*dm_);
        QSignalSpy loaded(view(), &HtmlView::loadFinished);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QVERIFY(loaded.wait(10'000)); // the first word's page, after the wait
        QTest::qWait(150);
    }

    void cleanup() {
        form_.reset();
        dm_.reset();
    }

    void firstPageIsShownAndRecorded() {
        const WordRecord* word = f().qryWords->current();
        QVERIFY(word);
        QCOMPARE(view()->pageBytes(), dm_->vHTMLString);
        QVERIFY(
            dm_->vHTMLString.contains("<font size=\"7\">" + word->nameHan.toUtf8() + "</font>"));
        QCOMPARE(dm_->mdViewedWords.rowCount(), 1);
        QCOMPARE(dm_->mdViewedWords.rows().front().nameHan, word->nameHan);
        QCOMPARE(
            evaluate(view(), "document.querySelector('font[size=\"7\"]').textContent").toString(),
            word->nameHan);
    }

    void aSlowFirstShowStillShowsAPage() {
        cleanup();
        dm_ = std::make_unique<TfrmDictionaryDM>(builtProgramFolder());
        dm_->DataModuleCreate();
        form_ = std::make_unique<TfrmMain>(*dm_);
        QTest::qWait(TfrmMain::kEndScrollMs + 200); // the wait runs out before the show
        QVERIFY(view()->pageBytes().isEmpty());
        QSignalSpy loaded(view(), &HtmlView::loadFinished);
        form_->show();
        QVERIFY(loaded.wait(10'000));
        QVERIFY(view()->pageBytes().contains("<font size=\"7\">"));
    }

    void movingQuicklyBuildsOnlyTheLastPage() {
        QSignalSpy loaded(view(), &HtmlView::loadFinished);
        QWidget* list = f().gtvWords;
        list->setFocus();
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
            QTest::qWait(40);
        }
        QCOMPARE(f().qryWords->currentRow(), 10);
        QVERIFY(loaded.wait(3000));
        QTest::qWait(600);
        QCOMPARE(loaded.size(), 1);
        const QString han = f().qryWords->current()->nameHan;
        QVERIFY(view()->pageBytes().contains("<font size=\"7\">" + han.toUtf8() + "</font>"));
        QCOMPARE(dm_->mdViewedWords.rows().front().nameHan, han);
        QCOMPARE(dm_->mdViewedWords.rowCount(), 2);
    }

    void leftClickOnAKnownCharacterGoesToIt() {
        showWord(QString::fromUtf8("國"));
        const QPoint at = linkedCharacter(QString::fromUtf8("国"));
        QVERIFY(at.x() >= 0);
        f().acSonet->trigger(); // from another view, too
        press(view(), at, Qt::LeftButton);
        QTRY_COMPARE(f().edSearchWord->text(), QString::fromUtf8("国"));
        QCOMPARE(f().vTypeView, 1);
        QVERIFY(f().bViewAll->isChecked());
        QCOMPARE(f().qryWords->current()->nameHan, QString::fromUtf8("国"));
        // (the press on a link also ends a refused navigation: wait for the page)
        QTRY_VERIFY_WITH_TIMEOUT(view()->pageBytes().contains("<font size=\"7\">国</font>"), 3000);
        QCOMPARE(dm_->mdViewedWords.rows().front().nameHan, QString::fromUtf8("国"));
    }

    void rightClickOnlyOpensTheMenu() {
        showWord(QString::fromUtf8("國"));
        const QPoint at = linkedCharacter(QString::fromUtf8("国"));
        const int viewed = dm_->mdViewedWords.rowCount();
        press(view(), at, Qt::RightButton);
        QTRY_VERIFY(f().ppContent->isVisible());
        f().ppContent->hide();
        QTest::qWait(400);
        QCOMPARE(f().edSearchWord->text(), QString::fromUtf8("國"));
        QCOMPARE(dm_->mdViewedWords.rowCount(), viewed);
        QCOMPARE(f().ppContent->actions().size(), 3);
        QCOMPARE(f().ppContent->actions().at(0)->text(), QString("Xem chữ đã chọn..."));
        QCOMPARE(f().ppContent->actions().at(1)->text(), QString("Chọn tất cả"));
        QCOMPARE(f().ppContent->actions().at(2)->text(), QString("Sao chép"));
    }

    void clickOnTheCurrentWordRebuildsItsPage() {
        showWord(QString::fromUtf8("國"));
        const int viewed = dm_->mdViewedWords.rowCount();
        QSignalSpy loaded(view(), &HtmlView::loadFinished);
        press(view(), elementCentre(view(), "font[size=\"7\"]"), Qt::RightButton);
        QVERIFY(loaded.wait(3000));
        QCOMPARE(dm_->mdViewedWords.rowCount(), viewed);
        QCOMPARE(f().edSearchWord->text(), QString::fromUtf8("國"));
        f().ppContent->hide();
    }

    void selectAllThenCopy() {
        QTest::qWait(50);
        QVERIFY(!f().acCopy->isEnabled()); // nothing selected yet
        QVERIFY(f().acGotoWord->isEnabled());
        f().acSelectAll->trigger();
        QTRY_VERIFY(f().acCopy->isEnabled());
        QVERIFY(!f().acGotoWord->isEnabled()); // the selection holds blanks
        QApplication::clipboard()->clear();
        f().acCopy->trigger();
        QTRY_VERIFY(QApplication::clipboard()->text().contains(QString::fromUtf8("Bộ thủ:")));
        QVERIFY(QApplication::clipboard()->text().contains(QString::fromUtf8("Âm Hán Việt")));
    }

    void goToAnEmptySelectionListsEverything() {
        f().edSearchWord->setText(QString::fromUtf8("國"));
        f().acGotoWord->trigger();
        QCOMPARE(f().edSearchWord->text(), QString());
        QCOMPARE(f().vTypeView, 1);
        QVERIFY(f().qryWords->rowCount() > 10000);
    }
};

QTEST_MAIN(TestContentPane)
#include "tst_contentpane.moc"
