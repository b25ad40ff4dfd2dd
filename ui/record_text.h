#pragma once

// The one place where record-file bytes (Windows-1252) meet Qt's text.

#include <QLocale>
#include <QString>
#include <filesystem>
#include <string>

#include "course/text.h"

namespace qv {

inline QString FromRecord(const RecordText& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

// A score or average as stored ("87.5", "87.5%") as the pupil writes it:
// with the user's decimal separator ("87,5" in a German locale). The files
// keep the point, so that they read the same on every computer.
inline QString ShownFigure(const RecordText& stored) {
    QString shown = FromRecord(stored);
    shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return shown;
}

// Characters that the code page cannot hold become '?'.
inline RecordText ToRecord(const QString& text) {
    RecordText out;
    for (const QChar c : text) {
        const auto byte = Utf8ToCp1252(QString(c).toStdString());
        out += byte ? *byte : std::string("?");
    }
    return out;
}

// A folder or file name from Qt, for the core's file functions.
inline std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

}  // namespace qv
