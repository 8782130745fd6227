#include "data/HanWordList.h"

void HanWordList::setText(const QString& joinedHanForms) {
    list_ = QStringList{joinedHanForms};
    codePoints_.clear();
    const QString all = text();
    codePoints_.reserve(all.size());
    for (char32_t cp : all.toUcs4())
        codePoints_.insert(cp);
}

bool HanWordList::isKnown(const QString& character) const {
    const QList<uint> ucs4 = character.toUcs4();
    return ucs4.size() == 1 && isKnown(char32_t(ucs4.first()));
}
