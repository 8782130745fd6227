// The dictionary database through our data layer: attach, the search
// statement of the word list, the per-character procedure and the walk over
// every word that builds the Han word list.
#include "data/DictionaryDM.h"
#include "data/WordStatements.h"
#include "data/fb/FbQuery.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString kFolder = QStringLiteral(ZENTAVO_BIN_DIR "/");

TfrmDictionaryDM& sharedModule() {
    static QTemporaryDir registry;
    static TfrmDictionaryDM* dm = [] {
        qputenv("ZENTAVO_REGISTRY_DIR", registry.path().toUtf8());
        auto* m = new TfrmDictionaryDM(kFolder);
        m->DataModuleCreate();
        return m;
    }();
    return *dm;
}

void BM_Attach(benchmark::State& state) {
    sharedModule(); // the engine is loaded once per process; this measures later attaches
    for (auto _ : state) {
        TfrmDictionaryDM dm(kFolder);
        dm.DataModuleCreate();
    }
}
BENCHMARK(BM_Attach)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, const char* text, bool withCount) {
    fb::FbQuery q(sharedModule().trDictionary());
    q.setSQL(words::kWordRecordSQL + QStringLiteral("\n where ") + words::kSearchClause);
    q.setOrderClause(words::kWordOrderClause);
    words::bindSearchText(q, QString::fromUtf8(text).toUpper());
    qint64 rows = 0;
    for (auto _ : state) {
        q.open(); // opens and makes the first row current, as the list does
        if (withCount)
            rows = q.rowCount();
        q.close();
    }
    state.counters["rows"] = double(withCount ? rows : 0);
}
BENCHMARK_CAPTURE(search, nhat, "nhất", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, nhat_count, "nhất", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, nh_prefix, "NH%", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, nh_prefix_count, "NH%", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, everything, "%", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, everything_count, "%", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, han, "水", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, han_count, "水", true)->Unit(benchmark::kMillisecond);

void BM_CheckWord(benchmark::State& state) {
    fb::FbQuery q(sharedModule().trDictionary());
    q.setSQL(words::kCheckWordSQL);
    q.setParam(QStringLiteral("TYPE_DICT"), 1);
    q.setParam(QStringLiteral("A_WORD"), QStringLiteral("行"));
    for (auto _ : state) {
        q.open();
        benchmark::DoNotOptimize(q.asInteger(0));
        q.close();
    }
}
BENCHMARK(BM_CheckWord)->Unit(benchmark::kMicrosecond);

void BM_HanWordList(benchmark::State& state) {
    fb::FbQuery& q = sharedModule().qryListWords();
    for (auto _ : state) {
        QString list;
        const int field = [&] {
            q.open();
            return q.fieldIndex(QStringLiteral("NAME_HAN"));
        }();
        for (; q.isOpen(); q.next())
            list += q.asString(field);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_HanWordList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
