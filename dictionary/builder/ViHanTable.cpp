#include "ViHanTable.h"

#include "VietnameseSpelling.h"

#include <QList>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace builder {

ViHanTable readViHanTable(const QByteArray& mimContent) {
    struct Offer {
        QString reading;
        int position; // of the character among the reading's candidates
        int order;    // of the reading in the table
    };
    std::map<char32_t, std::vector<Offer>> offers;

    // ("hanhf"  ("行莖茎衡珩蘅桁"))
    static const QRegularExpression entry(
        QStringLiteral(R"re(^\s*\("([a-z]+)"\s+\("([^"]*)"\)\)\s*$)re"));
    int order = 0;
    for (const QByteArray& rawLine : mimContent.split('\n')) {
        const auto match = entry.match(QString::fromUtf8(rawLine));
        if (!match.hasMatch())
            continue;
        const QString reading = decodeTelex(match.captured(1));
        if (reading.isEmpty())
            continue;
        const QList<uint> candidates = match.captured(2).toUcs4();
        for (int i = 0; i < int(candidates.size()); ++i) {
            auto& list = offers[char32_t(candidates[i])];
            const bool seen = std::any_of(list.begin(), list.end(),
                                          [&](const Offer& o) { return o.reading == reading; });
            if (!seen)
                list.push_back({reading, i, order});
        }
        ++order;
    }

    ViHanTable table;
    for (auto& [cp, list] : offers) {
        std::stable_sort(list.begin(), list.end(), [](const Offer& a, const Offer& b) {
            return a.position != b.position ? a.position < b.position : a.order < b.order;
        });
        QStringList& readings = table[cp];
        for (const Offer& o : list)
            readings.append(o.reading);
    }
    return table;
}

} // namespace builder
