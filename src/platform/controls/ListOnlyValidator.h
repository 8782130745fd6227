#pragma once

#include <QStringList>
#include <QValidator>

namespace platform {

// Accepts exactly the entries of a list; a beginning of one may be typed on.
class ListOnlyValidator : public QValidator {
    Q_OBJECT
public:
    ListOnlyValidator(QStringList entries, QObject* parent = nullptr);
    State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    QStringList entries_;
};

} // namespace platform
