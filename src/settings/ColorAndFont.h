#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// Colour values: with bit 31 set, a system colour named by the index in the
// low byte; otherwise 0x00BBGGRR, the top byte ignored.
constexpr quint32 kSystemColorFlag = 0x8000'0000;

// The current colour of a system colour index, taken from the application's
// palette; black for an index the system does not have.
QColor systemColor(int index);

// "#RRGGBB", upper-case hexadecimal.
QString ColorToHTML(quint32 color);

// Antialiased rendering without subpixel (coloured-fringe) smoothing; every
// other attribute of the font is kept.
void SetFontQuality(QFont& font);
