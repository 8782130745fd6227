#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Every Han form of the dictionary joined into one text, and the question
// whether a character is known: it is when it occurs in that text followed by
// a line break. The answer comes from a set of the text's code points, built
// once, so asking costs the same for ten words or ten thousand.
class HanWordList {
public:
    void setText(const QString& joinedHanForms);
    bool isEmpty() const { return list_.isEmpty(); }

    // The list as a string list of exactly one entry.
    const QStringList& list() const { return list_; }
    QString text() const { return list_.isEmpty() ? QString() : list_.first() + u'\n'; }

    // One character (a surrogate pair counts as one).
    bool isKnown(char32_t character) const { return codePoints_.contains(character); }
    // True when the text is a single character that is known.
    bool isKnown(const QString& character) const;

private:
    QStringList list_;
    QSet<char32_t> codePoints_;
};
