#pragma once

#include <QByteArray>
#include <QString>

// The page file each linked sense passes through: "tmp.html" in the program
// folder, or in the user's cache folder when the program folder cannot be
// written (an installed copy).
class PageFile {
public:
    explicit PageFile(const QString& programFolder);

    QString path() const { return path_; }

    // Writes the byte-order mark, the text in UTF-8 and CR LF (the mark
    // alone for an empty text), then reads the file back. Throws
    // std::runtime_error with the system's reason when it cannot.
    QByteArray passThrough(const QString& text) const;

private:
    QString path_;
};
