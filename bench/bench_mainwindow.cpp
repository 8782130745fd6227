// The main window on the real dictionary: a keystroke's reload (statement,
// rows, model reset, footer count) and the Han word list built at first show.
#include "app/MainWindow.h"
#include "app/WordListModel.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"

#include "GuiBenchmarkMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

TfrmMain& window() {
    static QTemporaryDir registry;
    static TfrmDictionaryDM* dm = nullptr;
    static TfrmMain* form = nullptr;
    if (!form) {
        qputenv("ZENTAVO_REGISTRY_DIR", registry.path().toUtf8());
        dm = new TfrmDictionaryDM(QStringLiteral(ZENTAVO_BIN_DIR "/"));
        dm->DataModuleCreate();
        form = new TfrmMain(*dm);
        form->show();
        QApplication::processEvents();
    }
    return *form;
}

void reload(benchmark::State& state, const char* text) {
    TfrmMain& f = window();
    f.vIsInit = true; // set the text without the change event; the loop reloads
    f.edSearchWord->setText(QString::fromUtf8(text));
    f.vIsInit = false;
    for (auto _ : state) {
        f.ReloadListWords();
        QApplication::processEvents(); // the list redraws
    }
    state.counters["rows"] = f.qryWords->rowCount();
}
BENCHMARK_CAPTURE(reload, empty, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reload, nhat, "nhất")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reload, percent, "%")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reload, han, "水")->Unit(benchmark::kMillisecond);

void BM_HanWordList(benchmark::State& state) {
    TfrmMain& f = window();
    fb::FbQuery& list = f.dm.qryListWords();
    for (auto _ : state) {
        QString all;
        list.open();
        const int nameHan = list.fieldIndex(QStringLiteral("NAME_HAN"));
        for (; list.isOpen(); list.next())
            all += list.asString(nameHan);
        f.dm.vHanWordList.setText(all);
    }
}
BENCHMARK(BM_HanWordList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
