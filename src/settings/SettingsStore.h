#pragma once

#include <QString>

// Where the preferences live in the registry store and what stands in for
// them when a group cannot be read.
namespace settings {

inline const QString kOptionsKey = QStringLiteral("\\Software\\Quorbel\\Zentavo\\Options\\");
inline const QString kRunKey =
    QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValue = QStringLiteral("Zentavo");

inline const QString kOpenDict = QStringLiteral("OpenDict");
inline const QString kFontName = QStringLiteral("FontName");
inline const QString kBgColor = QStringLiteral("BgColor");
inline const QString kMauchuHan = QStringLiteral("MauchuHan");
inline const QString kKichthuocHan = QStringLiteral("KichthuocHan");
inline const QString kGlobalActiveStyle = QStringLiteral("GlobalActiveStyle");
inline const QString kGlobalActiveName = QStringLiteral("GlobalActiveName");

constexpr qint32 kDefaultOpenDict = 1;
inline const QString kDefaultFontName = QStringLiteral("Segoe UI");
constexpr quint32 kDefaultBgColor = 0xFF000005;   // the window background
constexpr quint32 kDefaultMauchuHan = 0xFF00000D; // the highlight
constexpr qint32 kDefaultKichthuocHan = 4;
constexpr qint32 kDefaultActiveStyle = 30;
inline const QString kDefaultActiveName = QStringLiteral("Office2010Blue");

} // namespace settings
