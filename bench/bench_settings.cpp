// Cost of the settings reads made at start-up, on a real store file.
#include "data/DictionaryDM.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void prepareStore(const QTemporaryDir& dir) {
    qputenv("ZENTAVO_REGISTRY_DIR", dir.path().toUtf8());
    const auto key =
        platform::RegistryKey::open(platform::RegRoot::CurrentUser, settings::kOptionsKey, true);
    key.writeInteger(settings::kOpenDict, 2);
    key.writeString(settings::kFontName, QStringLiteral("Times New Roman"));
    key.writeInteger(settings::kBgColor, 0x00FFFFFF);
    key.writeInteger(settings::kMauchuHan, 0x000000FF);
    key.writeInteger(settings::kKichthuocHan, 5);
}

void BM_ReadSystemOptions(benchmark::State& state) {
    QTemporaryDir dir;
    prepareStore(dir);
    for (auto _ : state) {
        TfrmDictionaryDM dm;
        dm.ReadSystemOptions();
        benchmark::DoNotOptimize(dm.vOpenDict);
    }
}
BENCHMARK(BM_ReadSystemOptions);

void BM_WirteActiveStyle(benchmark::State& state) {
    QTemporaryDir dir;
    prepareStore(dir);
    TfrmDictionaryDM dm;
    for (auto _ : state)
        dm.WirteActiveStyle();
}
BENCHMARK(BM_WirteActiveStyle);

} // namespace

BENCHMARK_MAIN();
