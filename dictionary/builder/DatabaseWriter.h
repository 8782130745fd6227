#pragma once

#include "EntryComposer.h"
#include "RadicalTable.h"

#include <QString>
#include <vector>

namespace builder {

struct SampleRow {
    int id = 0;
    int type = 0;
    QString name;
    QString han;
    QString reading;
    QString translation;
};

struct DictionaryContent {
    std::vector<Radical> radicals;
    std::vector<WordRow> words;
    std::vector<SampleRow> samples;
};

// Writes a new database file at path (replacing any) holding content, and
// marks it read-only. The file appears only when complete.
void writeDictionary(const QString& path, const QString& programFolder,
                     const DictionaryContent& content);

} // namespace builder
