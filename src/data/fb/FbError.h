#pragma once

#include <QString>
#include <stdexcept>

namespace fb {

// A failure of the client library or of the server, carrying its text.
class FbError : public std::runtime_error {
public:
    explicit FbError(const QString& text)
        : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace fb
