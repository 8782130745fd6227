#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace builder {

// What the Unihan database says of one character.
struct UnihanEntry {
    int radical = 0;           // Kangxi radical number (a simplified form counts as it)
    int additionalStrokes = 0; // strokes beyond the radical
    int totalStrokes = 0;
    QString mandarin;       // kMandarin, first reading
    QString definition;     // kDefinition
    QStringList variants;   // traditional, simplified, semantic and z variants
    QStringList vietnamese; // kVietnamese readings, in the order given
};

using UnihanTable = std::map<char32_t, UnihanEntry>;

// Reads the fields the dictionary uses from the Unihan files in folder.
UnihanTable readUnihan(const QString& folder);

// "U+884C" → 0x884C; 0 for anything else.
char32_t parseCodePoint(const QString& text);
QString codePointText(char32_t cp); // 0x884C → "U+884C"
QString fromCodePoint(char32_t cp);

} // namespace builder
