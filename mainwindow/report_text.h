#pragma once

// How the report page writes the core's figures: record text in Windows-1252
// becomes Unicode, and a shown average takes the user's decimal separator.

#include <QLocale>
#include <QString>
#include <string>

#include "ui/record_text.h"

namespace qv {

// "87.5%" as the user writes it ("87,5%" in a German locale); "-" and the
// empty text stay as they are.
inline QString ShownAverage(const std::string& text) {
    QString shown = FromRecord(text);
    shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return shown;
}

}  // namespace qv
