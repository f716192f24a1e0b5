#pragma once

#include "base/FormatSettings.h"

#include <QLocale>
#include <QString>

/**
 * The desktop's date, time and number formats as the format settings of the core: Qt's patterns become
 * the core's format patterns (such as "dddd, d. mmmm yyyy"). Month and day names stay as they are; the
 * language file sets them.
 */
namespace lanescope::ui {

/** A Qt date/time pattern as the core's format pattern ("dddd, d. MMMM yyyy" -> "dddd, d. mmmm yyyy"). */
std::string formatPattern(const QString& qtPattern);

/** The settings with the locale's separators and date and time patterns. */
base::TFormatSettings withLocaleFormats(base::TFormatSettings settings, const QLocale& locale);

} // namespace lanescope::ui
