#pragma once

#include <QString>

class HanWordList;

// Settings a link is drawn with.
struct LinkLook {
    QString colour; // HTML colour text of the Han colour
    int size = 4;   // HTML font size of the Han characters
};

// Every character of text that the word list knows becomes a link in the
// Han colour and size with an enlarged tooltip copy of itself; the close form
// when the next character is known too or is "." or ",", else the spaced
// form. Everything else is copied as it is, unescaped.
QString linkCharacters(const QString& text, const HanWordList& known, const LinkLook& look);
