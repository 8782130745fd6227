#pragma once

#include "RadicalTable.h"
#include "UnihanData.h"
#include "ViHanTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace builder {

constexpr int kNameVieLength = 63; // characters of HAN_VIET_WORDS.NAME_VIE

// One row of HAN_VIET_WORDS.
struct WordRow {
    char32_t codePoint = 0;
    int radical = 0;
    int strokes = 0;
    QString nameHan;
    QString nameVie;      // readings joined by ", ", whole readings only, within the column
    QStringList readings; // all of them, most used first
    QString pinyin;
    QString unicodeId;
    QByteArray content; // numbered lines, CR LF between them
};

// Every character with at least one reading and a known radical, in code
// point order.
std::vector<WordRow> composeWords(const UnihanTable& unihan, const ViHanTable& viHan,
                                  const std::vector<Radical>& radicals);

// Readings of one character, most used first as far as the sources tell: a
// radical's own name; readings both the input table and Unihan give; the
// input table's others in its order; those only Unihan gives.
// hints are Unihan's readings of the character's variants: they confirm a
// reading but add none.
QStringList orderReadings(const QStringList& viHan, const QStringList& unihan,
                          const QStringList& hints, const QString& radicalName);

QString joinWithinColumn(const QStringList& readings, int maxLength);

} // namespace builder
