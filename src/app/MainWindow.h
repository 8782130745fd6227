#pragma once

#include "platform/grid/GridView.h"

#include <QMainWindow>
#include <QString>
#include <vector>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidget;
class TfrmDictionaryDM;
class WordListModel;
class WordQuery;

namespace platform {
class CloseUpComboBox;
class HtmlView;
class IdleUpdates;
} // namespace platform

class QTimer;

// The main window: the tool bar, the word list pane with its filter row, and
// the content pane. Its controls are public, as a form's are, so that the
// parts built on it (and the tests) reach them by name.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(TfrmDictionaryDM& dm, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // View modes: 1 all words with search, 2 by radical, 3 by stroke count,
    // 4 and above (from the stored setting only) all words, no filter.
    bool vIsInit = true;
    int vTypeView = 1;
    QString vDefSQL;

    TfrmDictionaryDM& dm;
    WordQuery* qryWords = nullptr;

    // The radical list: the picker's rows, in radical order.
    struct Radical {
        int idGrw = 0;
        QString nameGrw;
        QString vietGrw;
        QString boThu;
    };
    std::vector<Radical> qryListBoThu;
    int currentRadical() const; // ID_GRW of the picker's choice

    QToolBar* bmMainBar = nullptr;
    QAction* acViewAll = nullptr;
    QAction* acBothu = nullptr;
    QAction* acSonet = nullptr;
    QAction* acExpand = nullptr;
    QAction* acCollapse = nullptr;
    QAction* acClearSearchWord = nullptr;
    QToolButton* bViewAll = nullptr;
    QToolButton* bBoThuView = nullptr;
    QToolButton* bSoNetView = nullptr;

    QWidget* pnListWords = nullptr;
    QToolButton* btnExpand = nullptr;
    QToolButton* btnCollasep = nullptr;
    QWidget* liBothu = nullptr; // the radical picker with its caption
    platform::CloseUpComboBox* cbBothu = nullptr;
    QWidget* liSonet = nullptr; // the stroke-count picker with its caption
    QComboBox* cbSonet = nullptr;
    QLineEdit* edSearchWord = nullptr;
    platform::GridView* gtvWords = nullptr;
    WordListModel* wordListModel = nullptr;
    QMenu* ppListWords = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* lcContent = nullptr;
    QWidget* pnContentWord = nullptr;
    platform::HtmlView* ebContentWord = nullptr;
    QMenu* ppContent = nullptr;
    QAction* acGotoWord = nullptr;
    QAction* acSelectAll = nullptr;
    QAction* acCopy = nullptr;
    // The end-of-scroll wait of qryWords: 300 ms after the current row last
    // changed, the page of that row is shown.
    QTimer* qryWordsEndScrollWait = nullptr;
    static constexpr int kEndScrollMs = 300;

    // Builds and shows the page of the current row and records the word;
    // reports nothing.
    void ShowContentWord();
    void ebContentWordClick(Qt::MouseButton button, const QString& word);

    void SetViewMode(int mode);
    void ReloadListWords();
    // The view commands' common part.
    void switchView(int mode);

    // Makes a word current about r + 1 rows down and scrolls it to the top.
    void ChooseRandomWord(int r);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void createActions();
    void createToolBar();
    void createListPane();
    void createContentPane();
    void placeCurrentRowInView();
    void onViewCurrentChanged(const QModelIndex& current);
    void edSearchWordPropertiesChange();
    void cbBothuPropertiesCloseUp();
    void cbSonetPropertiesChange();
    void qryWordsEndScroll();
    void acGotoWordExecute();

    platform::IdleUpdates* idle_ = nullptr;
    bool shown_ = false;
};
