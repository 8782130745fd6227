#pragma once

#include <QString>
#include <vector>

namespace builder {

struct Radical {
    int number = 0;     // 1..214
    QString han;        // the unified ideograph
    QString vietnamese; // its Vietnamese name
};

// The 214 Kangxi radicals from our radicals.tsv, checked against Unicode's
// CJKRadicals.txt. Throws std::runtime_error on any disagreement.
std::vector<Radical> readRadicals(const QByteArray& tsv, const QByteArray& cjkRadicals);

} // namespace builder
