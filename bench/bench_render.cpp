// Entry pages on the real dictionary: building a page (page file included),
// linking with the set of known characters against a substring scan of the
// Han word list, and a current-row change to the page loaded in the view.
#include "app/MainWindow.h"
#include "data/DictionaryDM.h"
#include "data/WordQuery.h"
#include "data/WordStatements.h"
#include "data/fb/FbQuery.h"
#include "platform/htmlview/HtmlView.h"
#include "render/CharacterLinking.h"

#include "GuiBenchmarkMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

TfrmDictionaryDM& dm() {
    static QTemporaryDir registry;
    static TfrmDictionaryDM* module = [] {
        qputenv("ZENTAVO_REGISTRY_DIR", registry.path().toUtf8());
        auto* m = new TfrmDictionaryDM(QStringLiteral(ZENTAVO_BIN_DIR "/"));
        m->DataModuleCreate();
        fb::FbQuery& list = m->qryListWords();
        QString all;
        for (list.open(); list.isOpen(); list.next())
            all += list.asString(QStringLiteral("NAME_HAN"));
        m->vHanWordList.setText(all);
        return m;
    }();
    return *module;
}

// The content of the entry at a rank of content size (0: smallest, 1: largest).
QByteArray contentAt(double rank) {
    fb::FbQuery q(dm().trDictionary());
    q.setSQL(QStringLiteral("select count(*) from HAN_VIET_WORDS"));
    q.open();
    const qint64 n = q.asInteger(0);
    q.setSQL(QStringLiteral("select CONTENT_VIE from HAN_VIET_WORDS order by octet_length("
                            "CONTENT_VIE) rows :R to :R"));
    q.setParam(QStringLiteral("R"), qint64(1 + rank * double(n - 1)));
    q.open();
    return q.asBytes(0);
}

void savePage(benchmark::State& state, double rank) {
    const QByteArray content = contentAt(rank);
    for (auto _ : state) {
        dm().SaveHTMLFormatted(content, 144, 6, QStringLiteral("行"), QStringLiteral("hành"),
                               QStringLiteral("行"), QStringLiteral("hành, hàng, hạnh, hạng"));
        benchmark::DoNotOptimize(dm().vHTMLString.size());
    }
    state.counters["content_bytes"] = double(content.size());
    state.counters["page_bytes"] = double(dm().vHTMLString.size());
}
BENCHMARK_CAPTURE(savePage, median_entry, 0.5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(savePage, largest_entry, 1.0)->Unit(benchmark::kMicrosecond);

QString thousandCharacters() {
    const QString sample = QString::fromUtf8("國行水人 tiếng Việt, 之乎者也。𠀧");
    QString text;
    while (text.size() < 1000)
        text += sample;
    return text.left(1000);
}

void BM_LinkWithSet(benchmark::State& state) {
    const QString text = thousandCharacters();
    for (auto _ : state)
        benchmark::DoNotOptimize(linkCharacters(text, dm().vHanWordList, {"#FF0000", 4}).size());
}
BENCHMARK(BM_LinkWithSet)->Unit(benchmark::kMicrosecond);

// The same walk asking the joined text itself, as the literal test does.
void BM_LinkWithSubstringScan(benchmark::State& state) {
    const QString text = thousandCharacters();
    const QString list = dm().vHanWordList.text();
    for (auto _ : state) {
        int known = 0;
        for (uint cp : text.toUcs4()) {
            const char32_t c = cp;
            known += list.contains(QString::fromUcs4(&c, 1));
        }
        benchmark::DoNotOptimize(known);
    }
}
BENCHMARK(BM_LinkWithSubstringScan)->Unit(benchmark::kMicrosecond);

// From a change of the current row to the page loaded, less the 300 ms wait.
void BM_RowChangeToPage(benchmark::State& state) {
    static TfrmMain* form = [] {
        auto* f = new TfrmMain(dm());
        f->show();
        QEventLoop loop;
        QTimer::singleShot(1500, &loop, &QEventLoop::quit);
        loop.exec();
        return f;
    }();
    int row = 100;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(form->ebContentWord, &platform::HtmlView::loadFinished, &loop,
                         &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        form->qryWords->setCurrentRow(row++);
        loop.exec();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9 -
                               TfrmMain::kEndScrollMs / 1000.0);
    }
}
BENCHMARK(BM_RowChangeToPage)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
