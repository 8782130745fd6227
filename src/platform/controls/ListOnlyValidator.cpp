#include "platform/controls/ListOnlyValidator.h"

namespace platform {

ListOnlyValidator::ListOnlyValidator(QStringList entries, QObject* parent)
    : QValidator(parent)
    , entries_(std::move(entries)) {}

QValidator::State ListOnlyValidator::validate(QString& input, int&) const {
    if (entries_.contains(input))
        return Acceptable;
    for (const QString& entry : entries_)
        if (entry.startsWith(input) || entry.trimmed().startsWith(input.trimmed()))
            return Intermediate;
    return Invalid;
}

void ListOnlyValidator::fixup(QString& input) const {
    // " 7" typed as "7" is still that entry.
    for (const QString& entry : entries_)
        if (entry.trimmed() == input.trimmed())
            input = entry;
}

} // namespace platform
