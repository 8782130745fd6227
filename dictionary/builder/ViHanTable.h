#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace builder {

// Sino-Vietnamese readings of each character from the Han Viet input table
// (m17n's vi-han.mim), decoded from Telex and ordered most used first as far
// as the table tells: a reading under which the character is offered earlier
// comes first.
using ViHanTable = std::map<char32_t, QStringList>;

ViHanTable readViHanTable(const QByteArray& mimContent);

} // namespace builder
