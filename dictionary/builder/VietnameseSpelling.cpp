#include "VietnameseSpelling.h"

#include <algorithm>
#include <iterator>

namespace builder {

namespace {

bool isVowel(QChar c) {
    static const QString vowels = QStringLiteral("aăâeêioôơuưy");
    return vowels.contains(c);
}

bool hasOwnMark(QChar c) {
    static const QString marked = QStringLiteral("ăâêôơư");
    return marked.contains(c);
}

// The combining mark of a Telex tone letter, or a null character.
QChar toneMark(QChar letter) {
    switch (letter.unicode()) {
    case 's':
        return QChar(0x0301); // sắc
    case 'f':
        return QChar(0x0300); // huyền
    case 'r':
        return QChar(0x0309); // hỏi
    case 'x':
        return QChar(0x0303); // ngã
    case 'j':
        return QChar(0x0323); // nặng
    default:
        return {};
    }
}

// Letters with their Telex doublings resolved: aa â, aw ă, ee ê, oo ô, ow ơ,
// uw ư, a lone w ư, dd đ.
QString resolveLetters(const QString& s) {
    struct Digraph {
        char16_t first, second, letter;
    };
    static constexpr Digraph kDigraphs[] = {
        {u'd', u'd', u'đ'}, {u'a', u'a', u'â'}, {u'a', u'w', u'ă'}, {u'e', u'e', u'ê'},
        {u'o', u'o', u'ô'}, {u'o', u'w', u'ơ'}, {u'u', u'w', u'ư'},
    };
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
        const auto* digraph =
            std::find_if(std::begin(kDigraphs), std::end(kDigraphs),
                         [&](const Digraph& d) { return c == d.first && next == d.second; });
        if (digraph != std::end(kDigraphs)) {
            out += QChar(digraph->letter);
            ++i;
        } else {
            out += c == u'w' ? QChar(u'ư') : c;
        }
    }
    return out;
}

// Where the tone mark goes among the vowels [first, last] of the syllable.
qsizetype toneVowel(const QString& s, qsizetype first, qsizetype last, bool closed) {
    for (qsizetype i = last; i >= first; --i) {
        if (hasOwnMark(s[i])) {
            // In ươ the mark sits on ơ; otherwise on the marked vowel.
            if (s[i] == u'ư' && i + 1 <= last && s[i + 1] == u'ơ')
                return i + 1;
            return i;
        }
    }
    const qsizetype count = last - first + 1;
    if (closed)
        return last;
    if (count == 3)
        return first + 1;
    return first; // two vowels of an open syllable: the first (hỏa, thủy, nghĩa)
}

// Puts mark (a combining tone mark, or none) on the right vowel of a syllable
// written without one; empty when it is not a syllable.
QString placeTone(QString s, QChar mark) {
    for (QChar c : s) {
        if (!c.isLetter() || c.unicode() > 0x024F)
            return {};
    }

    // The vowel nucleus; the u of qu and the i of gi (before a vowel) belong
    // to the initial.
    qsizetype first = 0;
    while (first < s.size() && !isVowel(s[first]))
        ++first;
    if (first >= s.size())
        return {};
    if (first > 0 && first + 1 < s.size() && isVowel(s[first + 1]) &&
        ((s[first - 1] == u'q' && s[first] == u'u') ||
         (first == 1 && s[0] == u'g' && s[first] == u'i')))
        ++first;
    qsizetype last = first;
    while (last + 1 < s.size() && isVowel(s[last + 1]))
        ++last;
    for (qsizetype i = last + 1; i < s.size(); ++i) {
        if (isVowel(s[i]))
            return {}; // vowels split by a consonant: not one syllable
    }
    const bool closed = last + 1 < s.size();

    if (!mark.isNull())
        s.insert(toneVowel(s, first, last, closed) + 1, mark);
    return s.normalized(QString::NormalizationForm_C);
}

bool isToneMark(QChar c) {
    switch (c.unicode()) {
    case 0x0300:
    case 0x0301:
    case 0x0303:
    case 0x0309:
    case 0x0323:
        return true;
    default:
        return false;
    }
}

} // namespace

QString decodeTelex(const QString& telex) {
    QString s = telex.toLower();
    if (s.isEmpty())
        return {};
    QChar mark;
    if (s.size() > 1 && !toneMark(s.back()).isNull()) {
        mark = toneMark(s.back());
        s.chop(1);
    }
    return placeTone(resolveLetters(s), mark);
}

QString canonicalSyllable(const QString& syllable) {
    const QString lower = syllable.trimmed().toLower();
    QString decomposed = lower.normalized(QString::NormalizationForm_D);
    QChar mark;
    for (qsizetype i = decomposed.size() - 1; i >= 0; --i) {
        if (isToneMark(decomposed[i])) {
            mark = decomposed[i];
            decomposed.remove(i, 1);
        }
    }
    // Base letters with their own marks (ă â ê ô ơ ư) composed again.
    const QString placed = placeTone(decomposed.normalized(QString::NormalizationForm_C), mark);
    return placed.isEmpty() ? lower.normalized(QString::NormalizationForm_C) : placed;
}

} // namespace builder
