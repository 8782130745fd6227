#pragma once

#include <QString>

namespace builder {

// Turns one syllable spelled in Telex ("trwowngf", "quoocs") into Vietnamese
// ("trường", "quốc"), NFC, with the tone mark where the traditional spelling
// puts it (hỏa, thủy). Returns an empty text for what is not a syllable.
QString decodeTelex(const QString& telex);

// One Vietnamese syllable, lower case, NFC, with its tone mark moved to where
// decodeTelex puts it ("thuỷ" becomes "thủy"), so that spellings from
// different sources compare equal. Text that is not one syllable comes back
// lower-cased and NFC only.
QString canonicalSyllable(const QString& syllable);

} // namespace builder
